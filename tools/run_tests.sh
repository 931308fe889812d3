#!/bin/sh
# Builds and runs the whole test suite twice: a normal build, then a build
# with AddressSanitizer and UndefinedBehaviorSanitizer; then runs the normal
# build's test programs once under valgrind, and the fuzz targets for 20
# seconds each when clang is there.
set -e
cd "$(dirname "$0")/.."
JOBS="${JOBS:-2}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$JOBS"
ctest --test-dir build --output-on-failure -j "$JOBS"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKOV_SANITIZE=ON -DKOV_BUILD_BENCH=OFF
cmake --build build-asan -j "$JOBS"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$JOBS"

tools/valgrind_tests.sh build

if command -v clang++ >/dev/null 2>&1; then
  fuzz/run.sh 20
else
  echo "clang++ not found: fuzz targets skipped (tools/bootstrap.sh installs clang)"
fi
