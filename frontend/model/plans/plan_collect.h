#ifndef TRAKVIST_FRONTEND_MODEL_PLANS_PLAN_COLLECT_H_
#define TRAKVIST_FRONTEND_MODEL_PLANS_PLAN_COLLECT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/model/common/file_access.h"

namespace trakvist {

// What the rows in a plan folder amount to.
struct PlanCollection {
  // Why the folder holds no plan that can be collected; empty when it does.
  std::string failure;
  std::int64_t run_count = 0;
  // Runs that wrote none of their row files (not run yet), and runs whose
  // files are there but do not hold one complete row each, ascending.
  std::vector<std::int64_t> missing;
  std::vector<std::int64_t> damaged;
  // What is wrong with the first few damaged runs, for the user.
  std::vector<std::string> problems;
  // With every run well: sweep.txt with the rows of runs 1..run_count as
  // its results, the simulation file to open.
  std::string sim_file;
  // Said beside an opened collection: why the waiting-time statistics the
  // plan asked for are not among its results.
  std::string note;
};

// Checks the plan in `folder` (a path ending in a separator, or empty for
// the current folder): runs.txt and sweep.txt must describe the same runs,
// and every run must have written exactly one row to each of its three
// files. Reads only; nothing in the folder changes.
PlanCollection CollectPlan(const FileAccess& files, const std::string& folder);

// What to tell the user about a collection that cannot be opened: the
// failure, or the missing and damaged runs with the command lines that run
// them again. One message per element.
std::vector<std::string> CollectionMessages(const PlanCollection& collection);

// The runs to run again, missing and damaged alike, as one list in the form
// `run-one.sh --runs` and `sbatch --array` take; empty when there are none.
std::string RunsToRunAgain(const PlanCollection& collection);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PLANS_PLAN_COLLECT_H_
