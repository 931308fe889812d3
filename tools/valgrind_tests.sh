#!/bin/sh
# Runs every test program of a build once under valgrind memcheck, two at a
# time, and fails on any memory error or definite leak. The programs run from
# the build's tests folder, as ctest runs them; R, which some tests start, is
# not traced.
#
#   tools/valgrind_tests.sh [build-folder]      (default: build, as tools/run_tests.sh leaves it)
#
# The test programs must exist (a normal, not a sanitizer, build). Each
# program's report is kept in BUILD/valgrind/PROGRAM.log.
set -e
cd "$(dirname "$0")/.."
BUILD="${1:-build}"
JOBS="${JOBS:-2}"
if ! command -v valgrind >/dev/null 2>&1; then
  echo "valgrind not found (tools/bootstrap.sh installs it)" >&2
  exit 1
fi
programs=$(ls "$BUILD"/bin/test_* 2>/dev/null || true)
if [ -z "$programs" ]; then
  echo "no test programs in $BUILD/bin" >&2
  exit 1
fi
mkdir -p "$BUILD/valgrind"
rm -f "$BUILD"/valgrind/*.failed
LOGS="$(cd "$BUILD/valgrind" && pwd)"
TESTS_DIR="$(cd "$BUILD/tests" && pwd)"
SUPPRESSIONS="$(pwd)/tools/valgrind.supp"

# One program: its exit status is 0 only when all its tests pass and valgrind
# saw no error and no definite leak.
run_one() {
  name=$(basename "$1")
  program=$(cd "$(dirname "$1")" && pwd)/$name
  if (cd "$TESTS_DIR" && valgrind --quiet --error-exitcode=97 --leak-check=full \
        --errors-for-leak-kinds=definite --show-leak-kinds=definite --num-callers=30 \
        --suppressions="$SUPPRESSIONS" \
        "$program" --gtest_brief=1 >"$LOGS/$name.log" 2>&1); then
    echo "$name: clean"
  else
    echo "$name: FAILED under valgrind (log: $LOGS/$name.log)"
    tail -n 40 "$LOGS/$name.log"
    touch "$LOGS/$name.failed"
  fi
}

# JOBS programs at a time, the largest first.
for program in $(ls -S $programs); do
  run_one "$program" &
  while [ "$(jobs -p | wc -l)" -ge "$JOBS" ]; do sleep 1; done
done
wait
if ls "$LOGS"/*.failed >/dev/null 2>&1; then
  echo "valgrind: errors or definite leaks found" >&2
  exit 1
fi
echo "valgrind: every test program clean"
