#include "frontend/model/runs/sweep.h"

#include <cstdint>

#include "frontend/model/common/whole_number.h"

namespace trakvist {
namespace {

constexpr ParamRange kSingleZero{0.0, 1.0, 0.0};

// Number of terms from, from + step, ... not past `to`. A zero step counts
// the first term once.
std::uint64_t TermCount(std::int64_t from, std::int64_t step, std::int64_t to) {
  if (step > 0) return to < from ? 0 : static_cast<std::uint64_t>((to - from) / step + 1);
  if (step < 0) return to > from ? 0 : static_cast<std::uint64_t>((from - to) / -step + 1);
  return to < from ? 0 : 1;
}

// n * (n - 1) / 2 without losing the top bit: halve the even factor first.
std::uint64_t Pairs(std::uint64_t n) { return n % 2 == 0 ? (n / 2) * (n - 1) : n * ((n - 1) / 2); }

// Sum of the terms of an arithmetic series of 32-bit values modulo 2^64.
// Computed in closed form with unsigned arithmetic, whose wrap-around is
// defined and agrees with signed addition in the low bits.
std::uint64_t ModularSeriesSum(std::int32_t from, std::int32_t step, std::int32_t to) {
  const std::uint64_t n = TermCount(from, step, to);
  return n * static_cast<std::uint64_t>(static_cast<std::int64_t>(from)) +
         Pairs(n) * static_cast<std::uint64_t>(static_cast<std::int64_t>(step));
}

// The sum wrapped to 32 bits, as 32-bit addition gives it.
std::int32_t WrappedSeriesSum(std::int32_t from, std::int32_t step, std::int32_t to) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(ModularSeriesSum(from, step, to)));
}

// The exact sum. Its terms are distinct 32-bit values (a zero step gives
// one term), so the positive ones add up to less than 2^61 and the negative
// ones to more than -2^62: the sum always fits in 64 bits, and the modular
// sum is that exact value.
std::int64_t SeriesSum(std::int32_t from, std::int32_t step, std::int32_t to) {
  return static_cast<std::int64_t>(ModularSeriesSum(from, step, to));
}

}  // namespace

SweepRanges FillSweepRanges(const std::array<std::string, kParameterCount>& field_texts,
                            RequestSource source, bool randomize_by_timer) {
  SweepRanges ranges;
  for (int k = 0; k < kParameterCount; ++k) ranges[k] = ParseParamRange(field_texts[k]);
  if (source == RequestSource::kManual) ranges[0] = kSingleZero;
  if (randomize_by_timer) ranges[1] = kSingleZero;
  if (source != RequestSource::kDistribution) {
    ranges[2] = kSingleZero;
    ranges[3] = kSingleZero;
  }
  return ranges;
}

bool HasCombinations(const SweepRanges& ranges) {
  for (const ParamRange& range : ranges) {
    if (!WithinRange(range, range.From)) return false;
  }
  return true;
}

std::int64_t CombinationCount(const SweepRanges& ranges, std::int64_t limit) {
  if (limit <= 0 || !HasCombinations(ranges)) return 0;
  std::int64_t count = 1;
  for (const ParamRange& range : ranges) {
    // Values beyond what takes the product to `limit` need not be counted,
    // so no range is walked further than that.
    const std::int64_t needed = (limit - 1) / count + 1;
    const std::int64_t values = ValueCount(range, needed);
    if (values >= needed) return limit;
    count *= values;  // below `limit`, as `values` is below `needed`
  }
  return count;
}

SweepCursor::SweepCursor(const SweepRanges& ranges) : ranges_(ranges) {
  for (int k = 0; k < kParameterCount; ++k) values_[k] = ranges_[k].From;
  done_ = !HasCombinations(ranges_);
}

void SweepCursor::Next() {
  if (done_) return;
  for (int k = kParameterCount - 1; k >= 0; --k) {
    if (AdvanceValue(ranges_[k], &values_[k])) {
      ++run_;
      return;
    }
    values_[k] = ranges_[k].From;  // this loop restarts; the next outer one moves on
  }
  done_ = true;
}

std::int32_t TotalRequests(const SweepRanges& ranges, RequestSource source,
                           std::int32_t manual_request_count) {
  if (source == RequestSource::kManual) return manual_request_count;
  const ParamRange& requests = ranges[0];
  return WrappedSeriesSum(ToInt32HalfEven(requests.From), ToInt32HalfEven(requests.Step),
                          ToInt32HalfEven(requests.To));
}

std::int64_t TotalRequests64(const SweepRanges& ranges, RequestSource source,
                             std::int32_t manual_request_count) {
  if (source == RequestSource::kManual) return manual_request_count;
  const ParamRange& requests = ranges[0];
  return SeriesSum(ToInt32HalfEven(requests.From), ToInt32HalfEven(requests.Step),
                   ToInt32HalfEven(requests.To));
}

std::int32_t GetInerTotal(const SweepRanges& ranges) {
  std::int32_t total = 1;
  for (int k = 1; k < kParameterCount; ++k) {
    const ParamRange& range = ranges[k];
    total = ToInt32HalfEven(total * ((range.To - range.From) / range.Step + 1.0));
  }
  return total;
}

}  // namespace trakvist
