#!/bin/sh
# Builds the program and starts it from its working folder, together with a
# simulated KRV heat meter (two devices on its pulse inputs) whose port is
# offered first in the port list. KELDAR_NO_SIMULATOR=1 starts the program
# alone, for a real meter. Installs the Debian packages it needs first.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/install-deps.sh
build=${KELDAR_BUILD:-build}
# The tests are scripts/test.sh's; the program alone builds in half the time.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELDAR_BUILD_TESTS=OFF
cmake --build "$build" --parallel "$(nproc)"
cd "$build/bin"

if [ -z "${KELDAR_NO_SIMULATOR:-}" ]; then
  ports=$(mktemp)
  ./keldar-meter-sim "$root/tools/meter-sim/meters/krv_heat.ini" > "$ports" &
  simulator=$!
  trap 'kill "$simulator" 2>/dev/null; rm -f "$ports"' EXIT INT TERM
  # The simulator prints its pseudo-terminal first.
  for _ in 1 2 3 4 5 6 7 8 9 10; do [ -s "$ports" ] && break; sleep 0.2; done
  port=$(head -n 1 "$ports")
  echo "Simulated KRV heat meter at address 1, 2400 baud, on $port"
  KELDAR_SERIAL_PORTS="$port${KELDAR_SERIAL_PORTS:+:$KELDAR_SERIAL_PORTS}"
  export KELDAR_SERIAL_PORTS
  # A first run talks to the meter at its own speed.
  if ! grep -qi '^BAUD' config.ini 2>/dev/null; then printf '[SERIAL]\r\nBAUD = 2400\r\n' >> config.ini; fi
fi
./keldar "$@"
