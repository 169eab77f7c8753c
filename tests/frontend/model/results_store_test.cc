#include "frontend/model/results_store.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "frontend/model/number_text.h"

namespace trakvist {
namespace {

ResultsStore StoreOf(const SweepRanges& ranges, SweepResults results = SweepResults()) {
  ResultsStore store;
  store.ReplaceResults(std::move(results), ranges, 0);
  return store;
}

double ReadBack(double value) { return *FullNumber(NumberText(value)); }

// The lookup done literally: every combination in run order.
std::int32_t WalkToRow(const SweepRanges& ranges, const CombinationValues& values) {
  for (SweepCursor cursor(ranges); !cursor.Done(); cursor.Next()) {
    bool equal = true;
    for (int k = 0; k < kParameterCount && equal; ++k) {
      equal = ReadBack(cursor.Values()[k]) == values[k];
    }
    if (equal) return static_cast<std::int32_t>(cursor.Run());
  }
  return 0;
}

TEST(GetTableRowTest, AgreesWithWalkingEveryCombination) {
  SweepRanges ranges;
  ranges.fill({7, 1, 7});
  ranges[0] = {100, 100, 200};
  ranges[4] = {5, -2, -1};
  ranges[9] = {1, 3e-16, 1 + 1e-15};  // distinct values that all read "1"
  ranges[12] = {0.1, 0.1, 0.6};       // drifts from the decimal values
  ranges[15] = {0, 1.5, 4};
  const ResultsStore store = StoreOf(ranges);
  std::vector<CombinationValues> targets;
  for (SweepCursor cursor(ranges); !cursor.Done(); cursor.Next()) {
    targets.push_back(cursor.Values());
    for (double& value : targets.back()) value = ReadBack(value);  // as chosen from the lists
  }
  const std::pair<int, double> kStrays[] = {{0, 250}, {4, 2}, {9, 1 + 1e-15}, {12, 0.1 * 3}};
  for (const auto& [k, value] : kStrays) {
    targets.push_back(targets[7]);
    targets.back()[k] = value;
  }
  for (const CombinationValues& values : targets) {
    EXPECT_EQ(GetTableRow(store, values), WalkToRow(ranges, values));
  }
  EXPECT_EQ(GetTableRow(store, targets[7]), 8);
  EXPECT_EQ(GetTableRow(store, targets.back()), 0);
}

TEST(GetTableRowTest, RunsBeyondThirtyTwoBitsAreNotFound) {
  SweepRanges ranges;
  ranges.fill({0, 1, 9});  // run r + 1 spells r in decimal digits
  auto with_digits = [](const std::string& digits) {
    CombinationValues values{};
    const std::size_t first = kParameterCount - digits.size();
    for (std::size_t i = 0; i < digits.size(); ++i) values[first + i] = digits[i] - '0';
    return values;
  };
  EXPECT_EQ(GetTableRow(StoreOf(ranges), with_digits("2147483646")), 2147483647);
  EXPECT_EQ(GetTableRow(StoreOf(ranges), with_digits("2147483647")), 0);
  EXPECT_EQ(GetTableRow(StoreOf(ranges), with_digits("9999999999999999")), 0);
  ranges[3] = {10, 1, 0};
  EXPECT_EQ(GetTableRow(StoreOf(ranges), with_digits("0")), 0);
}

TEST(GetSelDataTest, ScalesTheSelectedMetric) {
  SweepResults results(2);
  results.Set(Metric::kTotalSeekTime, 2, 1, 1500);
  results.Set(Metric::kAverageWaitingTime, 2, 1, 12.5);
  results.Set(Metric::kMaximumWaitingTime, 2, 1, 40);
  const ResultsStore store = StoreOf({}, std::move(results));
  EXPECT_EQ(store.AvgWaitResults(2, 1), 12.5);
  const struct {
    Metric metric;
    const char* cunit;
    double value;
    const char* name;
  } kCases[] = {{Metric::kTotalSeekTime, "2", 3000, "Total Seek Time"},
                {Metric::kAverageWaitingTime, "0.1", 1.25, "Average Waiting Time"},
                {Metric::kMaximumWaitingTime, " 3 TU", 120, "Maximum Waiting Time"},
                {Metric::kMaximumWaitingTime, "none", 0, "Maximum Waiting Time"}};
  ResultsSelection selection;
  for (const auto& c : kCases) {
    selection.SelectedMetric = c.metric;
    selection.cunit = c.cunit;
    EXPECT_EQ(GetSelData(store, selection, 2, 1), c.value) << c.cunit;
    EXPECT_EQ(GetSelDataName(selection), c.name);
  }
  EXPECT_EQ(GetSelData(store, selection, 2, 2), 0.0);  // a run that wrote no row
  const std::pair<int, std::int32_t> kNoResult[] = {{2, 0}, {2, 3}, {0, 1}, {10, 1}};
  for (const auto& [algorithm, run] : kNoResult) {
    EXPECT_EQ(GetSelData(store, selection, algorithm, run), std::nullopt);
  }
}

TEST(CurrentValuesTest, ReadsEachListText) {
  ResultsSelection selection;
  selection.cm_texts[0] = "200";
  selection.cm_texts[12] = "1E-05";
  selection.cm_texts[5] = "12abc";
  const CombinationValues values = CurrentValues(selection);
  EXPECT_EQ(values[0], 200);
  EXPECT_EQ(values[12], 0.00001);
  EXPECT_EQ(values[5], 0);
  EXPECT_EQ(values[1], 0);
}

}  // namespace
}  // namespace trakvist
