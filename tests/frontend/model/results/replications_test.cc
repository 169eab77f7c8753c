#include "frontend/model/results/replications.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "frontend/model/runs/engine_runs.h"

namespace trakvist {
namespace {

TEST(StudentT975Test, MatchesTheTables) {
  const std::pair<int, double> kQuantiles[] = {
      {1, 12.706204736174703}, {2, 4.302652729749464}, {4, 2.7764451051977987},
      {10, 2.2281388519862744}, {30, 2.0422724563012373}, {999, 1.9623414611334487}};
  for (const auto& [degrees, quantile] : kQuantiles) {
    EXPECT_NEAR(StudentT975(degrees), quantile, 1e-9 * quantile) << degrees;
  }
}

TEST(ReplicationMeansTest, AveragesEachCombinationsReplications) {
  SweepResults runs(4);
  runs.EnablePercentiles();
  for (int run = 1; run <= 4; ++run) {
    runs.Set(Metric::kTotalSeekTime, 3, run, run);
    runs.Set(Metric::kP99WaitingTime, 3, run, 10 * run);
  }
  const SweepResults means = ReplicationMeans(runs, 2);
  ASSERT_EQ(means.RunCount(), 2);
  EXPECT_TRUE(means.HasPercentiles());
  EXPECT_EQ(means.Get(Metric::kTotalSeekTime, 3, 1), 1.5);
  EXPECT_EQ(means.Get(Metric::kP99WaitingTime, 3, 2), 35);
  EXPECT_TRUE(ReplicationMeans(runs, 1) == runs);
  const Replications replications{{2, {}}, runs};
  EXPECT_NEAR(HalfWidth(replications, Metric::kTotalSeekTime, 3, 2),
              12.706204736174703 * 0.70710678118654757 / 1.4142135623730951, 1e-9);
  EXPECT_EQ(HalfWidth(replications, Metric::kTotalSeekTime, 3, 3), 0);  // no such combination
}

// Each combination runs K times in a row, its seed counted up or the drawn
// seeds in turn; drawn seeds are passed even with "Randomize By Timer".
TEST(EngineRunCursorTest, RunsEachCombinationWithItsReplicationsSeeds) {
  SweepRanges ranges{};
  ranges[0] = {100, 100, 200};
  ranges[1] = {600, 1, 600};
  for (const auto& [plan, seeds] :
       {std::pair{ReplicationPlan{3, {}}, std::vector<double>{600, 601, 602, 600, 601, 602}},
        std::pair{ReplicationPlan{2, {9, 4}}, std::vector<double>{9, 4, 9, 4}},
        std::pair{ReplicationPlan{}, std::vector<double>{600, 600}}}) {
    std::vector<double> seen;
    std::vector<double> requests;
    std::int64_t run = 0;
    for (EngineRunCursor cursor(ranges, plan); !cursor.Done(); cursor.Next()) {
      EXPECT_EQ(cursor.Run(), ++run);
      seen.push_back(cursor.Values()[1]);
      requests.push_back(cursor.Values()[0]);
    }
    EXPECT_EQ(seen, seeds);
    EXPECT_EQ(requests.front(), 100);
    EXPECT_EQ(requests.back(), 200);
    EXPECT_EQ(EngineRunCount(ranges, plan, 1000), std::ssize(seeds));
  }
  RunSettings timer;
  timer.rtimer = true;
  EXPECT_TRUE(LineSettings(timer, ReplicationPlan{2, {}}).rtimer);
  EXPECT_FALSE(LineSettings(timer, ReplicationPlan{2, {9, 4}}).rtimer);
}

}  // namespace
}  // namespace trakvist
