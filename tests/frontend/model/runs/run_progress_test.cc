#include "frontend/model/runs/run_progress.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace trakvist {
namespace {

constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();

TEST(PlanProgressTest, FiftiethChunkAndTwoChunksOfRoom) {
  const struct {
    std::int64_t requests;
    std::int32_t inner;
    bool skip_fcfs;
    std::int64_t maximum;
    std::int32_t chunk;
  } kCases[] = {
      {500, 1, false, 4160, 80},  // the start-up panel
      {500, 1, true, 3640, 70},   // seven algorithms without FCFS
      {6, 1, false, 48, 0},       // below 50: every service is reported
      {7, 1, true, 49, 0},        //
      {25, 1, true, 181, 3},      // 175 / 50 = 3
      {0, 5, false, 0, 0},        // no requests
      {-100, 5, false, 0, 0},     // a negative total counts as none
      {100, -3, false, 0, 0},     //
      {50'000'000, 100, false, 40'000'000'000 + 2 * 800'000'000LL, 800'000'000},
      // Beyond the engine's 32-bit chunk: the chunk stops at its largest value.
      {1'000'000'000, 1000, false, 8'000'000'000'000 + 2LL * kMax32, kMax32},
      // Beyond 64 bits: saturated, never wrapped.
      {kMax64 / 2, kMax32, false, kMax64, kMax32},
  };
  for (const auto& c : kCases) {
    const ProgressPlan plan = PlanProgress(c.requests, c.inner, c.skip_fcfs);
    EXPECT_EQ(plan.maximum, c.maximum) << c.requests;
    EXPECT_EQ(plan.chunk, c.chunk) << c.requests;
  }
}

TEST(ProgressBarTest, ValueStaysWithinAThirtyTwoBitBar) {
  EXPECT_EQ(AddProgress(90, 30, 100), 100);
  EXPECT_EQ(AddProgress(kMax64 - 1, 4'000'000'000u, kMax64), kMax64);
  EXPECT_EQ(AddProgress(-5, 3, 0), 0);
  const struct {
    std::int64_t value, maximum;
    ProgressBarView shown;
  } kCases[] = {
      {0, 0, {0, 1}},  // a bar without range would show nothing, or a busy indicator
      {40, 4160, {40, 4160}},
      {5000, 4160, {4160, 4160}},
      {-1, 10, {0, 10}},
      {kMax32, kMax32, {kMax32, kMax32}},
      {kMax32, 2LL * kMax32, {kMax32 / 3, 2LL * kMax32 / 3}},  // divisor 3
      {kMax64, kMax64, {kMax32 - 1, kMax32 - 1}},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ShownProgress(c.value, c.maximum), c.shown) << c.value << " of " << c.maximum;
  }
  const ProgressBarView half = ShownProgress(kMax64 / 2, kMax64);
  EXPECT_EQ(half.value, half.maximum / 2);
}

TEST(ElapsedTextTest, HoursMinutesSecondsWithoutLeadingZeros) {
  const std::pair<std::int32_t, const char*> kCases[] = {
      {-1, "0:0:0"},       {0, "0:0:0"},        {125, "0:2:5"},         {3725, "1:2:5"},
      {86399, "23:59:59"}, {360000, "100:0:0"}, {kMax32, "596523:14:7"}};
  for (const auto& [seconds, text] : kCases) EXPECT_EQ(ElapsedText(seconds), text) << seconds;
}

}  // namespace
}  // namespace trakvist
