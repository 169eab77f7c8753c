#ifndef TRAKVIST_FRONTEND_MODEL_PLANS_RUN_PLAN_H_
#define TRAKVIST_FRONTEND_MODEL_PLANS_RUN_PLAN_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/results/replications.h"
#include "frontend/model/runs/command_line.h"
#include "frontend/model/runs/run_rows.h"
#include "frontend/model/runs/sweep.h"

namespace trakvist {

// A plan is a sweep written out to be run elsewhere: a folder holding the
// engine command line of every run, scripts that run them one at a time (on
// one machine, under GNU Parallel or as a Slurm job array), and the sweep as
// a simulation file without results. Every path inside it is relative to the
// folder, so the folder may be moved; `Trakvist --collect` joins the rows the
// runs wrote.

// The files of a plan folder.
inline constexpr std::string_view kPlanSweepFile = "sweep.txt";
inline constexpr std::string_view kPlanRunsFile = "runs.txt";
inline constexpr std::string_view kPlanRunOneFile = "run-one.sh";
inline constexpr std::string_view kPlanSlurmFile = "slurm.sbatch";
inline constexpr std::string_view kPlanRowsFolder = "rows";
// The manual requests, copied into the folder.
inline constexpr std::string_view kPlanRequestsFile = "requests.txt";

// A plan holds at most this many runs: its runs.txt then takes some hundred
// megabytes already.
inline constexpr std::int64_t kMaxPlanRuns = 1000000;

// The highest task index of a Slurm job array under Slurm's default
// MaxArraySize (1001): bigger plans are submitted in pieces.
inline constexpr std::int64_t kSlurmArrayPiece = 1000;

// The three result files of run `run`, relative to the plan folder, in the
// order the results reader takes them: rows/N.seek.csv, rows/N.wait.csv,
// rows/N.maxwait.csv.
RunRowPaths PlanRowPaths(std::int64_t run);

// The waiting-time statistics file of run `run` (-q:), rows/N.pct.csv.
std::string PlanPercentilesPath(std::int64_t run);

// `text` as one word of the POSIX shell: in single quotes, each single quote
// written as '\'' so that nothing inside is ever expanded.
std::string ShellQuote(std::string_view text);

// The line of runs.txt for run `run` with the parameter values `values`:
// the engine and its arguments, each quoted for the shell, without the link
// options (-hw:, -c:), which only a front end watching the engine can use.
// The run writes its rows to PlanRowPaths(run) and reads manual requests
// from kPlanRequestsFile. No line end.
std::string PlanRunLine(const RunSettings& settings, const CombinationValues& values,
                        std::int64_t run, const std::string& engine);

// runs.txt: one line per engine run of `ranges`, in run order: each
// combination `replications.count` times with its replications' seeds.
std::string PlanRunsText(const RunSettings& settings, const SweepRanges& ranges,
                         const std::string& engine, const ReplicationPlan& replications = {});

// run-one.sh for a plan of `run_count` runs: `run-one.sh N` and
// `run-one.sh --runs LIST` run lines of runs.txt in the plan folder, each
// after deleting the run's old row files.
std::string RunOneScript(std::int64_t run_count);

// slurm.sbatch for a plan of `run_count` runs: task T of the job array runs
// run PLAN_OFFSET + T.
std::string SlurmScript(std::int64_t run_count);

// Ascending run numbers as the shortest list of numbers and ranges, as in
// "3,7,10-12": the form `run-one.sh --runs` and `sbatch --array` take.
std::string FormatRunList(const std::vector<std::int64_t>& runs);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PLANS_RUN_PLAN_H_
