#!/bin/sh
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer,
# warnings as errors, and runs every test. Installs the Debian packages it
# needs first.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
build=${KELDAR_TEST_BUILD:-build-test}
# The program of this build asks a development server on this machine for
# updates, so that the acceptance suite can walk the update through.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELDAR_SANITIZE=ON \
  -DKELDAR_WERROR=ON -DKELDAR_REST_HOST=127.0.0.1:18780
cmake --build "$build" --parallel "$(nproc)"
# Qt's own leaks at exit are not ours to fix; everything else must be clean.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
