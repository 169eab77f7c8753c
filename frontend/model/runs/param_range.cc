#include "frontend/model/runs/param_range.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

#include "frontend/model/common/number_text.h"

namespace trakvist {

ParamRange ParseParamRange(std::string_view text) {
  ParamRange range;
  range.From = LeadingNumber(text);
  const std::size_t first_comma = text.find(',');
  const std::size_t second_comma =
      first_comma == std::string_view::npos ? first_comma : text.find(',', first_comma + 1);
  if (second_comma == std::string_view::npos) {
    range.Step = 1.0;
    range.To = range.From;
    return range;
  }
  range.Step = LeadingNumber(text.substr(first_comma + 1));
  range.To = LeadingNumber(text.substr(second_comma + 1));
  if (range.Step == 0.0) range.Step = range.To < range.From ? -1.0 : 1.0;
  return range;
}

bool WithinRange(const ParamRange& range, double value) {
  return (range.Step >= 0.0 && value <= range.To) || (range.Step < 0.0 && value >= range.To);
}

bool AdvanceValue(const ParamRange& range, double* value) {
  const double next = *value + range.Step;
  if (next == *value || !WithinRange(range, next)) return false;
  *value = next;
  return true;
}

namespace {

// Whole numbers up to this magnitude, and sums of two of them, are exact.
constexpr double kLargestExactTerm = 4503599627370496.0;  // 2^52

bool IsExactTerm(double value) {
  return std::fabs(value) <= kLargestExactTerm && std::trunc(value) == value;
}

// The number of values of a range of whole numbers, where every addition
// of the walk is exact; nothing for other ranges, which are walked.
std::optional<std::int64_t> WholeValueCount(const ParamRange& range) {
  if (!IsExactTerm(range.From) || !IsExactTerm(range.Step) || range.Step == 0.0 ||
      !(std::fabs(range.To) <= kLargestExactTerm)) {
    return std::nullopt;
  }
  const auto from = static_cast<std::int64_t>(range.From);
  const auto step = static_cast<std::int64_t>(range.Step);
  if (step > 0) {
    const auto to = static_cast<std::int64_t>(std::floor(range.To));
    return to < from ? 0 : (to - from) / step + 1;
  }
  const auto to = static_cast<std::int64_t>(std::ceil(range.To));
  return to > from ? 0 : (from - to) / -step + 1;
}

}  // namespace

std::int64_t ValueCount(const ParamRange& range, std::int64_t limit) {
  std::int64_t count = 0;
  if (limit <= 0) return count;
  if (const std::optional<std::int64_t> whole = WholeValueCount(range)) {
    return std::min(*whole, limit);
  }
  ForEachValue(range, [&](double) { return ++count < limit; });
  return count;
}

std::vector<double> RangeValues(const ParamRange& range, std::int64_t limit) {
  std::vector<double> values;
  if (limit <= 0) return values;
  ForEachValue(range, [&](double value) {
    values.push_back(value);
    return static_cast<std::int64_t>(values.size()) < limit;
  });
  return values;
}

}  // namespace trakvist
