#!/bin/sh
# Builds everything with ThreadSanitizer in its own folder, warnings as errors,
# and runs every test; a data race reported in the program's code fails the
# test that met it.
# Not part of CI (a separate, slower build). Installs what it needs first.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
build=${KELDAR_TSAN_BUILD:-build-tsan}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELDAR_TSAN=ON \
  -DKELDAR_WERROR=ON
cmake --build "$build" --parallel "$(nproc)"
export TSAN_OPTIONS=${TSAN_OPTIONS:-suppressions=$PWD/tests/tsan.supp:second_deadlock_stack=1}
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
