#include "frontend/model/results/results_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "frontend/model/common/number_text.h"
#include "frontend/model/results/result_files.h"
#include "frontend/model/results/value_lists.h"

namespace trakvist {
namespace {

using ::testing::ElementsAre;

// A label row, then rows of an unused field and base + a for algorithm a.
std::string Rows(const std::vector<int>& bases) {
  std::string rows = ",FCFS,SSTF,SCAN,C-SCAN,LOOK,C-LOOK,S-LOOK,BO-PATH,SATF\r\n";
  for (int base : bases) {
    for (int a = 1; a <= kAlgorithmCount; ++a) rows += "," + std::to_string(base + a);
    rows += "\r\n";
  }
  return rows;
}

SweepResults Read(const std::string& seek, const std::string& wait, const std::string& max_wait,
                  std::int32_t runs) {
  std::istringstream seek_in(seek), wait_in(wait), max_in(max_wait);
  return ReadResultFiles(seek_in, wait_in, max_in, runs);
}

TEST(ReadResultFilesTest, FillsEachMetricAndStopsAtTheShortestFile) {
  SweepResults results = Read(Rows({100, 200}), Rows({1000}), Rows({10000, 20000}), 3);
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    EXPECT_EQ(results.Get(Metric::kTotalSeekTime, a, 1), 100 + a);
    EXPECT_EQ(results.Get(Metric::kAverageWaitingTime, a, 1), 1000 + a);
    EXPECT_EQ(results.Get(Metric::kMaximumWaitingTime, a, 1), 10000 + a);
    EXPECT_EQ(results.Get(Metric::kMaximumWaitingTime, a, 2), 0);
  }
  // Rows beyond the run count are ignored.
  const std::string rows = Rows({100, 200, 300});
  results = Read(rows, rows, rows, 2);
  EXPECT_EQ(results.Get(Metric::kTotalSeekTime, 5, 2), 205);
  EXPECT_FALSE(results.Contains(5, 3));
  // A huge claimed run count allocates nothing until values arrive.
  EXPECT_EQ(Read(rows, rows, rows, 2147483647).Get(Metric::kTotalSeekTime, 9, 2147483647), 0);
}

TEST(ReadResultFilesTest, TakesFieldsAcrossLineEndsByTheLeadingNumberRule) {
  const std::string seek = "label\n,1,2,3\n4,5\r\n6,7,8,9\n\n";
  const std::string wait = "label\n,2.5,1e+06,x7,4,5,6,7,8, 9.5";
  const SweepResults results = Read(seek, wait, Rows({0}), 5);
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    EXPECT_EQ(results.Get(Metric::kTotalSeekTime, a, 1), a);
  }
  EXPECT_EQ(results.Get(Metric::kAverageWaitingTime, 2, 1), 1e6);
  EXPECT_EQ(results.Get(Metric::kAverageWaitingTime, 3, 1), 0);
  EXPECT_EQ(results.Get(Metric::kAverageWaitingTime, 9, 1), 9.5);
  EXPECT_EQ(Read(seek, wait, "label only", 5).Get(Metric::kTotalSeekTime, 1, 1), 0);
}

ResultsStore StoreOf(const SweepRanges& ranges, SweepResults results = SweepResults(),
                     std::int16_t distribution = 0) {
  ResultsStore store;
  store.ReplaceResults(std::move(results), ranges, distribution);
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
  // Values in no list: between values, past the end, unread and drifted.
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
  auto row_of = [&ranges](const char(&digits)[kParameterCount + 1]) {
    CombinationValues values;
    for (int k = 0; k < kParameterCount; ++k) values[k] = digits[k] - '0';
    return GetTableRow(StoreOf(ranges), values);
  };
  EXPECT_EQ(row_of("0000002147483646"), 2147483647);
  EXPECT_EQ(row_of("0000002147483647"), 0);
  EXPECT_EQ(row_of("9999999999999999"), 0);
  ranges[3] = {10, 1, 0};
  EXPECT_EQ(row_of("0000000000000000"), 0);
}

TEST(ResultsSelectionTest, ScalesTheSelectedMetricAndReadsEachListAsOneNumber) {
  const ResultsStore store = StoreOf({}, Read(Rows({100}), Rows({1000}), Rows({10000}), 2));
  auto scaled = [&store](Metric metric, const char* cunit, int algorithm, std::int32_t run) {
    ResultsSelection selection;
    selection.SelectedMetric = metric;
    selection.cunit = cunit;  // read by the leading-number rule
    return GetSelData(store, selection, algorithm, run);
  };
  EXPECT_EQ(scaled(Metric::kTotalSeekTime, "2", 2, 1), 204);
  EXPECT_EQ(scaled(Metric::kAverageWaitingTime, "0.5", 2, 1), 501);
  EXPECT_EQ(scaled(Metric::kMaximumWaitingTime, " 3 TU", 2, 1), 30006);
  EXPECT_EQ(scaled(Metric::kTotalSeekTime, "1", 2, 2), 0.0);  // a run that wrote no row
  EXPECT_EQ(scaled(Metric::kTotalSeekTime, "1", 2, 3), std::nullopt);
  EXPECT_EQ(scaled(Metric::kTotalSeekTime, "1", 10, 1), std::nullopt);
  ResultsSelection selection;
  // "12abc" is not one number, though it starts with one; empty lists read 0.
  selection.cm_texts = {"200", "1E-05", "12abc"};
  const CombinationValues values = CurrentValues(selection);
  EXPECT_EQ(std::vector<double>(values.begin(), values.begin() + 4),
            std::vector<double>({200, 0.00001, 0, 0}));
}

TEST(CreateListsTest, ListsEveryValueAsNumberTextAndNamesTheDistributionParameters) {
  SweepRanges ranges;
  ranges.fill({15, 1, 15});
  ranges[0] = {100, 100, 300};
  ranges[3] = {10, 1, 0};         // no values
  ranges[5] = {0, 1, 1e15};       // more values than runs
  ranges[12] = {0.1, 0.1, 0.35};  // the third value is 0.30000000000000004
  const ValueLists lists = CreateLists(StoreOf(ranges, SweepResults(4), 1), {"keep 2", "keep 3"});
  EXPECT_THAT(lists.Cm[0].entries, ElementsAre("100", "200", "300"));
  EXPECT_THAT(lists.Cm[5].entries, ElementsAre("0", "1", "2", "3"));
  EXPECT_THAT(lists.Cm[12].entries, ElementsAre("0.1", "0.2", "0.3"));
  EXPECT_THAT(lists.Cm[15].entries, ElementsAre("15"));
  EXPECT_TRUE(lists.Cm[3].entries.empty());
  // Only a list that offers a choice is coloured.
  for (int k : {0, 5, 12}) EXPECT_EQ(lists.Cm[k].colour, ColorRole::kToolTip);
  for (int k : {3, 15}) EXPECT_EQ(lists.Cm[k].colour, ColorRole::kWindow);
  EXPECT_EQ(SelectedTexts(lists)[0], "100");
  EXPECT_EQ(SelectedTexts(lists)[3], "");
  EXPECT_EQ(lists.captions.parameter2, "Maximum Requests Per Time Unit");
  EXPECT_EQ(lists.captions.parameter3, "Request Arival Probability %");
  const XAxisCaptions poisson = CreateLists(StoreOf({}, SweepResults(1), 0), {}).captions;
  EXPECT_EQ(poisson.parameter2, "Request Arrival Rate (b/sec)");
  EXPECT_EQ(poisson.parameter3, "N/A");
  // A distribution the list does not know keeps the current captions.
  const XAxisCaptions unknown = CreateLists(StoreOf({}, {}, 7), {"keep 2", "keep 3"}).captions;
  EXPECT_EQ(unknown.parameter2, "keep 2");
  // The X-axis caption follows the results' distribution too, and before any
  // results it keeps its own name.
  EXPECT_EQ(XAxisName(2, 0), "Request Arrival Rate (b/sec)");
  EXPECT_EQ(XAxisName(2, -1), "Maximum Requests Per Time Unit");
}

}  // namespace
}  // namespace trakvist
