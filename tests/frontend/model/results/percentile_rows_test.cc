#include "frontend/model/results/percentile_rows.h"

#include <gtest/gtest.h>

#include <string>

namespace trakvist {
namespace {

constexpr std::string_view kLabel = ",FCFS,SSTF,SCAN,C-SCAN,LOOK,C-LOOK,S-LOOK,BO-PATH,SATF\n";

std::string RunRows(int base) {
  std::string rows;
  for (std::string_view name : kPercentileRowNames) {
    rows += std::string(name);
    for (int a = 1; a <= kAlgorithmCount; ++a) rows += "," + std::to_string(base + a);
    rows += name == "sd" ? ".5\r\n" : "\n";
  }
  return rows;
}

// One run's own file after another, each with its label row, read in order.
TEST(ReadPercentileRowsTest, ReadsFiveRowsPerRunAcrossLabelRows) {
  SweepResults results(2);
  results.Set(Metric::kTotalSeekTime, 1, 1, 7);
  std::string problem;
  const std::string text = std::string(kLabel) + RunRows(10) + std::string(kLabel) + RunRows(20);
  ASSERT_TRUE(ReadPercentileRows(text, &results, &problem)) << problem;
  EXPECT_TRUE(results.HasPercentiles());
  EXPECT_EQ(results.Get(Metric::kMedianWaitingTime, 2, 1), 12);
  EXPECT_EQ(results.Get(Metric::kWaitingTimeStdDev, 9, 2), 29.5);
  EXPECT_EQ(results.Get(Metric::kTotalSeekTime, 1, 1), 7);
}

TEST(ReadPercentileRowsTest, RefusesAnythingElseAndChangesNothing) {
  const std::string good = RunRows(10) + RunRows(20);
  const std::string kRefused[] = {
      "",                                         // an engine that wrote nothing
      RunRows(10),                                // one run short
      good + RunRows(30),                         // one run more
      RunRows(10) + RunRows(20).substr(4),        // p90 where p50 belongs
      RunRows(10) + "p50,1,2\n" + RunRows(20).substr(RunRows(20).find('\n') + 1),
      good.substr(0, good.find(",11")) + ",x" + good.substr(good.find(",11") + 3),
  };
  for (const std::string& text : kRefused) {
    SweepResults results(2);
    std::string problem;
    EXPECT_FALSE(ReadPercentileRows(text, &results, &problem)) << text;
    EXPECT_FALSE(problem.empty());
    EXPECT_FALSE(results.HasPercentiles());
  }
}

}  // namespace
}  // namespace trakvist
