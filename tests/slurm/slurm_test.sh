#!/usr/bin/env bash
# Usage: slurm_test.sh BIN_DIR
# A plan run as Slurm job arrays on a running Slurm (tools/slurm-single-node.sh
# start): submitted in two pieces through PLAN_OFFSET, collected into the
# very file a sweep inside Trakvist saves; runs lost afterwards are named by
# --collect and submitted again by their numbers. The plan lives in a folder
# of its own under the build folder, which the node reaches at the same path.
set -uo pipefail
bin=$(cd "$1" && pwd)
limit=${SLURM_TEST_TIMEOUT:-300}  # seconds for each submission
work=$(mktemp -d "$bin/../slurm-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

scontrol ping 2>/dev/null | grep -q UP || { echo "FAIL: no Slurm (tools/slurm-single-node.sh start)"; exit 1; }

# Submits the array and waits until every task has ended (polling squeue:
# sbatch --wait polls too slowly for short runs).
submit() {  # [VAR=VALUE...] ARRAY
  local job polls=0
  job=$(cd plan && env "${@:1:$#-1}" sbatch --parsable --array="${!#}" slurm.sbatch) ||
    { fail "sbatch --array=${!#} ($*) was refused"; return; }
  job=${job%%;*}
  while [ -n "$(squeue -h -j "$job" 2>/dev/null)" ]; do
    polls=$((polls + 1))
    if [ "$polls" -gt $((limit * 4)) ]; then
      fail "job $job ($*) has not ended after $limit s"
      scancel "$job"
      return
    fi
    sleep 0.25
  done
}

sweep=(--set 0=100,100,800 --set 11=0,400,800)  # 24 runs
"$bin/Trakvist" --run "${sweep[@]}" --save serial.txt >/dev/null 2>&1 || fail "serial sweep"
"$bin/Trakvist" --run "${sweep[@]}" --plan plan 2>/dev/null || fail "plan"
grep -q "^#SBATCH --array=1-24$" plan/slurm.sbatch || fail "array of slurm.sbatch"

start=$(date +%s)
submit 1-12
submit PLAN_OFFSET=12 1-12
echo "24 runs in two arrays took $(($(date +%s) - start)) s"
"$bin/Trakvist" --collect plan --save collected.txt >/dev/null || fail "collect"
cmp -s serial.txt collected.txt || fail "collected from Slurm differs from the serial sweep"

# Lost runs are named and submitted again by their numbers.
rm plan/rows/5.*.csv plan/rows/6.*.csv plan/rows/19.seek.csv
again=$("$bin/Trakvist" --collect plan 2>/dev/null)
[ "$again" = "5,6,19" ] || fail "runs to submit again: $again"
submit "$again"
"$bin/Trakvist" --collect plan --save collected2.txt >/dev/null || fail "collect after resubmitting"
cmp -s serial.txt collected2.txt || fail "collected after resubmitting differs from the serial sweep"

# A task beyond the plan does nothing and fails nothing.
submit PLAN_OFFSET=20 5-6
grep -q "beyond the plan's 24 runs: nothing to do" plan/slurm-*_6.out || fail "task beyond the plan"

[ "$failures" -eq 0 ] && echo "all checks passed"
exit "$failures"
