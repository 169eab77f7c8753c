#ifndef TRAKVIST_FRONTEND_MODEL_PANEL_PARALLEL_RUNS_H_
#define TRAKVIST_FRONTEND_MODEL_PANEL_PARALLEL_RUNS_H_

#include <string_view>

namespace trakvist {

// "Parallel runs": how many engines a sweep may run at once. Its spinner
// and the headless --jobs option take the same range.
inline constexpr int kMinParallelRuns = 1;
inline constexpr int kMaxParallelRuns = 64;
inline constexpr std::string_view kParallelRunsLabel = "Parallel runs";
inline constexpr std::string_view kParallelRunsToolTip =
    "How many simulations run at once; 1 runs them one after the other";

// The start value: the number of processor cores, within the range above
// (1 when the system does not tell).
int DefaultParallelRuns();

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PANEL_PARALLEL_RUNS_H_
