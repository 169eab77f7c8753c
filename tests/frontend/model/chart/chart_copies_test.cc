#include "frontend/model/chart/chart_copies.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trakvist {
namespace {

using ::testing::ElementsAre;
using Window = std::pair<int, std::string>;

// Each window's number and the text that tells which snapshot it holds.
std::vector<Window> Windows(const ChartCopies& copies) {
  std::vector<Window> windows;
  for (const ChartWindow& window : copies.windows) {
    windows.emplace_back(window.number, window.Cchart.title + window.text);
  }
  return windows;
}

TEST(ChartCopiesTest, RemovingMovesTheLastWindowIntoTheGap) {
  ChartCopies copies;
  ChartModel chart = StartChartModel();
  for (const char* title : {"a", "b", "c"}) {
    chart.title = title;
    Publish(&copies, chart, "!");
  }
  chart.title = "later";  // published windows are snapshots
  EXPECT_THAT(Windows(copies), ElementsAre(Window{1, "a!"}, Window{2, "b!"}, Window{3, "c!"}));
  ASSERT_TRUE(RemoveChartWindow(&copies, 1));
  EXPECT_THAT(Windows(copies), ElementsAre(Window{1, "c!"}, Window{2, "b!"}));
  ASSERT_TRUE(RemoveChartWindow(&copies, 2));  // the last one: nobody moves
  EXPECT_THAT(Windows(copies), ElementsAre(Window{1, "c!"}));
  for (int number : {0, 2, -1}) EXPECT_FALSE(RemoveChartWindow(&copies, number));
  ASSERT_TRUE(RemoveChartWindow(&copies, 1));
  EXPECT_EQ(ChartCopyCount(copies), 0);
  EXPECT_EQ(FindChartWindow(copies, 1), nullptr);
  EXPECT_EQ(Publish(&copies, chart, ""), 1);
  EXPECT_EQ(FindChartWindow(copies, 1)->Cchart.title, "later");
}

TEST(ChartWindowLayoutTest, ChartFillsTheWindowDownToAMinimum) {
  struct Case {
    int width, height;
    int chart_width, chart_height, copy_top;
  };
  const Case kCases[] = {
      {400, 300, 390, 264, 274},
      {20, 20, 10, 30, -6},
      {100000, 100000, 32767, 32767, 99974},  // the chart's sizes are 16-bit
      {-50, -50, 10, 30, -76},
  };
  for (const Case& c : kCases) {
    ChartWindowLayout layout;
    ResizeChartWindow(&layout, c.width, c.height);
    EXPECT_EQ(layout.chart_left + layout.chart_top, 10);
    EXPECT_EQ(layout.chart_width, c.chart_width) << c.width;
    EXPECT_EQ(layout.chart_height, c.chart_height) << c.height;
    EXPECT_EQ(layout.copy_top, c.copy_top) << c.height;
  }
}

}  // namespace
}  // namespace trakvist
