#!/bin/sh
# CI: every build that must stay clean, warnings as errors, each in its own
# folder, with one timing line per stage. Installs what it needs first.
#   clang       clang Release, the program without its tests: clang's own
#               warnings and flags. The tests run twice under GCC below;
#               building them again with clang would not fit CI's time.
#   run build   the README's run flavour (GCC, RelWithDebInfo) and its tests
#   sanitizers  the README's test command: ASan and UBSan, every test
# Folders: KELDAR_CI_BUILD (prefix, default build-ci) and KELDAR_TEST_BUILD.
# Measured on the 2-core machine, sharing it with another build: clang 3.5 min,
# GCC build 8.5 min and its tests 1 min, sanitizers 13 min and their tests
# 1 min: about 27 minutes in all, against CI's 45.
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

begin "GCC RelWithDebInfo build"
cmake -S . -B "$prefix-gcc" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELDAR_WERROR=ON
cmake --build "$prefix-gcc" --parallel "$jobs"
end

begin "GCC RelWithDebInfo tests"
ctest --test-dir "$prefix-gcc" --output-on-failure --parallel "$jobs"
end

# Last, so that CI's closing lines are its test summary.
begin "sanitized build and tests (scripts/test.sh)"
sh scripts/test.sh
end

echo "ci: all stages passed in $(($(date +%s) - all)) s"
