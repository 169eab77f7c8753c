#include "frontend/model/chart/chart_update.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "frontend/model/chart/charts_tab.h"
#include "frontend/model/results/formula.h"
#include "frontend/model/results/replications.h"
#include "tests/frontend/model/results/results_test_support.h"

namespace trakvist {
namespace {

using ::testing::ElementsAre;
using Points = std::vector<std::optional<std::string>>;

// Requests 100, 200, 300 by `k` 1, 2: runs (100, 1) = 1, (100, 2) = 2,
// (200, 1) = 3 ... (300, 2) = 6.
SweepRanges Grid(int k) {
  SweepRanges ranges{};
  ranges[0] = {100, 100, 300};
  ranges[k] = {1, 1, 2};
  return ranges;
}

class ChartUpdateTest : public testing::Test {
 protected:
  ChartUpdateTest() : store_(StoreOf(NumberedResults(6), Grid(12))), tab_(StartChartsTab()) {
    link_ = ChartLinkFor(&tab_, &store_, [this] { ++refreshes_; });
    ShowNewResults(&tab_, store_);
  }

  void Refresh(ChartRefresh refresh) {
    EXPECT_EQ(refresh, ChartRefresh::kNow);
    UpdateChart(&tab_, store_);
  }
  std::string Cell(const char* key, int sub_item) const {
    return FindRow(tab_.table, key)->sub_items[sub_item - 1];
  }

  ResultsStore store_;
  ChartsTab tab_;
  ChartLink link_;
  int refreshes_ = 0;
};

TEST_F(ChartUpdateTest, WithoutXAxisVariableTheAlgorithmsAreTheCategories) {
  const ChartModel& chart = tab_.chart;
  EXPECT_FALSE(chart.legend_shown);
  EXPECT_THAT(chart.category_labels,
              ElementsAre("SSTF", "SCAN", "CSCAN", "LOOK", "CLOOK", "SLOOK", "BOPATH", "SATF"));
  EXPECT_EQ(chart.values,
            std::vector<Points>(
                {{"102"}, {"103"}, {"104"}, {"105"}, {"106"}, {"107"}, {"108"}, {"109"}}));
  EXPECT_EQ(Cell("K5", 3), "6");  // the table shows the same run
  EXPECT_TRUE(tab_.ResultsText.starts_with("SSTF\t102\r\nSCAN\t103\r\n"));
  Refresh(ChooseCmValue(&tab_, 0, 2));  // 300 requests: run 5
  Refresh(ChooseChartType(&tab_, ChartType::kLines));
  EXPECT_EQ(chart.values[1][0], "503");
  EXPECT_EQ(chart.chart_type, ChartType::kLines);
}

TEST_F(ChartUpdateTest, WithAnXAxisVariableEachAlgorithmIsASeries) {
  COption_Click(&tab_.x_axis, 0, link_);
  EXPECT_EQ(refreshes_, 1);
  const ChartModel& chart = tab_.chart;
  EXPECT_TRUE(chart.legend_shown);
  EXPECT_THAT(chart.category_labels, ElementsAre("100", "200", "300"));
  EXPECT_THAT(chart.series_labels,
              ElementsAre("SSTF", "SCAN", "C-SCAN", "LOOK", "C-LOOK", "S-LOOK", "BO-PATH", "SATF"));
  EXPECT_EQ(chart.category1_second_label, "Total Number of Requests");
  EXPECT_EQ(chart.values[2][0], "502");
  EXPECT_EQ(Cell("K2", 1), "102");  // the point chosen in the X-axis list
  Refresh(SetShowx(&tab_, false));
  EXPECT_EQ(chart.category1_second_label, "");

  ExclusionList sstf_and_look;
  sstf_and_look.selected.fill(true);
  sstf_and_look.selected[1] = sstf_and_look.selected[4] = false;
  Refresh(ExcludeAlgorithms(&tab_, sstf_and_look));
  EXPECT_EQ(tab_.ResultsText,
            "\tSSTF\tLOOK\r\n 100\t 102\t 105\r\n 200\t 302\t 305\r\n 300\t 502\t 505\r\n");
  // A header click puts the table form in its place until the next refresh.
  LTable_ColumnClick(&tab_, 2);
  EXPECT_EQ(tab_.ResultsText, "SSTF\t102\r\nLOOK\t105\r\n");
}

TEST_F(ChartUpdateTest, AFormulaCombinesTheXAxisRangePerAlgorithm) {
  COption_Click(&tab_.x_axis, 0, link_);
  SetSRCheck(&tab_, true);
  const std::pair<int, const char*> kCases[] = {
      {kFormulaAverage, "302"}, {kFormulaMinimum, "102"}, {kFormulaMaximum, "502"}};
  for (const auto& [formula, sstf] : kCases) {  // over runs 1, 3 and 5
    SetFormula(&tab_.x_axis, formula, link_);
    EXPECT_EQ(tab_.chart.category_labels.size(), 8u);
    EXPECT_EQ(tab_.chart.values[0][0], sstf);
    EXPECT_EQ(Cell("K2", 1), sstf);
  }
  // The values are the formula's over the whole range, not those of one point.
  EXPECT_TRUE(tab_.chart.footnote.starts_with(
      "(Maximum over Total Number of Requests 100 to 300) SSTF: 502  SCAN: 503  C-SCAN: 504  "));
  EXPECT_TRUE(tab_.ResultsText.starts_with("SSTF\t502\r\n"));
}

TEST_F(ChartUpdateTest, FootnoteAndTitle) {
  struct Case {
    int x;
    bool show_results;
    const char* title;
    std::vector<int> ticks;
    std::string footnote;
    const char* chart_title;
  };
  const std::string kResults =
      "SSTF: 302  SCAN: 303  C-SCAN: 304  LOOK: 305  C-LOOK: 306  S-LOOK: 307  BO-PATH: 308  "
      "SATF: 309  ";
  const Case kCases[] = {
      {16, false, "", {}, "", ""},
      {16, true, "Some", {}, kResults, "Some"},
      {0,
       true,
       "Total Seek Time",
       {0, 10, 12},  // 0 varies along the axis
       "(For Total Number of Requests=200) " + kResults,
       "Total Seek Time,  Total Cylinders=0  Number of Seconds Per Time Unit=1"},
      {16, false, "", {0, 6}, "", "  Total Number of Requests=200"},  // 6 is disabled
  };
  for (const Case& c : kCases) {
    ChooseCmValue(&tab_, 0, 1);
    COption_Click(&tab_.x_axis, c.x, link_);
    SetSRCheck(&tab_, c.show_results);
    SetTitle(&tab_, c.title);
    tab_.x_axis.pcheck_checked = {};
    for (int k : c.ticks) tab_.x_axis.pcheck_checked[k] = true;
    PCheck_Click(link_);
    EXPECT_EQ(tab_.chart.footnote, c.footnote) << c.title;
    EXPECT_EQ(tab_.chart.title, c.chart_title) << c.title;
  }
}

TEST_F(ChartUpdateTest, TriggersRefreshAtOnceOrAfterTheDelay) {
  EXPECT_EQ(SetTitle(&tab_, "typed"), ChartRefresh::kRestartDelay);
  EXPECT_EQ(SetTitle(&tab_, "typed"), ChartRefresh::kNone);
  EXPECT_EQ(SetCunit(&tab_, "-2.5e-3x"), ChartRefresh::kRestartDelay);
  EXPECT_EQ(tab_.selection.cunit, "2.5e-3");
  EXPECT_EQ(ChooseMetric(&tab_, Metric::kAverageWaitingTime), ChartRefresh::kNow);
  EXPECT_EQ(tab_.Title, "typed");  // a typed title stays
  EXPECT_EQ(SetCTitle(&tab_, false), ChartRefresh::kNow);
  EXPECT_EQ(tab_.Title, "Average Waiting Time");
  EXPECT_EQ(tab_.title_color, ColorRole::kButtonFace);
  EXPECT_EQ(ChooseMetric(&tab_, Metric::kMaximumWaitingTime), ChartRefresh::kNow);
  EXPECT_EQ(tab_.Title, "Maximum Waiting Time");
  for (auto [k, entry] : {std::pair{0, 3}, {0, -1}, {16, 0}, {-1, 0}}) {
    EXPECT_EQ(ChooseCmValue(&tab_, k, entry), ChartRefresh::kNone) << k << " " << entry;
  }
  // The Y scale copies the seconds per TU.
  EXPECT_EQ(SetCopyTU(&tab_, true), ChartRefresh::kRestartDelay);
  EXPECT_TRUE(tab_.cunit_read_only);
  Refresh(ChooseCmValue(&tab_, 12, 1));  // 2 seconds per TU: run 2
  EXPECT_EQ(tab_.selection.cunit, "2");
  EXPECT_EQ(tab_.chart.values[0][0], "8");  // maximum wait 4 TU
  EXPECT_EQ(Cell("K2", 1), "404");
  SetCopyTU(&tab_, false);
  EXPECT_EQ(tab_.cunit_color, ColorRole::kWindow);
  EXPECT_EQ(tab_.selection.cunit, "2");
}

TEST_F(ChartUpdateTest, YAxisTitleNamesMetricAndUnit) {
  const std::pair<std::function<void()>, const char*> kSteps[] = {
      {[] {}, "Total Seek Time (TU)"},
      {[this] { ChooseMetric(&tab_, Metric::kAverageWaitingTime); }, "Average Waiting Time (TU)"},
      {[this] { SetCunit(&tab_, "2.5e-3"); }, "Average Waiting Time (TU \u00d7 0.0025)"},
      {[this] { SetCopyTU(&tab_, true); }, "Average Waiting Time (s)"},
      {[this] { COption_Click(&tab_.x_axis, 0, link_); }, "Average Waiting Time (s)"},
  };
  for (const auto& [step, title] : kSteps) {
    step();
    UpdateChart(&tab_, store_);
    EXPECT_EQ(tab_.chart.y_axis_title, title);
  }
}

// The statistics' buttons follow the stored results; a statistic chosen
// while results with them were shown gives way to the total seek time when
// results without them replace them, and cannot be chosen again.
TEST(ChartStatisticsTest, StatisticsFollowTheStoredResults) {
  SweepResults with = NumberedResults(6);
  with.EnablePercentiles();
  with.Set(Metric::kP95WaitingTime, 2, 1, 42);
  const ResultsStore with_store = StoreOf(with, Grid(12));
  const ResultsStore without_store = StoreOf(NumberedResults(6), Grid(12));
  ChartsTab tab = StartChartsTab();
  SetCTitle(&tab, false);  // the title names the metric
  EXPECT_FALSE(tab.statistics_enabled);
  EXPECT_EQ(ChooseMetric(&tab, Metric::kP95WaitingTime), ChartRefresh::kNone);
  EXPECT_EQ(tab.selection.SelectedMetric, Metric::kTotalSeekTime);

  ShowNewResults(&tab, with_store);
  EXPECT_TRUE(tab.statistics_enabled);
  EXPECT_EQ(ChooseMetric(&tab, Metric::kP95WaitingTime), ChartRefresh::kNow);
  UpdateChart(&tab, with_store);
  EXPECT_EQ(tab.Title, "95th Percentile Waiting Time");
  EXPECT_EQ(tab.chart.values[0][0], "42");
  EXPECT_EQ(tab.chart.y_axis_title, "95th Percentile Waiting Time (TU)");

  ShowNewResults(&tab, without_store);
  EXPECT_FALSE(tab.statistics_enabled);
  EXPECT_EQ(tab.selection.SelectedMetric, Metric::kTotalSeekTime);
  EXPECT_EQ(tab.Title, "Total Seek Time");
  EXPECT_EQ(tab.chart.values[0][0], "102");
}

// Replicated results: combination c ran twice, algorithm a's total seek
// being 100 c + a - 1 and 100 c + a + 1, so each mean is 100 c + a and each
// half-width t(0.975, 1) · √2 / √2, scaled by the Y scale. Error bars go
// on single points, bars or lines, never on a formula's values, and not
// without replications.
TEST(ChartErrorBarsTest, ReplicatedPointsCarryTheirHalfWidths) {
  Replications replications;
  replications.plan.count = 2;
  replications.runs = SweepResults(12);
  for (std::int32_t c = 1; c <= 6; ++c) {
    for (int a = 1; a <= kAlgorithmCount; ++a) {
      for (int k = 0; k < 2; ++k) {
        replications.runs.Set(Metric::kTotalSeekTime, a,
                              static_cast<std::int32_t>(EngineRunOf(c, k, 2)),
                              100 * c + a + (k == 0 ? -1 : 1));
      }
    }
  }
  ResultsStore store;
  store.ReplaceResults(ReplicationMeans(replications.runs, 2), Grid(12), 1, replications);
  ChartsTab tab = StartChartsTab();
  ShowNewResults(&tab, store);
  const double h = StudentT975(1);
  EXPECT_EQ(tab.chart.values[0][0], "102");
  ASSERT_EQ(tab.chart.half_widths.size(), 8u);
  EXPECT_DOUBLE_EQ(*tab.chart.half_widths[0][0], h);

  const ChartLink link = ChartLinkFor(&tab, &store);
  COption_Click(&tab.x_axis, 0, link);  // series over the requests
  ASSERT_EQ(tab.chart.half_widths.size(), 3u);
  ASSERT_EQ(tab.chart.half_widths[2].size(), 8u);
  EXPECT_DOUBLE_EQ(*tab.chart.half_widths[2][7], h);
  SetCunit(&tab, "2");
  UpdateChart(&tab, store);
  EXPECT_EQ(tab.chart.values[2][7], "1018");
  EXPECT_DOUBLE_EQ(*tab.chart.half_widths[2][7], 2 * h);

  SetFormula(&tab.x_axis, kFormulaAverage, link);
  EXPECT_TRUE(tab.chart.half_widths.empty());

  ChartsTab single = StartChartsTab();
  const ResultsStore unreplicated = StoreOf(NumberedResults(6), Grid(12));
  ShowNewResults(&single, unreplicated);
  EXPECT_TRUE(single.chart.half_widths.empty());
}

// Before results exist nothing is drawn; afterwards every layout copes with
// stores that lack the runs the lists point at: no store at all, and a
// damaged one that lists six combinations but holds three runs.
TEST(ChartUpdateSafetyTest, PointsWithoutResultsHaveNoValue) {
  ChartsTab start = StartChartsTab();
  const ResultsStore empty;
  EXPECT_FALSE(UpdateChart(&start, empty));
  EXPECT_EQ(start.chart.values, std::vector<Points>({{"0"}}));
  for (const ResultsStore& store : {empty, StoreOf(NumberedResults(3), Grid(15))}) {
    ChartsTab tab = StartChartsTab();
    ShowNewResults(&tab, store);
    ChooseCmValue(&tab, 15, 1);  // runs 2, 4, 6
    SetSRCheck(&tab, true);
    const ChartLink link = ChartLinkFor(&tab, &store);
    for (int x : {15, 16, 0}) {
      for (int formula : {kFormulaAverage, 0}) {
        COption_Click(&tab.x_axis, x, link);
        SetFormula(&tab.x_axis, formula, link);
      }
    }
    if (store.RunCount() == 0) {
      EXPECT_TRUE(tab.chart.values.empty());
      COption_Click(&tab.x_axis, 16, link);
      EXPECT_EQ(tab.chart.values[0][0], std::nullopt);
      EXPECT_EQ(tab.table.rows[0].sub_items[0], " ");
      EXPECT_TRUE(tab.chart.footnote.starts_with("SSTF:   SCAN:   "));
    } else {
      EXPECT_EQ(tab.chart.values[0][0], "202");
      EXPECT_EQ(tab.chart.values[2][0], std::nullopt);
      EXPECT_TRUE(tab.ResultsText.ends_with("\r\n 300\t\t\t\t\t\t\t\t\r\n"));
    }
  }
}

}  // namespace
}  // namespace trakvist
