#ifndef TRAKVIST_FRONTEND_MODEL_RESULTS_PERCENTILE_ROWS_H_
#define TRAKVIST_FRONTEND_MODEL_RESULTS_PERCENTILE_ROWS_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "frontend/model/results/sweep_results.h"

namespace trakvist {

// First fields of the five rows a run appends to its -q: file, in order.
inline constexpr std::array<std::string_view, kPercentileMetricCount> kPercentileRowNames = {
    "p50", "p90", "p95", "p99", "sd"};

// Reads the waiting-time statistics of runs 1..results->RunCount() from the
// text of a -q: file, or of several runs' own files joined in run order:
// five rows per run, p50, p90, p95, p99 and sd, each with nine numbers.
// Label rows (first field empty) may stand anywhere. On success the results
// hold the statistics; otherwise nothing changes and `problem` says what is
// wrong, for the user.
bool ReadPercentileRows(std::string_view text, SweepResults* results, std::string* problem);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RESULTS_PERCENTILE_ROWS_H_
