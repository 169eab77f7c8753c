#include "frontend/model/chart/results_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace trakvist {
namespace {

TEST(ResultsTextTest, SignedNumbersAlignOnTheirSign) {
  const std::pair<double, const char*> kCases[] = {
      {100, " 100"}, {0, " 0"}, {-0.0, " 0"}, {0.5, " 0.5"}, {-0.25, "-0.25"}, {-1e20, "-1E+20"}};
  for (const auto& [value, text] : kCases) EXPECT_EQ(SignedNumberText(value), text) << value;
  const std::vector<std::optional<double>> values = {1234, -3.5, std::nullopt};
  EXPECT_EQ(SeriesLine(-10, values), "-10\t 1234\t-3.5\t\r\n");
}

TEST(ResultsTextTest, TableFormWritesTheSelectedMetricInDisplayOrder) {
  LTable table;
  table.rows = {{"K2", "SSTF", {"900", "7", "30"}}, {"K3", "SCAN", {"1000", "5", "20"}}};
  EXPECT_EQ(CopyLtable(table, Metric::kTotalSeekTime), "SSTF\t900\r\nSCAN\t1000\r\n");
  EXPECT_EQ(CopyLtable(table, Metric::kMaximumWaitingTime), "SSTF\t30\r\nSCAN\t20\r\n");
  // Sorted by another column, the lines follow it with the same metric.
  ASSERT_TRUE(SortLTable(&table, 3));
  EXPECT_EQ(CopyLtable(table, Metric::kTotalSeekTime), "SCAN\t1000\r\nSSTF\t900\r\n");
}

}  // namespace
}  // namespace trakvist
