#include "frontend/model/runs/sweep.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace trakvist {
namespace {

using ::testing::ElementsAre;

std::tuple<double, double, double> AsTuple(const ParamRange& r) { return {r.From, r.Step, r.To}; }

std::vector<double> ValuesOf(const char* text) { return RangeValues(ParseParamRange(text), 1000); }

TEST(ParamRangeTest, ParsesAndWalksByRepeatedAdditionUpToTo) {
  EXPECT_EQ(AsTuple(ParseParamRange("500,0,100")), std::tuple(500.0, -1.0, 100.0));  // zero step
  EXPECT_EQ(AsTuple(ParseParamRange("100,,300")), std::tuple(100.0, 1.0, 300.0));
  EXPECT_EQ(AsTuple(ParseParamRange("1, 2 ,3,4,5")), std::tuple(1.0, 2.0, 3.0));
  EXPECT_EQ(AsTuple(ParseParamRange("2.5,1e-1,5.5")), std::tuple(2.5, 0.1, 5.5));
  EXPECT_EQ(AsTuple(ParseParamRange("100,500")), std::tuple(100.0, 1.0, 100.0));  // one comma
  EXPECT_THAT(ValuesOf("50,-10,10"), ElementsAre(50, 40, 30, 20, 10));
  EXPECT_THAT(ValuesOf(""), ElementsAre(0));
  EXPECT_TRUE(ValuesOf("10,1,0").empty());  // the step points away from To
  EXPECT_EQ(ValuesOf("100,0,500").size(), 401u);
  EXPECT_EQ(ValuesOf("500,0,100").size(), 401u);
  EXPECT_THAT(ValuesOf("0.1,0.1,0.3"), ElementsAre(0.1, 0.2));  // 0.1 + 0.1 + 0.1 > 0.3
  // Endless ranges stay bounded: by the limit, or when a step changes nothing.
  EXPECT_EQ(ValueCount({0, 1, 1e15}, 1000), 1000);
  EXPECT_THAT(RangeValues({1e20, 1, 2e20}, 1000), ElementsAre(1e20));
}

// Parameter k is the single value k + 1.
SweepRanges SingleValues() {
  SweepRanges ranges;
  for (int k = 0; k < kParameterCount; ++k) ranges[k] = {k + 1.0, 1, k + 1.0};
  return ranges;
}

TEST(ParamRangeTest, CountsWholeNumberRangesAsTheirWalk) {
  const ParamRange kRanges[] = {{1, 1, 10},
                                {1, 3, 10.5},
                                {10, -3, 0.5},
                                {-7, 2, 7},
                                {5, 1, 4},
                                {5, -1, 6},
                                {2, 0, 9},
                                {0, 1, 0},
                                {0.5, 1, 3},
                                {1, 0.5, 3},
                                {1, 1, 1e300},
                                {1e17, 1, 2e17},
                                {3, 1, std::nan("")},
                                {-4503599627370496.0, 1, -4503599627370490.0}};
  for (const ParamRange& range : kRanges) {
    EXPECT_EQ(ValueCount(range, 100), static_cast<std::int64_t>(RangeValues(range, 100).size()))
        << range.From << "," << range.Step << "," << range.To;
  }
  EXPECT_EQ(ValueCount({1, 1, 3e9}, std::int64_t{1} << 40), 3000000000);
}

TEST(CombinationCountTest, MultipliesTheValueCountsUpToTheLimit) {
  const struct {
    int ranged;  // parameters 0 to ranged - 1 take `range`, the others one value
    ParamRange range;
    std::int64_t limit;
    std::int64_t count;
  } kCases[] = {{0, {}, 100, 1},
                {2, {1, 1, 9}, 100, 81},
                {2, {1, 1, 10}, 100, 100},
                {2, {1, 1, 11}, 100, 100},
                {3, {1, 1, 9}, 100, 100},
                {1, {10, 1, 0}, 100, 0},
                {16, {0, 1, 9}, std::int64_t{1} << 31, std::int64_t{1} << 31},
                {2, {0.5, 0.5, 1e300}, 1000000, 1000000}};  // the last walked only as far as needed
  for (const auto& c : kCases) {
    SweepRanges ranges = SingleValues();
    for (int k = 0; k < c.ranged; ++k) ranges[k] = c.range;
    EXPECT_EQ(CombinationCount(ranges, c.limit), c.count) << c.ranged << " " << c.range.To;
  }
}

TEST(FillSweepRangesTest, RequestSourceAndTimerZeroTheirParameters) {
  std::array<std::string, kParameterCount> texts;
  for (int k = 0; k < kParameterCount; ++k) texts[k] = std::to_string(k + 1);
  const struct {
    RequestSource source;
    bool timer;
    std::array<double, 4> firsts;  // parameters 0 to 3; the others keep k + 1
  } kCases[] = {{RequestSource::kDistribution, true, {1, 0, 3, 4}},
                {RequestSource::kAllAtTimeZero, false, {1, 2, 0, 0}},
                {RequestSource::kManual, false, {0, 2, 0, 0}}};
  for (const auto& c : kCases) {
    SweepRanges expected = SingleValues();
    for (int k = 0; k < 4; ++k) expected[k] = {c.firsts[k], 1, c.firsts[k]};
    const SweepRanges ranges = FillSweepRanges(texts, c.source, c.timer);
    for (int k = 0; k < kParameterCount; ++k)
      EXPECT_EQ(AsTuple(ranges[k]), AsTuple(expected[k])) << k;
  }
}

TEST(SweepCursorTest, NumbersRunsWithParameterZeroSlowest) {
  SweepRanges ranges = SingleValues();
  ranges[0] = {100, 100, 300};
  ranges[5] = {1, 1, 2};
  // Two ranges, then a third in the innermost loop.
  for (const std::vector<double>& innermost : {std::vector<double>{16}, {0.5, 1.5}}) {
    ranges[15] = {innermost.front(), 1, innermost.back()};
    std::vector<std::array<double, 3>> expected, seen;
    for (double a : {100, 200, 300}) {
      for (double b : {1, 2}) {
        for (double c : innermost) expected.push_back({a, b, c});
      }
    }
    for (SweepCursor cursor(ranges); !cursor.Done(); cursor.Next()) {
      EXPECT_EQ(cursor.Run(), static_cast<std::int64_t>(seen.size()) + 1);
      seen.push_back({cursor.Values()[0], cursor.Values()[5], cursor.Values()[15]});
    }
    EXPECT_EQ(seen, expected);
  }
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
      {{100, 100, 300}, 600},
      {{2.5, 1.5, 6.5}, 12},  // rounded halves to even: 2, 4, 6
      {{10, 1, 0}, 0},
      {{5, 0.4, 10}, 5},  // a step rounding to 0: first value once
      {{1e12, 1, 1e12}, 2147483647},
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

TEST(TotalRequestsTest, SixtyFourBitTotalDoesNotWrap) {
  const std::pair<ParamRange, std::int64_t> kCases[] = {
      {{100, 100, 300}, 600},
      {{2e9, 1e8, 2.1e9}, 4'100'000'000},  // wraps to -194967296 in 32 bits
      {{1e8, 1e8, 2e9}, 21'000'000'000},
      {{0, 1, 2147483647}, 2'305'843'008'139'952'128},
      {{-2147483648.0, 1, 2147483647}, -2147483648},
      {{10, 1, 0}, 0}};
  for (const auto& [range, total] : kCases) {
    SweepRanges ranges = SingleValues();
    ranges[0] = range;
    EXPECT_EQ(TotalRequests64(ranges, RequestSource::kDistribution, 0), total) << range.From;
  }
  EXPECT_EQ(TotalRequests64(SingleValues(), RequestSource::kManual, 42), 42);
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
