#ifndef TRAKVIST_TESTS_FRONTEND_MODEL_RESULTS_RESULTS_TEST_SUPPORT_H_
#define TRAKVIST_TESTS_FRONTEND_MODEL_RESULTS_RESULTS_TEST_SUPPORT_H_

#include <cstdint>
#include <utility>

#include "frontend/model/results/results_store.h"

namespace trakvist {

// Results of `run_count` runs in which algorithm a has, in run r, the total
// seek 100 r + a, the average wait 10 r + a and the maximum wait r + a.
inline SweepResults NumberedResults(std::int32_t run_count) {
  SweepResults results(run_count);
  for (std::int32_t run = 1; run <= run_count; ++run) {
    for (int a = 1; a <= kAlgorithmCount; ++a) {
      results.Set(Metric::kTotalSeekTime, a, run, 100 * run + a);
      results.Set(Metric::kAverageWaitingTime, a, run, 10 * run + a);
      results.Set(Metric::kMaximumWaitingTime, a, run, run + a);
    }
  }
  return results;
}

inline ResultsStore StoreOf(SweepResults results, const SweepRanges& ranges = {}) {
  ResultsStore store;
  store.ReplaceResults(std::move(results), ranges, 1);
  return store;
}

}  // namespace trakvist

#endif  // TRAKVIST_TESTS_FRONTEND_MODEL_RESULTS_RESULTS_TEST_SUPPORT_H_
