#include "frontend/model/sweep.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace trakvist {
namespace {

SweepRanges SingleValues() {
  SweepRanges ranges;
  for (int k = 0; k < kParameterCount; ++k) ranges[k] = {k + 1.0, 1, k + 1.0};
  return ranges;
}

TEST(FillSweepRangesTest, RequestSourceAndTimerZeroTheirParameters) {
  std::array<std::string, kParameterCount> texts;
  for (int k = 0; k < kParameterCount; ++k) texts[k] = std::to_string(k + 1);
  const struct {
    RequestSource source;
    bool timer;
    std::array<double, 4> firsts;  // parameters 0 to 3
  } kCases[] = {{RequestSource::kDistribution, false, {1, 2, 3, 4}},
                {RequestSource::kDistribution, true, {1, 0, 3, 4}},
                {RequestSource::kAllAtTimeZero, false, {1, 2, 0, 0}},
                {RequestSource::kManual, true, {0, 0, 0, 0}}};
  for (const auto& c : kCases) {
    const SweepRanges ranges = FillSweepRanges(texts, c.source, c.timer);
    for (int k = 0; k < kParameterCount; ++k) {
      const double value = k < 4 ? c.firsts[k] : k + 1;
      EXPECT_TRUE(ranges[k].From == value && ranges[k].Step == 1 && ranges[k].To == value) << k;
    }
  }
}

TEST(SweepCursorTest, ParameterZeroChangesSlowest) {
  SweepRanges ranges = SingleValues();
  ranges[0] = {100, 100, 300};
  ranges[5] = {1, 1, 2};
  std::vector<std::pair<double, double>> seen;
  for (SweepCursor cursor(ranges); !cursor.Done(); cursor.Next()) {
    EXPECT_EQ(cursor.Run(), static_cast<std::int64_t>(seen.size()) + 1);
    EXPECT_EQ(cursor.Values()[15], 16);
    seen.emplace_back(cursor.Values()[0], cursor.Values()[5]);
  }
  const std::vector<std::pair<double, double>> expected = {{100, 1}, {100, 2}, {200, 1},
                                                           {200, 2}, {300, 1}, {300, 2}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(TotalRequests(ranges, RequestSource::kDistribution, 0), 600);
}

TEST(SweepCursorTest, NoCombinationsOrMoreThanCanBeBuilt) {
  for (int k : {0, 9, 15}) {
    SweepRanges ranges = SingleValues();
    ranges[k] = {10, 1, 0};  // the step points away from To
    EXPECT_FALSE(HasCombinations(ranges)) << k;
    EXPECT_TRUE(SweepCursor(ranges).Done()) << k;
  }
  SweepRanges ranges;
  ranges.fill({0, 1, 9});  // 10^16 combinations; run r + 1 spells r in digits
  SweepCursor cursor(ranges);
  for (int i = 0; i < 1234; ++i) cursor.Next();
  EXPECT_EQ(cursor.Run(), 1235);
  EXPECT_EQ(cursor.Values(), (CombinationValues{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4}));
}

TEST(TotalRequestsTest, AddsRoundedValuesWithThirtyTwoBitWrap) {
  const std::pair<ParamRange, std::int32_t> kCases[] = {
      {{300, -100, 100}, 600},
      {{2.5, 1.5, 6.5}, 12},  // rounded halves to even: 2, 4, 6
      {{10, 1, 0}, 0},
      {{5, 0.4, 10}, 5},  // a step rounding to 0: first value once
      {{1e12, 1, 1e12}, 2147483647},
      {{2147483647, -1, 2147483646}, -3},
      {{2e9, 1e8, 2.1e9}, -194967296},
      {{-1000, 3, 100000}, 1666482833},
      {{-2147483648.0, 1, 2147483647}, -2147483647 - 1}};
  for (const auto& [range, total] : kCases) {
    SweepRanges ranges = SingleValues();
    ranges[0] = range;
    EXPECT_EQ(TotalRequests(ranges, RequestSource::kAllAtTimeZero, 0), total) << range.From;
  }
  EXPECT_EQ(TotalRequests(SingleValues(), RequestSource::kManual, 42), 42);
}

TEST(GetInerTotalTest, MultipliesRoundedEstimatesOfInnerParameters) {
  const struct {
    std::vector<std::pair<int, ParamRange>> ranges;
    std::int32_t total;
  } kCases[] = {{{{1, {0, 3, 10}}}, 4},  // 4.33 rounded, like the four values 0, 3, 6, 9
                {{{1, {0, 3, 11}}}, 5},  // 4.67 rounded, though there are still four values
                {{{0, {1, 1, 100}}}, 1},
                {{{3, {0, 1, 1.5}}, {4, {0, 1, 1.5}}}, 5},  // 2.5 -> 2, then 2 * 2.5 = 5, not 6
                {{{9, {10, 1, 0}}}, -9},
                {{{9, {0, 0, 0}}}, 0},  // 0 / 0 is not a number
                {{{1, {0, 1, 9999}}, {2, {0, 1, 9999}}, {3, {0, 1, 9999}}}, 2147483647}};
  for (const auto& c : kCases) {
    SweepRanges ranges = SingleValues();
    for (const auto& [k, range] : c.ranges) ranges[k] = range;
    EXPECT_EQ(GetInerTotal(ranges), c.total);
  }
}

}  // namespace
}  // namespace trakvist
