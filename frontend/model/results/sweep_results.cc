#include "frontend/model/results/sweep_results.h"

#include <algorithm>
#include <cstddef>
#include <span>

namespace trakvist {

SweepResults::SweepResults(std::int32_t run_count) : run_count_(run_count > 0 ? run_count : 0) {}

bool SweepResults::Contains(int algorithm, std::int32_t run) const {
  return algorithm >= 1 && algorithm <= kAlgorithmCount && run >= 1 && run <= run_count_;
}

namespace {

// Row `row` of `rows`, added with all values 0 when missing.
template <typename Rows>
auto& RowAt(Rows* rows, std::size_t row) {
  if (row >= rows->size()) rows->resize(row + 1);
  return (*rows)[row];
}

}  // namespace

double SweepResults::Get(Metric metric, int algorithm, std::int32_t run) const {
  if (!Contains(algorithm, run)) return 0.0;
  const auto row = static_cast<std::size_t>(run - 1);
  const auto m = static_cast<std::size_t>(metric);
  if (IsPercentileMetric(metric)) {
    if (row >= percentile_rows_.size()) return 0.0;
    return percentile_rows_[row][m - kBaseMetricCount][algorithm - 1];
  }
  if (row >= rows_.size()) return 0.0;
  return rows_[row][m][algorithm - 1];
}

void SweepResults::Set(Metric metric, int algorithm, std::int32_t run, double value) {
  if (!Contains(algorithm, run)) return;
  const auto row = static_cast<std::size_t>(run - 1);
  const auto m = static_cast<std::size_t>(metric);
  if (!IsPercentileMetric(metric)) {
    RowAt(&rows_, row)[m][algorithm - 1] = value;
  } else if (has_percentiles_) {
    RowAt(&percentile_rows_, row)[m - kBaseMetricCount][algorithm - 1] = value;
  }
}

bool operator==(const SweepResults& a, const SweepResults& b) {
  if (a.run_count_ != b.run_count_ || a.has_percentiles_ != b.has_percentiles_) return false;
  const std::span<const Metric> metrics(kAllMetrics.data(),
                                        a.has_percentiles_ ? kMetricCount : kBaseMetricCount);
  // Runs past every stored row read 0 on both sides.
  const std::size_t stored = std::max({a.rows_.size(), b.rows_.size(), a.percentile_rows_.size(),
                                       b.percentile_rows_.size()});
  for (std::int32_t run = 1; run <= static_cast<std::int32_t>(stored); ++run) {
    for (Metric metric : metrics) {
      for (int algorithm = 1; algorithm <= kAlgorithmCount; ++algorithm) {
        if (a.Get(metric, algorithm, run) != b.Get(metric, algorithm, run)) return false;
      }
    }
  }
  return true;
}

}  // namespace trakvist
