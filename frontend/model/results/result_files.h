#ifndef TRAKVIST_FRONTEND_MODEL_RESULTS_RESULT_FILES_H_
#define TRAKVIST_FRONTEND_MODEL_RESULTS_RESULT_FILES_H_

#include <cstdint>
#include <istream>

#include "frontend/model/results/sweep_results.h"

namespace trakvist {

// Reads the three CSV result files of a completed sweep of `run_count` runs:
// the total seek file, the average waiting time file and the maximum waiting
// time file, in that order.
//
// Each file starts with a label row, which is skipped. Then each data row
// holds an unused first field and one field per algorithm 1..9; row r
// belongs to run r. Fields are separated by commas and line ends alike and
// each is read by the leading-number rule, so a field that is not a number
// gives 0. Reading stops as soon as any one file has nothing left, leaving
// later runs at 0, and rows beyond `run_count` are ignored.
SweepResults ReadResultFiles(std::istream& seek_file, std::istream& avg_wait_file,
                             std::istream& max_wait_file, std::int32_t run_count);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RESULTS_RESULT_FILES_H_
