#include "frontend/model/plans/run_plan.h"

#include <algorithm>

#include "frontend/model/runs/engine_runs.h"

namespace trakvist {
namespace {

// Arguments only a front end that watches the engine can use: the link
// number and the progress chunk.
bool IsLinkOption(const EngineArgument& argument) {
  return argument.text.starts_with("-hw:") || argument.text.starts_with("-c:");
}

std::string RowPath(std::int64_t run, std::string_view metric) {
  return std::string(kPlanRowsFolder) + "/" + std::to_string(run) + "." + std::string(metric) +
         ".csv";
}

// Replaces every "@NAME@" in `text` by its value.
std::string Fill(std::string text, const std::vector<std::pair<std::string, std::string>>& values) {
  for (const auto& [name, value] : values) {
    const std::string key = "@" + name + "@";
    for (std::size_t at = text.find(key); at != std::string::npos;
         at = text.find(key, at + value.size())) {
      text.replace(at, key.size(), value);
    }
  }
  return text;
}

constexpr std::string_view kRunOneScript = R"sh(#!/bin/sh
# Runs runs of this plan, each from its line of runs.txt, in the plan folder
# wherever that has been moved to:
#   sh run-one.sh N            run N, from 1 to @RUNS@
#   sh run-one.sh --runs LIST  the runs of LIST, as 3,7,10-12
# A run's old row files are deleted before it starts, so that a run run again
# never leaves two rows. Exit status: 0 when every run wrote its results, 1
# when one did not, 2 when the runs asked for are not runs of this plan (then
# nothing runs).
runs=@RUNS@
cd "$(dirname "$0")" || exit 1
set -f

say() { echo "run-one.sh: $*" >&2; }

usage() {
  say "$1"
  echo "usage: run-one.sh N | run-one.sh --runs LIST (N from 1 to $runs, LIST as 3,7,10-12)" >&2
  exit 2
}

# Whether $1 is the number of a run of this plan, without leading zeros.
is_run() {
  case $1 in
    '' | 0* | *[!0-9]*) return 1 ;;
  esac
  [ "${#1}" -le 9 ] && [ "$1" -le "$runs" ]
}

# Runs run $1; fails when it did not leave one row in each of its files.
run_one() {
  mkdir -p rows
  rm -f "rows/$1.seek.csv" "rows/$1.wait.csv" "rows/$1.maxwait.csv" "rows/$1.pct.csv"
  line=$(sed -n "$1{p;q;}" runs.txt)
  if [ -z "$line" ]; then
    say "runs.txt has no line $1"
    return 1
  fi
  sh -c "$line"
  status=$?
  for file in "rows/$1.seek.csv" "rows/$1.wait.csv" "rows/$1.maxwait.csv"; do
    if [ "$status" -ne 0 ] || [ ! -f "$file" ] || [ $(($(wc -l <"$file"))) -ne 2 ]; then
      say "run $1 did not write its results into $file (engine exit status $status)"
      return 1
    fi
  done
}

if [ "$#" -eq 2 ] && [ "$1" = --runs ]; then
  [ -n "$2" ] || usage "--runs needs a list of runs"
  saved_ifs=$IFS
  IFS=,
  set -- $2
  IFS=$saved_ifs
elif [ "$#" -ne 1 ] || [ "$1" = --runs ]; then
  usage "which run?"
fi

# Every item is checked before any run starts.
for item in "$@"; do
  first=${item%%-*}
  last=${item#*-}
  if ! is_run "$first" || ! is_run "$last"; then
    usage "\"$item\" is not a run (or a range of runs) of this plan"
  fi
  [ "$first" -le "$last" ] || usage "the range \"$item\" runs backwards"
done

failed=0
for item in "$@"; do
  run=${item%%-*}
  last=${item#*-}
  while [ "$run" -le "$last" ]; do
    run_one "$run" || failed=1
    run=$((run + 1))
  done
done
exit "$failed"
)sh";

constexpr std::string_view kSlurmScript = R"sh(#!/bin/sh
#SBATCH --job-name=trakvist-plan
#SBATCH --array=1-@ARRAY@
#SBATCH --output=slurm-%A_%a.out
# A Slurm job array over the @RUNS@ runs of this plan: task T runs run
# PLAN_OFFSET + T (PLAN_OFFSET is 0 when unset) with run-one.sh. Submit it
# from the plan folder, which every node must reach at the same path:
#   cd PLAN && sbatch slurm.sbatch
# Slurm caps an array at MaxArraySize - 1 tasks (1000 unless slurm.conf says
# otherwise), so a bigger plan goes in pieces of 1000, the piece's first run
# less one in PLAN_OFFSET@PIECES@
# Runs that failed or never ran (Trakvist --collect lists them) are submitted
# again by their numbers, less PLAN_OFFSET for runs above 1000:
#   sbatch --array=3,7,10-12 slurm.sbatch
#   PLAN_OFFSET=1000 sbatch --array=5 slurm.sbatch    (run 1005)
runs=@RUNS@
cd "${SLURM_SUBMIT_DIR:-.}" || exit 1
if [ ! -f run-one.sh ] || [ ! -f runs.txt ]; then
  echo "slurm.sbatch: submit it from its plan folder (cd PLAN && sbatch slurm.sbatch)" >&2
  exit 1
fi
offset=${PLAN_OFFSET:-0}
task=${SLURM_ARRAY_TASK_ID:-}
case $offset in
  '' | *[!0-9]*)
    echo "slurm.sbatch: PLAN_OFFSET must be a whole number, not \"$offset\"" >&2
    exit 1
    ;;
esac
case $task in
  '' | *[!0-9]*)
    echo "slurm.sbatch: it runs as a job array (sbatch --array=...)" >&2
    exit 1
    ;;
esac
if [ "${#offset}" -gt 9 ] || [ "${#task}" -gt 9 ]; then
  echo "slurm.sbatch: run $offset + $task is beyond the plan's $runs runs" >&2
  exit 1
fi
run=$((offset + task))
if [ "$run" -gt "$runs" ]; then
  echo "slurm.sbatch: run $run is beyond the plan's $runs runs: nothing to do"
  exit 0
fi
exec sh ./run-one.sh "$run"
)sh";

// The pieces a plan too big for one array is submitted in.
std::string PiecesText(std::int64_t run_count) {
  if (run_count <= kSlurmArrayPiece) {
    return ". This plan fits one array.";
  }
  const std::int64_t last_offset = (run_count - 1) / kSlurmArrayPiece * kSlurmArrayPiece;
  return ":\n#   for offset in $(seq 0 " + std::to_string(kSlurmArrayPiece) + " " +
         std::to_string(last_offset) + "); do\n#     PLAN_OFFSET=$offset sbatch --array=1-" +
         std::to_string(kSlurmArrayPiece) + " slurm.sbatch\n#   done";
}

}  // namespace

RunRowPaths PlanRowPaths(std::int64_t run) {
  return {RowPath(run, "seek"), RowPath(run, "wait"), RowPath(run, "maxwait")};
}

std::string PlanPercentilesPath(std::int64_t run) { return RowPath(run, "pct"); }

std::string ShellQuote(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}  // namespace

std::string PlanRunLine(const RunSettings& settings, const CombinationValues& values,
                        std::int64_t run, const std::string& engine) {
  const RunRowPaths rows = PlanRowPaths(run);
  EngineTarget target;
  target.program = engine;
  target.files.seek = rows[0];
  target.files.avg_wait = rows[1];
  target.files.max_wait = rows[2];
  target.files.percentiles = PlanPercentilesPath(run);
  target.requests_file = std::string(kPlanRequestsFile);
  std::vector<EngineArgument> arguments = EngineArguments(settings, values, target);
  std::erase_if(arguments, IsLinkOption);
  std::string line;
  for (const std::string& word : ArgumentList(engine, arguments)) {
    if (!line.empty()) line += ' ';
    line += ShellQuote(word);
  }
  return line;
}

std::string PlanRunsText(const RunSettings& settings, const SweepRanges& ranges,
                         const std::string& engine, const ReplicationPlan& replications) {
  const RunSettings line_settings = LineSettings(settings, replications);
  std::string text;
  for (EngineRunCursor cursor(ranges, replications); !cursor.Done(); cursor.Next()) {
    text += PlanRunLine(line_settings, cursor.Values(), cursor.Run(), engine);
    text += '\n';
  }
  return text;
}

std::string RunOneScript(std::int64_t run_count) {
  return Fill(std::string(kRunOneScript), {{"RUNS", std::to_string(run_count)}});
}

std::string SlurmScript(std::int64_t run_count) {
  return Fill(std::string(kSlurmScript),
              {{"ARRAY", std::to_string(std::clamp<std::int64_t>(run_count, 1, kSlurmArrayPiece))},
               {"PIECES", PiecesText(run_count)},
               {"RUNS", std::to_string(run_count)}});
}

std::string FormatRunList(const std::vector<std::int64_t>& runs) {
  std::string list;
  for (std::size_t i = 0; i < runs.size();) {
    std::size_t j = i;
    while (j + 1 < runs.size() && runs[j + 1] == runs[j] + 1) ++j;
    if (!list.empty()) list += ',';
    list += std::to_string(runs[i]);
    if (j == i + 1) {
      list += "," + std::to_string(runs[j]);
    } else if (j > i) {
      list += "-" + std::to_string(runs[j]);
    }
    i = j + 1;
  }
  return list;
}

}  // namespace trakvist
