#ifndef TRAKVIST_FRONTEND_MODEL_RESULTS_RESULTS_STORE_H_
#define TRAKVIST_FRONTEND_MODEL_RESULTS_RESULTS_STORE_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/model/panel/parameters.h"
#include "frontend/model/results/replications.h"
#include "frontend/model/results/sweep_results.h"
#include "frontend/model/runs/sweep.h"

namespace trakvist {

// Everything known about the last completed sweep: the results of every run
// and the grid of parameter values the runs covered. Results and grid are
// only ever replaced together. The store starts empty: no runs, every range
// the single value 0.
class ResultsStore {
 public:
  // "FCFS", "SSTF", ... "SATF" for algorithms 1..9; empty for any other.
  static std::string_view AlgorithmNames(int algorithm);

  // Stored metrics of algorithm 1..9 in run 1..RunCount(), in TU; 0 outside.
  double SeekResults(int algorithm, std::int32_t run) const;
  double AvgWaitResults(int algorithm, std::int32_t run) const;
  double MaxWaitResults(int algorithm, std::int32_t run) const;

  std::int32_t RunCount() const { return results_.RunCount(); }
  const SweepResults& Results() const { return results_; }

  // The value grid of the stored sweep; run r is its r-th combination.
  const SweepRanges& ResultRanges() const { return result_ranges_; }

  // Position in the distribution list in force for the stored sweep.
  std::int16_t ResultDistribution() const { return result_distribution_; }

  // The replications behind the results: with more than one, Results()
  // holds their means.
  const Replications& ResultReplications() const { return replications_; }

  // Stores the results of a completed sweep (or an opened file) with the
  // ranges that produced them and their distribution choice, replacing all
  // that was stored. The value lists are then rebuilt with CreateLists.
  void ReplaceResults(SweepResults results, const SweepRanges& ranges, std::int16_t distribution,
                      Replications replications = {});

 private:
  SweepResults results_;
  Replications replications_;
  SweepRanges result_ranges_{};
  std::int16_t result_distribution_ = 0;
};

// The main window's choices that reading the store depends on.
struct ResultsSelection {
  // Which of `SOption`, `WOption`, `XWOption` is selected.
  Metric SelectedMetric = Metric::kTotalSeekTime;
  // Y scale text box: Y-axis units per TU, read by the leading-number rule.
  std::string cunit = "1";
  // While set, chart and table refreshes return at once. Set from start-up
  // until the first results exist.
  bool ChartUpdateSuspended = true;
  // Current text of each value list `Cm`(0..15): the value chosen for each
  // parameter.
  std::array<std::string, kParameterCount> cm_texts;
};

// Run number of the combination `values` in the stored grid, found as the
// sixteen nested loops over ResultRanges() would find it: the first run whose
// every loop value, written as number text and read back, equals the given
// value exactly. 0 when no run matches, and when the run number would not
// fit in 32 bits.
std::int32_t GetTableRow(const ResultsStore& store, const CombinationValues& values);

// The selected metric of `algorithm` in `run`, multiplied by the Y scale.
// Nothing when the run or algorithm has no results.
std::optional<double> GetSelData(const ResultsStore& store, const ResultsSelection& selection,
                                 int algorithm, std::int32_t run);

// "Total Seek Time", "Average Waiting Time" or "Maximum Waiting Time", or
// the name of a waiting-time statistic ("Median Waiting Time", ...).
std::string_view GetSelDataName(const ResultsSelection& selection);

// The name of a metric as GetSelDataName gives it.
std::string_view MetricName(Metric metric);

// Half-width of the 95 % confidence interval of the selected metric of
// `algorithm` in `run`, multiplied by the Y scale. Nothing without
// replications or results.
std::optional<double> GetSelHalfWidth(const ResultsStore& store, const ResultsSelection& selection,
                                      int algorithm, std::int32_t run);

// A value list's text or entry read as a number; 0 for a text that is not
// a number.
double ValueListNumber(std::string_view text);

// The current text of each value list read by ValueListNumber.
CombinationValues CurrentValues(const ResultsSelection& selection);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RESULTS_RESULTS_STORE_H_
