#!/bin/sh
# Builds the program and starts it from its working folder.
# Installs the Debian packages it needs first.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
build=${KELDAR_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)"
cd "$build/bin"
exec ./keldar "$@"
