#ifndef TRAKVIST_FRONTEND_MODEL_RESULTS_SWEEP_RESULTS_H_
#define TRAKVIST_FRONTEND_MODEL_RESULTS_SWEEP_RESULTS_H_

#include <array>
#include <cstdint>
#include <vector>

namespace trakvist {

// Algorithms are numbered 1 to 9 in the fixed order FCFS, SSTF, SCAN,
// C-SCAN, LOOK, C-LOOK, S-LOOK, BO-PATH, SATF.
inline constexpr int kAlgorithmCount = 9;

// The result metrics the engine reports for each algorithm: the three of
// every run, in the order of the metric option buttons `SOption`, `WOption`,
// `XWOption`, then the waiting-time statistics a run writes with -q:.
enum class Metric {
  kTotalSeekTime,
  kAverageWaitingTime,
  kMaximumWaitingTime,
  kMedianWaitingTime,
  kP90WaitingTime,
  kP95WaitingTime,
  kP99WaitingTime,
  kWaitingTimeStdDev,
};
inline constexpr int kBaseMetricCount = 3;
inline constexpr int kMetricCount = 8;
inline constexpr int kPercentileMetricCount = kMetricCount - kBaseMetricCount;

// Whether the metric is one of the waiting-time statistics of -q:.
constexpr bool IsPercentileMetric(Metric metric) {
  return static_cast<int>(metric) >= kBaseMetricCount;
}

// Every metric in order; the first kBaseMetricCount are the base three.
inline constexpr std::array<Metric, kMetricCount> kAllMetrics = {
    Metric::kTotalSeekTime,     Metric::kAverageWaitingTime, Metric::kMaximumWaitingTime,
    Metric::kMedianWaitingTime, Metric::kP90WaitingTime,     Metric::kP95WaitingTime,
    Metric::kP99WaitingTime,    Metric::kWaitingTimeStdDev};

// The results of every engine run of a sweep: for each metric, a value per
// algorithm 1..9 and run 1..RunCount(), in TU, as the engine wrote them.
// All metrics always have the same shape. The waiting-time statistics are
// held only once EnablePercentiles() was called; until then they read 0 and
// setting them is ignored.
//
// Runs never given a value read as 0. Rows are only allocated up to the last
// run given a value, so a run count claimed by a damaged source costs no
// memory.
class SweepResults {
 public:
  SweepResults() = default;

  // Results of `run_count` runs, all 0. A negative count means none.
  explicit SweepResults(std::int32_t run_count);

  std::int32_t RunCount() const { return run_count_; }

  // Whether algorithm and run both lie within the results' shape.
  bool Contains(int algorithm, std::int32_t run) const;

  // The value of one metric, or 0 outside the shape.
  double Get(Metric metric, int algorithm, std::int32_t run) const;

  // Sets one value; ignored outside the shape.
  void Set(Metric metric, int algorithm, std::int32_t run, double value);

  // Whether the results hold the waiting-time statistics.
  bool HasPercentiles() const { return has_percentiles_; }
  void EnablePercentiles() { has_percentiles_ = true; }

  friend bool operator==(const SweepResults& a, const SweepResults& b);

 private:
  using Values = std::array<double, kAlgorithmCount>;               // [algorithm - 1]
  using Row = std::array<Values, kBaseMetricCount>;                  // [metric]
  using PercentileRow = std::array<Values, kPercentileMetricCount>;  // [metric - 3]

  std::int32_t run_count_ = 0;
  bool has_percentiles_ = false;
  std::vector<Row> rows_;  // rows_[run - 1]; runs past the end are all 0
  // The statistics, kept apart so that results without them cost nothing.
  std::vector<PercentileRow> percentile_rows_;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RESULTS_SWEEP_RESULTS_H_
