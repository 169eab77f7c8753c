#include "frontend/model/value_lists.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>

namespace trakvist {
namespace {

using ::testing::ElementsAre;

ValueLists ListsOf(const SweepRanges& ranges, std::int32_t runs, std::int16_t distribution) {
  ResultsStore store;
  store.ReplaceResults(SweepResults(runs), ranges, distribution);
  return CreateLists(store, {"previous 2", "previous 3"});
}

TEST(CreateListsTest, ListsEveryValueAsNumberText) {
  SweepRanges ranges;
  ranges.fill({15, 1, 15});
  ranges[0] = {100, 100, 300};
  ranges[3] = {10, 1, 0};        // no values
  ranges[5] = {0, 1, 1e15};      // more values than runs
  ranges[12] = {0.1, 0.1, 0.3};  // the third value overshoots 0.3
  const ValueLists lists = ListsOf(ranges, 4, 0);
  EXPECT_THAT(lists.Cm[0].entries, ElementsAre("100", "200", "300"));
  EXPECT_THAT(lists.Cm[5].entries, ElementsAre("0", "1", "2", "3"));
  EXPECT_THAT(lists.Cm[12].entries, ElementsAre("0.1", "0.2"));
  EXPECT_THAT(lists.Cm[15].entries, ElementsAre("15"));
  EXPECT_TRUE(lists.Cm[3].entries.empty());
  for (int k : {0, 5, 12}) EXPECT_EQ(lists.Cm[k].colour, ColorRole::kToolTip);
  for (int k : {3, 15}) EXPECT_EQ(lists.Cm[k].colour, ColorRole::kWindow);
  const auto texts = SelectedTexts(lists);
  EXPECT_EQ(texts[0], "100");
  EXPECT_EQ(texts[3], "");
  EXPECT_EQ(texts[12], "0.1");
}

TEST(CreateListsTest, NamesParametersTwoAndThreeAfterTheDistribution) {
  const struct {
    std::int16_t distribution;
    const char* caption2;
    const char* caption3;
  } kCases[] = {{0, "Request Arrival Rate (b/sec)", "N/A"},
                {1, "Maximum Requests Per Time Unit", "Request Arival Probability %"},
                {7, "previous 2", "previous 3"}};
  for (const auto& c : kCases) {
    const ValueLists lists = ListsOf({}, 1, c.distribution);
    EXPECT_EQ(lists.captions.parameter2, c.caption2);
    EXPECT_EQ(lists.captions.parameter3, c.caption3);
  }
}

}  // namespace
}  // namespace trakvist
