#include "frontend/model/results/results_store.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "frontend/model/common/number_text.h"

namespace trakvist {
namespace {

constexpr std::array<std::string_view, kAlgorithmCount> kAlgorithmNames = {
    "FCFS", "SSTF", "SCAN", "C-SCAN", "LOOK", "C-LOOK", "S-LOOK", "BO-PATH", "SATF"};

constexpr std::int64_t kMaxRun = std::numeric_limits<std::int32_t>::max();

// Number text keeps 15 significant digits, so a value read back from its
// text lies within a few parts in 10^15 of the value (the tiny absolute
// term covers values so close to 0 that they carry fewer digits). Values
// farther from the target than that cannot match, and need not be written
// as text.
bool MayMatch(double value, double target) {
  return std::abs(target - value) <= 1e-14 * std::abs(value) + 1e-300;
}

// The lookup's comparison: the value as number text, read back, equals the
// target exactly. This is how value-list entries relate to loop values.
bool Matches(double value, double target) {
  if (!MayMatch(value, target)) return false;
  const std::optional<double> read_back = FullNumber(NumberText(value));
  return read_back && *read_back == target;
}

// Zero-based position of the first value of `range` that matches `target`,
// among its first `limit` values.
std::optional<std::int64_t> FirstMatch(const ParamRange& range, double target, std::int64_t limit) {
  std::optional<std::int64_t> found;
  std::int64_t position = 0;
  ForEachValue(range, [&](double value) {
    if (Matches(value, target)) {
      found = position;
      return false;
    }
    return ++position < limit;
  });
  return found;
}

}  // namespace

std::string_view ResultsStore::AlgorithmNames(int algorithm) {
  if (algorithm < 1 || algorithm > kAlgorithmCount) return {};
  return kAlgorithmNames[algorithm - 1];
}

double ResultsStore::SeekResults(int algorithm, std::int32_t run) const {
  return results_.Get(Metric::kTotalSeekTime, algorithm, run);
}

double ResultsStore::AvgWaitResults(int algorithm, std::int32_t run) const {
  return results_.Get(Metric::kAverageWaitingTime, algorithm, run);
}

double ResultsStore::MaxWaitResults(int algorithm, std::int32_t run) const {
  return results_.Get(Metric::kMaximumWaitingTime, algorithm, run);
}

void ResultsStore::ReplaceResults(SweepResults results, const SweepRanges& ranges,
                                  std::int16_t distribution, Replications replications) {
  results_ = std::move(results);
  replications_ = std::move(replications);
  result_ranges_ = ranges;
  result_distribution_ = distribution;
}

// The nested loops visit the combinations in order of their positions, so
// the first match takes the first matching position p(k) in every range, and
// its run is 1 + the sum of p(k) times the number of combinations of the
// loops inside loop k. Working from the innermost loop out avoids walking
// the combinations themselves.
std::int32_t GetTableRow(const ResultsStore& store, const CombinationValues& values) {
  const SweepRanges& ranges = store.ResultRanges();
  std::int64_t offset = 0;  // run - 1, never above kMaxRun - 1
  std::int64_t inner = 1;   // combinations inside the current loop, capped at kMaxRun + 1
  for (int k = kParameterCount - 1; k >= 0; --k) {
    // Positions beyond this limit would number the run past 32 bits.
    const std::int64_t limit = (kMaxRun - 1 - offset) / inner + 1;
    const std::optional<std::int64_t> position = FirstMatch(ranges[k], values[k], limit);
    if (!position) return 0;
    offset += *position * inner;
    if (k > 0) inner = std::min(inner * ValueCount(ranges[k], kMaxRun / inner + 1), kMaxRun + 1);
  }
  return static_cast<std::int32_t>(offset + 1);
}

std::optional<double> GetSelData(const ResultsStore& store, const ResultsSelection& selection,
                                 int algorithm, std::int32_t run) {
  if (!store.Results().Contains(algorithm, run)) return std::nullopt;
  const double scale = LeadingNumber(selection.cunit);
  return scale * store.Results().Get(selection.SelectedMetric, algorithm, run);
}

std::string_view GetSelDataName(const ResultsSelection& selection) {
  return MetricName(selection.SelectedMetric);
}

std::string_view MetricName(Metric metric) {
  switch (metric) {
    case Metric::kTotalSeekTime:
      return "Total Seek Time";
    case Metric::kAverageWaitingTime:
      return "Average Waiting Time";
    case Metric::kMaximumWaitingTime:
      return "Maximum Waiting Time";
    case Metric::kMedianWaitingTime:
      return "Median Waiting Time";
    case Metric::kP90WaitingTime:
      return "90th Percentile Waiting Time";
    case Metric::kP95WaitingTime:
      return "95th Percentile Waiting Time";
    case Metric::kP99WaitingTime:
      return "99th Percentile Waiting Time";
    case Metric::kWaitingTimeStdDev:
      break;
  }
  return "Waiting Time Std. Deviation";
}

std::optional<double> GetSelHalfWidth(const ResultsStore& store, const ResultsSelection& selection,
                                      int algorithm, std::int32_t run) {
  if (!store.ResultReplications().Replicated() || !store.Results().Contains(algorithm, run)) {
    return std::nullopt;
  }
  return LeadingNumber(selection.cunit) *
         HalfWidth(store.ResultReplications(), selection.SelectedMetric, algorithm, run);
}

double ValueListNumber(std::string_view text) { return FullNumber(text).value_or(0.0); }

CombinationValues CurrentValues(const ResultsSelection& selection) {
  CombinationValues values{};
  for (int k = 0; k < kParameterCount; ++k) values[k] = ValueListNumber(selection.cm_texts[k]);
  return values;
}

}  // namespace trakvist
