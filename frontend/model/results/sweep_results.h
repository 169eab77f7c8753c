#ifndef TRAKVIST_FRONTEND_MODEL_RESULTS_SWEEP_RESULTS_H_
#define TRAKVIST_FRONTEND_MODEL_RESULTS_SWEEP_RESULTS_H_

#include <array>
#include <cstdint>
#include <vector>

namespace trakvist {

// Algorithms are numbered 1 to 9 in the fixed order FCFS, SSTF, SCAN,
// C-SCAN, LOOK, C-LOOK, S-LOOK, BO-PATH, SATF.
inline constexpr int kAlgorithmCount = 9;

// The three result metrics the engine reports for each algorithm, in the
// order of the metric option buttons `SOption`, `WOption`, `XWOption`.
enum class Metric { kTotalSeekTime, kAverageWaitingTime, kMaximumWaitingTime };

// The results of every engine run of a sweep: for each metric, a value per
// algorithm 1..9 and run 1..RunCount(), in TU, as the engine wrote them.
// All three metrics always have the same shape.
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

 private:
  using Row = std::array<std::array<double, kAlgorithmCount>, 3>;  // [metric][algorithm - 1]

  std::int32_t run_count_ = 0;
  std::vector<Row> rows_;  // rows_[run - 1]; runs past the end are all 0
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RESULTS_SWEEP_RESULTS_H_
