#include "frontend/model/path/path_view.h"

#include <gtest/gtest.h>

#include <utility>

#include "frontend/model/chart/chart_update.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/runs/run_monitor.h"
#include "frontend/model/runs/sweep.h"

namespace trakvist {
namespace {

constexpr char kLog[] =
    "algorithm,tu,cylinder,event,request,arrival\n"
    "FCFS,0,10,start,,\nFCFS,0,10,move,,\nFCFS,5,15,arrive,,\nFCFS,5,15,serve,0,0\n"
    "FCFS,6,15,end,,\n"
    "SSTF,0,10,start,,\nSSTF,0,10,move,,\nSSTF,5,15,arrive,,\nSSTF,5,15,serve,0,0\n"
    "SSTF,6,15,end,,\n"
    "SCAN,0,10,start,,\nSCAN,0,10,move,,\nSCAN,9,19,turn,,\nSCAN,13,15,arrive,,\n"
    "SCAN,13,15,serve,0,1\nSCAN,14,15,end,,\n";

TEST(PathViewTest, PanelsForTheAlgorithmsShownTitledWithTheRunsTotals) {
  const HeadPathRead read = ReadHeadPath(kLog);
  ASSERT_TRUE(read.path) << read.problem;
  PathRunChoice choice;
  choice.algorithms = {2, 3, 5};  // SSTF, SCAN and LOOK (not in the log)
  choice.cylinders = 20;
  SweepResults results(1);
  results.Set(Metric::kTotalSeekTime, 3, 1, 236);
  results.Set(Metric::kAverageWaitingTime, 3, 1, 12.5);
  const PathPicture picture = MakePathPicture(*read.path, choice, results);
  ASSERT_EQ(picture.panels.size(), 2u);
  EXPECT_EQ(picture.panels[0].path->algorithm, "SSTF");
  EXPECT_EQ(picture.panels[1].title, "SCAN \u2014 total seek 236 TU, average wait 12.5 TU");
  EXPECT_EQ(picture.last_tu, 14);
  EXPECT_EQ(picture.highest, 19);

  // Without result rows the wait comes from the log.
  EXPECT_EQ(MakePathPicture(*read.path, choice, SweepResults()).panels[1].title,
            "SCAN \u2014 total seek 0 TU, average wait 12 TU");
  EXPECT_EQ(PathPanelTitle("LOOK", 208, 1.0 / 3, 0.002),
            "LOOK \u2014 total seek 0.416 s, average wait 0.001 s");
  EXPECT_EQ(PathTimeText(1500, 0.001), "1.5");
}

TEST(PathViewTest, ChoosesTheChartsValuesOnceResultsExistElseTheFirstValues) {
  MainState state = StartMainState(StartContext{});
  SetFieldText(&state.panel, 0, "100,100,300");
  SetFieldText(&state.panel, 11, "7");
  PathRunChoice choice = ChoosePathRun(state);
  EXPECT_EQ(choice.field_texts[0], "100");
  EXPECT_EQ(choice.field_texts[11], "7");
  EXPECT_EQ(choice.algorithms, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9}));  // FCFS excluded
  EXPECT_EQ(choice.seconds_per_tu, 0);

  state.panel.ofcfs = true;
  state.charts.exclusion.selected.fill(false);
  state.charts.CopyTU = true;
  choice = ChoosePathRun(state);
  EXPECT_EQ(choice.algorithms.front(), 2);
  EXPECT_GT(choice.seconds_per_tu, 0);

  // A sweep of parameter 0 stored: the value chosen in its list is run.
  std::array<std::string, kParameterCount> texts = choice.field_texts;
  texts[0] = "100,100,300";
  SweepEnd end;
  end.kind = SweepEndKind::kCompleted;
  end.results = SweepResults(3);
  end.result_ranges = FillSweepRanges(texts, RequestSource::kDistribution, false);
  ApplySweepEnd(std::move(end), &state.store, &state.panel);
  ShowNewResults(&state.charts, state.store);
  ASSERT_EQ(state.charts.lists.Cm[0].entries.size(), 3u);
  state.charts.lists.Cm[0].selected = 2;
  EXPECT_EQ(ChoosePathRun(state).field_texts[0], "300");
}

}  // namespace
}  // namespace trakvist
