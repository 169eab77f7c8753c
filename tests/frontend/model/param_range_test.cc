#include "frontend/model/param_range.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace trakvist {
namespace {

using ::testing::ElementsAre;

TEST(ParseParamRangeTest, ParsesSingleValuesAndRanges) {
  const struct {
    const char* text;
    double from, step, to;
  } kCases[] = {{"", 0, 1, 0},
                {"abc", 0, 1, 0},
                {"250", 250, 1, 250},
                {"50,-10,10", 50, -10, 10},
                {"100,0,500", 100, 1, 500},
                {"500,0,100", 500, -1, 100},
                {"100,,300", 100, 1, 300},
                {"100,500", 100, 1, 100},
                {"1, 2 ,3,4,5", 1, 2, 3},
                {"10,1,0", 10, 1, 0},
                {"2.5,1e-1,5.5", 2.5, 0.1, 5.5}};
  for (const auto& c : kCases) {
    const ParamRange range = ParseParamRange(c.text);
    EXPECT_EQ(range.From, c.from) << c.text;
    EXPECT_EQ(range.Step, c.step) << c.text;
    EXPECT_EQ(range.To, c.to) << c.text;
  }
}

std::vector<double> ValuesOf(const char* text) { return RangeValues(ParseParamRange(text), 1000); }

TEST(RangeValuesTest, WalksByRepeatedAddition) {
  EXPECT_THAT(ValuesOf("100,100,500"), ElementsAre(100, 200, 300, 400, 500));
  EXPECT_THAT(ValuesOf("50,-10,10"), ElementsAre(50, 40, 30, 20, 10));
  EXPECT_THAT(ValuesOf(""), ElementsAre(0));
  EXPECT_TRUE(ValuesOf("10,1,0").empty());
  EXPECT_EQ(ValuesOf("100,0,500").size(), 401u);
  EXPECT_THAT(ValuesOf("0,0.1,0.3"), ElementsAre(0, 0.1, 0.2));  // 0.3 is overshot
  EXPECT_THAT(ValuesOf("0.1,0.1,0.35"), ElementsAre(0.1, 0.2, 0.1 + 0.1 + 0.1));
}

TEST(RangeValuesTest, EndlessRangesStayBounded) {
  EXPECT_THAT(RangeValues({1e20, 1, 2e20}, 1000), ElementsAre(1e20));  // + 1 changes nothing
  EXPECT_EQ(ValueCount({0, 0, 0}, 1000), 1);
  EXPECT_EQ(ValueCount({0, 1, 1e15}, 1000), 1000);
  EXPECT_EQ(ValueCount({0, 3, 10}, 1000), 4);
}

}  // namespace
}  // namespace trakvist
