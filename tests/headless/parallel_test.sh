#!/usr/bin/env bash
# Usage: parallel_test.sh BIN_DIR
# Sweeps without a window with several engines at once: the saved file and
# the printed results are byte for byte those of one engine at a time, a run
# that fails among parallel runs ends the sweep naming that run, and --jobs
# takes whole numbers from 1 to 64 only.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" "$1"
mkdir flaky
cp "$bin/Trakvist" "$bin/Disks.ini" flaky/

# 24 runs: two request totals in each of twelve seeds.
sweep=(--run --set 0=1000,1000,2000 --set 1=1,1,12)
for jobs in 1 2 3; do
  expect_status 0 "$trakvist" "${sweep[@]}" --jobs "$jobs" --save "s$jobs.txt" --x 1 --metric wait
  cp out.txt "out$jobs.txt"
  grep -q "24/24 runs" err.txt || fail "--jobs $jobs: no progress of 24 runs: $(cat err.txt)"
  grep "Trakvist:" err.txt | grep -qv "Trakvist: note:" && fail "--jobs $jobs: unexpected messages: $(cat err.txt)"
done
[ -s s1.txt ] || fail "nothing saved"
for jobs in 2 3; do
  cmp -s s1.txt "s$jobs.txt" || fail "the file saved with --jobs $jobs differs from --jobs 1"
  cmp -s out1.txt "out$jobs.txt" || fail "the results printed with --jobs $jobs differ"
done
leftover=$(find "$work" -name '*.slot*.csv' | head -n 1)
[ -z "$leftover" ] || fail "result files of a slot were left: $leftover"

# A simulator that fails on one request total, among parallel runs: the
# sweep ends with that run's message and command line, and nothing is saved.
cat >"$work/flaky/schedule" <<SCRIPT
#!/bin/sh
case " \$* " in *" -t:700 "*) exit 1 ;; esac
exec "$work/program/schedule" "\$@"
SCRIPT
chmod 755 "$work/flaky/schedule"
expect_status 1 "$work/flaky/Trakvist" --run --set 0=100,100,1200 --jobs 2 --save failed.txt
grep -q "Trakvist: Run 7 of the simulation ended without writing its results" err.txt ||
  fail "no message naming run 7: $(cat err.txt)"
grep -q -- "-t:700 " err.txt || fail "no command line of run 7: $(cat err.txt)"
[ -e failed.txt ] && fail "a failed sweep saved a file"

for bad in 0 65 -1 1.5 two ""; do
  expect_status 2 "$trakvist" --run --jobs "$bad"
  grep -q -- "--jobs takes a whole number from 1 to 64" err.txt || fail "--jobs $bad: $(cat err.txt)"
done

finish
