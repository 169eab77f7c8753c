#include "frontend/model/results/sweep_results.h"

#include <cstddef>

namespace trakvist {

SweepResults::SweepResults(std::int32_t run_count) : run_count_(run_count > 0 ? run_count : 0) {}

bool SweepResults::Contains(int algorithm, std::int32_t run) const {
  return algorithm >= 1 && algorithm <= kAlgorithmCount && run >= 1 && run <= run_count_;
}

double SweepResults::Get(Metric metric, int algorithm, std::int32_t run) const {
  if (!Contains(algorithm, run)) return 0.0;
  const auto row = static_cast<std::size_t>(run - 1);
  if (row >= rows_.size()) return 0.0;
  return rows_[row][static_cast<std::size_t>(metric)][algorithm - 1];
}

void SweepResults::Set(Metric metric, int algorithm, std::int32_t run, double value) {
  if (!Contains(algorithm, run)) return;
  const auto row = static_cast<std::size_t>(run - 1);
  if (row >= rows_.size()) rows_.resize(row + 1, Row{});
  rows_[row][static_cast<std::size_t>(metric)][algorithm - 1] = value;
}

}  // namespace trakvist
