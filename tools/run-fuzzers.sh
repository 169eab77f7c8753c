#!/usr/bin/env bash
# Runs every fuzz target of the fuzz build (or those named in FUZZERS) one
# after the other, each for FUZZ_SECONDS (default 300) at the lowest
# priority. Each starts from the kept corpus; what it adds goes to
# build-fuzz/corpus/<target>, and an input that breaks an invariant to
# build-fuzz/findings/. Prints executions and findings per target.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-300}
targets=${FUZZERS:-$(cd fuzz/corpus && ls)}
mkdir -p "$build/findings"
status=0
for target in $targets; do
  program="$build/fuzz/$target"
  work="$build/corpus/$target"
  mkdir -p "$work"
  log="$build/findings/$target.log"
  echo "== $target: $seconds s"
  nice -n 19 "$program" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
    "$work" "fuzz/corpus/$target" >"$log" 2>&1
  result=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  echo "   executions: ${runs:-?}  exit: $result  log: $log"
  if [ $result -ne 0 ]; then
    status=1
    grep -m3 -E 'ERROR|invariant failed|Test unit written' "$log" | sed 's/^/   /'
  fi
done
exit $status
