#!/usr/bin/env bash
# Usage: plan_test.sh BIN_DIR
# Plans of a sweep run outside Trakvist: their runs.txt run with plain sh and
# with GNU Parallel, the folders moved, and --collect giving the very file a
# sweep inside Trakvist saves; runs missing or damaged named and run again
# with run-one.sh; a folder that is not empty refused.
set -uo pipefail
command -v parallel >/dev/null || { echo "FAIL: GNU Parallel is not installed (tools/install-deps.sh)"; exit 1; }
. "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" "$1"

# 30 runs: ten request totals by three head positions.
sweep=(--set 0=100,100,1000 --set 11=0,400,800)
expect_status 0 "$trakvist" --run "${sweep[@]}" --save serial.txt

# Plain sh, in a folder whose name the shell must not expand.
plan="$work/plan one/it's \$HOME"
mkdir -p "$work/plan one"
expect_status 0 "$trakvist" --run "${sweep[@]}" --plan "$plan"
grep -q "Planned 30 runs" err.txt || fail "no summary: $(cat err.txt)"
[ "$(wc -l <"$plan/runs.txt")" -eq 30 ] || fail "runs.txt does not hold 30 lines"
grep -q -- "-hw:" "$plan/runs.txt" && fail "runs.txt passes the link option"
(cd "$plan" && sh runs.txt >/dev/null 2>&1) || fail "sh runs.txt failed"
mv "$work/plan one" "$work/moved"
plan="$work/moved/it's \$HOME"
expect_status 0 "$trakvist" --collect "$plan" --save collected.txt
cmp -s serial.txt collected.txt || fail "collected after sh differs from the serial sweep"
expect_status 0 "$trakvist" --open serial.txt
cp out.txt serial-text.txt
expect_status 0 "$trakvist" --collect "$plan"
cmp -s out.txt serial-text.txt || fail "collect prints other results than open"

# A plan never goes into a folder that holds anything.
before=$(cd "$plan" && cat runs.txt run-one.sh sweep.txt | md5sum)
expect_status 1 "$trakvist" --run --plan "$plan"
grep -q "is not empty" err.txt || fail "no message for a folder in use: $(cat err.txt)"
[ "$(cd "$plan" && cat runs.txt run-one.sh sweep.txt | md5sum)" = "$before" ] ||
  fail "a refused plan changed the folder"

# Missing and damaged runs: named, exit status 1, nothing saved; run-one.sh
# --runs runs them again.
rm "$plan/rows/4."*.csv
tail -n 1 "$plan/rows/17.wait.csv" >row.csv
cat row.csv >>"$plan/rows/17.wait.csv"
printf ',1,2\n' >"$plan/rows/23.maxwait.csv"
# A row file cut short, as by a node that lost its power mid-write.
truncate -s -4 "$plan/rows/9.seek.csv"
expect_status 1 "$trakvist" --collect "$plan" --save none.txt
[ "$(cat out.txt)" = "4,9,17,23" ] || fail "runs to run again: $(cat out.txt)"
grep -q "1 run of 30 has written no results yet: 4." err.txt || fail "missing run: $(cat err.txt)"
grep -q "3 runs of 30 have damaged results: 9,17,23." err.txt || fail "damaged runs: $(cat err.txt)"
[ -e none.txt ] && fail "a collection with missing runs saved a file"
# A list with a run the plan lacks runs nothing and deletes nothing.
expect_status 2 sh "$plan/run-one.sh" --runs 17,31
grep -q '"31" is not a run' err.txt || fail "run-one.sh --runs 17,31: $(cat err.txt)"
[ "$(wc -l <"$plan/rows/17.wait.csv")" -eq 3 ] || fail "a refused list touched run 17"
expect_status 0 sh "$plan/run-one.sh" --runs "$("$trakvist" --collect "$plan" 2>/dev/null)"
expect_status 0 "$trakvist" --collect "$plan" --save collected.txt
cmp -s serial.txt collected.txt || fail "collected after run-one.sh differs from the serial sweep"

# run-one.sh refuses what is no run of the plan, and says when a run fails.
for bad in 0 31 07 x 5-3 3,,4 "" "--runs"; do
  expect_status 2 sh "$plan/run-one.sh" "$bad"
done
expect_status 2 sh "$plan/run-one.sh"
expect_status 2 sh "$plan/run-one.sh" 1 2
(cd "$plan" && sh -c "$(sed -n 9p runs.txt)" >/dev/null) || fail "line 9 does not run by itself"

# GNU Parallel, two at a time, with an engine whose path needs quoting.
engine="$work/engine's dir/schedule \$1"
mkdir -p "$work/engine's dir"
cp "$bin/schedule" "$engine"
expect_status 0 "$trakvist" --run "${sweep[@]}" --plan p2 --engine "$engine"
grep -q "^'$work/engine'\\\\''s dir/schedule \$1' " p2/runs.txt || fail "engine path: $(head -1 p2/runs.txt)"
(cd p2 && parallel --will-cite -j 2 <runs.txt >/dev/null 2>&1) || fail "parallel < runs.txt failed"
mv p2 "p2 moved"
expect_status 0 "$trakvist" --collect "p2 moved" --save collected2.txt
cmp -s serial.txt collected2.txt || fail "collected after GNU Parallel differs from the serial sweep"

# Manual requests: the requests go into the plan, the runs read the copy.
awk 'BEGIN { ORS = "" } NR == 5 { print "10 20 30 40 500 60\r\n"; next }
     NR == 7 { print "False\r\n"; next } NR == 9 { print "True\r\n"; next } { print $0 "\n" }' \
  serial.txt >manual.txt
expect_status 0 "$trakvist" --run manual.txt --set 11=0,400,800 --save manual-serial.txt
expect_status 0 "$trakvist" --run manual.txt --set 11=0,400,800 --plan p3
grep -q "10 20 30 40 500 60" p3/requests.txt || fail "requests.txt: $(cat p3/requests.txt)"
grep -q "'-in:requests.txt'" p3/runs.txt || fail "runs.txt does not read requests.txt"
(cd p3 && for n in 1 2 3; do sh run-one.sh "$n" >/dev/null || exit 1; done) || fail "run-one.sh"
expect_status 0 "$trakvist" --collect p3 --save manual-collected.txt
cmp -s manual-serial.txt manual-collected.txt || fail "manual requests collected differ"

# A copy that lost the empty rows/ folder: run-one.sh makes it again.
cp -r p3 p3-copy && rm -r p3-copy/rows
expect_status 0 sh p3-copy/run-one.sh 2
expect_status 1 "$trakvist" --collect p3-copy
[ "$(cat out.txt)" = "1,3" ] || fail "runs of the copy to run again: $(cat out.txt)"

# Folders that hold no plan, and plans of nothing or into a file.
touch a-file
expect_status 1 "$trakvist" --run --plan a-file
grep -q "is not a folder" err.txt || fail "plan into a file: $(cat err.txt)"
mkdir empty
expect_status 1 "$trakvist" --collect empty
grep -q "has no runs.txt" err.txt || fail "empty folder: $(cat err.txt)"
expect_status 1 "$trakvist" --collect missing-folder
expect_status 1 "$trakvist" --run --set 1=5,1,1 --plan p4
[ -e p4 ] && fail "a plan of no combination left a folder"
# Figures the engine refuses are named before anything is written.
expect_status 1 "$trakvist" --run --set 9=0 --plan p5
grep -q "Cylinder Seek Time (TU) is 0 in this simulation, but it must be at least 1. No plan was written." \
  err.txt || fail "plan with a seek time of 0: $(cat err.txt)"
[ -e p5 ] && fail "a plan the engine refuses left a folder"

finish
