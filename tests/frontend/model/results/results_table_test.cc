#include "frontend/model/results/results_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "frontend/model/results/formula.h"
#include "tests/frontend/model/results/results_test_support.h"

namespace trakvist {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// The cells of the three base metrics; the statistics' cells must be blank.
std::vector<std::string> BaseCells(const LTableRow& row) {
  for (std::size_t i = kBaseMetricCount; i < row.sub_items.size(); ++i) {
    EXPECT_EQ(row.sub_items[i], " ") << row.text << " cell " << i;
  }
  return {row.sub_items.begin(), row.sub_items.begin() + kBaseMetricCount};
}

// Three numbered runs, except as `set` changes SSTF's.
ResultsStore ThreeRuns(const std::vector<std::pair<Metric, std::vector<double>>>& set = {}) {
  SweepResults results = NumberedResults(3);
  for (const auto& [metric, values] : set) {
    for (int run = 1; run <= 3; ++run) results.Set(metric, 2, run, values[run - 1]);
  }
  return StoreOf(results);
}

std::vector<std::string> Names(const LTable& table) {
  std::vector<std::string> names;
  for (const LTableRow& row : table.rows) names.push_back(row.text + " " + row.key);
  return names;
}

TEST(CreateLTableTest, MakesABlankRowPerIncludedAlgorithm) {
  LTable table = StartLTable();
  EXPECT_EQ(table.rows.size(), 8u);
  ExclusionList list;
  list.selected[2] = true;  // SCAN besides FCFS
  table.SortColumn = 3;
  CreateLTable(&table, list);
  EXPECT_THAT(Names(table), ElementsAre("SSTF K2", "C-SCAN K4", "LOOK K5", "C-LOOK K6", "S-LOOK K7",
                                        "BO-PATH K8", "SATF K9"));
  for (const LTableRow& row : table.rows) EXPECT_THAT(row.sub_items, Each(" "));
  EXPECT_EQ(table.SortColumn, 3);
  // Once the list is clicked BO-PATH stays excluded.
  list.selected = {false, false, true};  // the user cleared FCFS and BO-PATH
  List1_Click(&list, &table);
  EXPECT_TRUE(list.selected[kBopathEntry]);
  EXPECT_THAT(IncludedAlgorithms(list), ElementsAre(1, 2, 4, 5, 6, 7, 9));
  EXPECT_EQ(table.rows.size(), 7u);
}

TEST(UpdateLTableTest, FillsEveryMetricOfAStoredRunAndLeavesOtherCells) {
  const ResultsStore store = ThreeRuns({{Metric::kTotalSeekTime, {0, 0, 2500}}});
  struct Case {
    const char* cunit;
    std::int32_t run;
    std::vector<std::string> sstf;  // SSTF's cells afterwards
  };
  const Case kCases[] = {
      {"1", 2, {"0", "22", "4"}},
      {"0.001", 3, {"2.5", "0.032", "0.005"}},  // the scale applies to all three
      {"x", 1, {"0", "0", "0"}},                // not a number: scale 0
      {"1", 0, {" ", " ", " "}},                // no run matched
      {"1", 4, {" ", " ", " "}},                // beyond the stored runs
      {"1", std::numeric_limits<std::int32_t>::min(), {" ", " ", " "}},
  };
  for (const Case& c : kCases) {
    LTable table = StartLTable();
    UpdateLTable(&table, store, c.cunit, c.run);
    EXPECT_THAT(BaseCells(table.rows[0]), ElementsAreArray(c.sstf)) << c.cunit << " " << c.run;
    EXPECT_EQ(FindRow(table, "K1"), nullptr);  // FCFS is excluded and gets no row
  }
}

TEST(UpdateLTableFormulaTest, CombinesEachMetricOverTheRuns) {
  const ResultsStore store = ThreeRuns(
      {{Metric::kTotalSeekTime, {10, 20, 40}}, {Metric::kMaximumWaitingTime, {0, -1, 0}}});
  struct Case {
    int formula;
    const char* cunit;
    std::vector<std::int32_t> runs;
    std::vector<std::string> sstf;
  };
  const Case kCases[] = {
      {kFormulaAverage, "1", {1, 2, 3}, {"23.3333333333333", "22", "-0.333333333333333"}},
      {kFormulaAverage, "3", {1, 2, 3}, {"70", "66", "-1"}},  // scaled once, at the end
      {kFormulaMinimum, "1", {3, 1, 2}, {"10", "12", "-1"}},
      {kFormulaMaximum, "1", {1, 3}, {"40", "32", "0"}},
      {kFormulaMaximum, "1", {1, 0, 3}, {" ", " ", " "}},  // a run without results
      {kFormulaAverage, "1", {}, {" ", " ", " "}},
      {0, "1", {1, 2}, {" ", " ", " "}},  // "None" combines nothing
  };
  for (const Case& c : kCases) {
    LTable table = StartLTable();
    UpdateLTableFormula(&table, store, c.cunit, c.formula, c.runs);
    EXPECT_THAT(BaseCells(table.rows[0]), ElementsAreArray(c.sstf)) << c.formula;
  }
}

TEST(SortLTableTest, SortsNumericallyAscendingAndStable) {
  struct Case {
    std::vector<std::pair<int, std::string>> rows;  // algorithm and cell, in display order
    int column;
    std::vector<std::string> order;
  };
  const Case kCases[] = {
      {{{2, "300"}, {3, "120"}, {5, "300"}, {6, "90"}}, 2, {"C-LOOK", "SCAN", "SSTF", "LOOK"}},
      {{{2, "1E+20"}, {3, "5"}}, 3, {"SCAN", "SSTF"}},
      {{{2, "1000"}, {3, "999"}, {4, " "}, {5, "-2"}}, 4, {"LOOK", "C-SCAN", "SCAN", "SSTF"}},
      {{{6, "1"}, {2, "9"}, {9, "5"}}, 1, {"SSTF", "C-LOOK", "SATF"}},
      // Below the algorithm column: sorted by algorithm, the indicator on it.
      {{{6, "1"}, {2, "9"}, {9, "5"}}, 0, {"SSTF", "C-LOOK", "SATF"}},
      {{{9, "1"}, {4, "9"}}, -1, {"C-SCAN", "SATF"}},
  };
  for (const Case& c : kCases) {
    LTable table;
    for (const auto& [a, cell] : c.rows) {
      table.rows.push_back({RowKey(a), std::string(ResultsStore::AlgorithmNames(a)), {}});
      table.rows.back().sub_items[std::max(c.column, 2) - 2] = cell;
    }
    for (int click = 0; click < 2; ++click) {  // a second click changes nothing
      ASSERT_TRUE(SortLTable(&table, c.column));
      std::vector<std::string> order;
      for (const LTableRow& row : table.rows) order.push_back(row.text);
      EXPECT_THAT(order, ElementsAreArray(c.order)) << c.column;
      EXPECT_EQ(table.SortColumn, std::max(c.column, 1));
    }
  }
  LTable table = StartLTable();
  for (int column : {10, 70000}) EXPECT_FALSE(SortLTable(&table, column));
  EXPECT_EQ(table.SortColumn, 1);
}

// With the statistics every metric has its column; with replications each
// cell holds the mean and the half-width of its 95 % interval.
TEST(UpdateLTableTest, ShowsTheStatisticsAndTheIntervalsOfReplications) {
  SweepResults runs(4);  // two combinations of two replications
  runs.EnablePercentiles();
  for (int run = 1; run <= 4; ++run) {
    for (Metric metric : kAllMetrics) runs.Set(metric, 2, run, run % 2 == 1 ? 10 : 14);
  }
  ResultsStore store;
  store.ReplaceResults(ReplicationMeans(runs, 2), SweepRanges{}, 0,
                       Replications{ReplicationPlan{2, {}}, runs});
  EXPECT_EQ(LTableColumns(store), kLTableAllColumnCount);
  LTable table = StartLTable();
  UpdateLTable(&table, store, "1", 2);
  // s = 2.828..., t(0.975, 1) = 12.7062047..., h = t s / sqrt(2) = 25.41
  EXPECT_THAT(table.rows[0].sub_items, Each(std::string("12") + std::string(kPlusMinus) + "25.4"));
  EXPECT_EQ(LTableColumns(ThreeRuns()), kLTableColumnCount);
  ASSERT_TRUE(SortLTable(&table, kLTableAllColumnCount));
  EXPECT_EQ(table.SortColumn, kLTableAllColumnCount);
}

TEST(HalfWidthTextTest, KeepsThreeSignificantDigits) {
  EXPECT_EQ(HalfWidthText(4662.9373), "4660");
  EXPECT_EQ(HalfWidthText(0.0123456), "0.0123");
  EXPECT_EQ(HalfWidthText(0), "0");
}

}  // namespace
}  // namespace trakvist
