#!/bin/sh
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer, the whole library instrumented) in a build folder
# of their own, then runs each target for a time budget, one after the other,
# so that a core stays free. CI runs 20 seconds per target; a longer budget
# is a soak run (fuzz/run.sh 600: ten minutes each).
#
#   fuzz/run.sh [seconds-per-target] [target ...]     targets: template strings csv rcode
#
# The corpus of each target grows in BUILD/corpus/TARGET and is reused by the
# next run; the example catalogue and data files are the seeds. A finding
# stops the script with the target's log and leaves the input in
# BUILD/artifacts/. Environment: FUZZ_BUILD_DIR (default build-libfuzzer), JOBS.
set -e
cd "$(dirname "$0")/.."
BUDGET="${1:-20}"
if [ $# -gt 0 ]; then shift; fi
TARGETS="${*:-template strings csv rcode}"
BUILD="${FUZZ_BUILD_DIR:-build-libfuzzer}"
JOBS="${JOBS:-2}"

# -O1 with line tables: quick to build, fast enough to run, readable stacks.
FLAGS="-O1 -gline-tables-only -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
FLAGS="$FLAGS -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=None -DKOV_BUILD_FUZZ=ON \
  -DKOV_BUILD_BENCH=OFF -DCMAKE_C_FLAGS="$FLAGS" -DCMAKE_CXX_FLAGS="$FLAGS" >/dev/null
for target in $TARGETS; do
  cmake --build "$BUILD" -j "$JOBS" --target "fuzz_$target" >/dev/null
done

mkdir -p "$BUILD/artifacts" "$BUILD/logs"
for target in $TARGETS; do
  corpus="$BUILD/corpus/$target"
  log="$BUILD/logs/$target.log"
  mkdir -p "$corpus"
  case "$target" in
    template) extra="-dict=fuzz/template.dict -max_len=16384"; seeds="examples/catalogue" ;;
    strings) extra="-max_len=512"; seeds="examples/catalogue" ;;
    csv) extra="-max_len=4096"; seeds="examples/data examples/catalogue" ;;
    rcode) extra="-max_len=1024"; seeds="" ;;
    *) echo "unknown fuzz target: $target" >&2; exit 2 ;;
  esac
  echo "fuzz_$target: ${BUDGET}s"
  # shellcheck disable=SC2086
  if ! UBSAN_OPTIONS=print_stacktrace=1 "$BUILD/bin/fuzz_$target" $extra -max_total_time="$BUDGET" -timeout=20 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$target-" \
      "$corpus" $seeds >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz_$target: FAILED (log: $log, input in $BUILD/artifacts/)" >&2
    exit 1
  fi
  # Executions, coverage (edges and features) and corpus size of the run.
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  last=$(grep -E '^#[0-9]+.*(DONE|pulse|NEW|REDUCE|INITED)' "$log" | tail -n 1)
  cov=$(echo "$last" | sed -n 's/.*cov: \([0-9]*\).*/\1/p')
  ft=$(echo "$last" | sed -n 's/.*ft: \([0-9]*\).*/\1/p')
  corp=$(echo "$last" | sed -n 's/.*corp: \([0-9]*\/[0-9a-zA-Z]*\).*/\1/p')
  echo "fuzz_$target: ok, $execs executions, coverage $cov edges, $ft features, corpus $corp"
done
