#include "frontend/model/runs/run_progress.h"

#include <algorithm>
#include <limits>

namespace trakvist {
namespace {

constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

// Whole division by 50 gives the chunk: a fiftieth of the work.
constexpr std::int64_t kProgressMessages = 50;

// a x b for factors of 0 or more, saturating at the largest 64-bit value.
std::int64_t SaturatingProduct(std::int64_t a, std::int64_t b) {
  if (a == 0 || b == 0) return 0;
  if (a > kMax64 / b) return kMax64;
  return a * b;
}

std::int64_t SaturatingSum(std::int64_t a, std::int64_t b) {
  return a > kMax64 - b ? kMax64 : a + b;
}

}  // namespace

ProgressPlan PlanProgress(std::int64_t total_requests, std::int32_t inner_runs, bool skip_fcfs) {
  const std::int64_t algorithms = skip_fcfs ? 7 : 8;
  const std::int64_t work =
      SaturatingProduct(SaturatingProduct(std::max<std::int64_t>(total_requests, 0),
                                          std::max<std::int64_t>(inner_runs, 0)),
                        algorithms);
  ProgressPlan plan;
  plan.chunk = static_cast<std::int32_t>(std::min(work / kProgressMessages, kMax32));
  plan.maximum = SaturatingSum(work, 2 * static_cast<std::int64_t>(plan.chunk));
  return plan;
}

std::int64_t AddProgress(std::int64_t value, std::uint32_t count, std::int64_t maximum) {
  maximum = std::max<std::int64_t>(maximum, 0);
  value = std::clamp<std::int64_t>(value, 0, maximum);
  return value + std::min<std::int64_t>(count, maximum - value);
}

ProgressBarView ShownProgress(std::int64_t value, std::int64_t maximum) {
  maximum = std::max<std::int64_t>(maximum, 1);
  value = std::clamp<std::int64_t>(value, 0, maximum);
  if (maximum <= kMax32) {
    return {static_cast<std::int32_t>(value), static_cast<std::int32_t>(maximum)};
  }
  const std::int64_t divisor = maximum / kMax32 + 1;  // maximum / divisor < kMax32
  return {static_cast<std::int32_t>(value / divisor), static_cast<std::int32_t>(maximum / divisor)};
}

std::string ElapsedText(std::int32_t seconds) {
  seconds = std::max(seconds, 0);
  const std::int32_t hours = seconds / 3600;
  const std::int32_t minutes = (seconds - 3600 * hours) / 60;
  const std::int32_t rest = seconds - 3600 * hours - 60 * minutes;
  return std::to_string(hours) + ":" + std::to_string(minutes) + ":" + std::to_string(rest);
}

}  // namespace trakvist
