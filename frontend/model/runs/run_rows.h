#ifndef TRAKVIST_FRONTEND_MODEL_RUNS_RUN_ROWS_H_
#define TRAKVIST_FRONTEND_MODEL_RUNS_RUN_ROWS_H_

#include <array>
#include <string>
#include <vector>

#include "frontend/model/common/file_access.h"
#include "frontend/model/results/sweep_results.h"

namespace trakvist {

// The paths of the three result files one engine run wrote on its own, in
// the order the results reader takes them: total seek, average waiting time,
// maximum waiting time.
using RunRowPaths = std::array<std::string, 3>;

// The data row of each of a run's three files, each with its line end.
using RunRows = std::array<std::string, 3>;

enum class RunRowsStatus {
  kRead,     // every file holds its label row and exactly one data row
  kMissing,  // a file does not exist: the run has not been run (or not yet)
  kDamaged,  // a file cannot be read, or holds anything else
};

struct RunRowsRead {
  RunRowsStatus status = RunRowsStatus::kDamaged;
  RunRows rows;         // with kRead
  std::string problem;  // otherwise: which file and what is wrong with it, for the user
};

// Reads the files of a run whose engine wrote into files of its own, so that
// each holds the label row followed by one row of ten fields. Anything else
// (no row, two rows, a row cut short or with other fields) is damaged: the
// run must be run again.
RunRowsRead ReadRunRows(const FileAccess& files, const RunRowPaths& paths);

// The results of runs 1..runs.size(), joined in run order exactly as if one
// engine after the other had appended its row to one set of files.
SweepResults JoinRunRows(const std::vector<RunRows>& runs);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RUNS_RUN_ROWS_H_
