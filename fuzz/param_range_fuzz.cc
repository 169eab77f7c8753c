// The parameter fields: the character filter that runs on every key stroke
// and ParseParamRange, which turns a field's text into the values a sweep
// runs over. Neither may crash, and every walk over a range must end.
#include <cstddef>
#include <cstdint>
#include <string>

#include "frontend/model/panel/numeric_filter.h"
#include "frontend/model/runs/param_range.h"
#include "fuzz/fuzz_support.h"

namespace {

constexpr std::int64_t kWalkLimit = 10000;

bool Allowed(char c, bool minus, bool decimals, bool exponent) {
  if ((c >= '0' && c <= '9') || c == ',') return true;
  if (c == '-') return true;  // an exponent's sign is kept in any case
  if (c == '.') return decimals;
  if (c == 'e' || c == 'E') return exponent;
  (void)minus;
  return false;
}

void CheckFilter(std::string_view text, bool minus, bool decimals, bool exponent) {
  const std::string kept = trakvist::FilterNumericText(text, minus, decimals, exponent);
  FUZZ_CHECK(kept.size() <= text.size());
  for (char c : kept) FUZZ_CHECK(Allowed(c, minus, decimals, exponent));
  // Filtering what is already filtered changes nothing.
  FUZZ_CHECK(trakvist::FilterNumericText(kept, minus, decimals, exponent) == kept);
  // Digits and commas always stay, in order.
  std::string digits;
  for (char c : text) {
    if ((c >= '0' && c <= '9') || c == ',') digits.push_back(c);
  }
  std::string kept_digits;
  for (char c : kept) {
    if ((c >= '0' && c <= '9') || c == ',') kept_digits.push_back(c);
  }
  FUZZ_CHECK(kept_digits == digits);
}

void CheckRange(std::string_view text) {
  const trakvist::ParamRange range = trakvist::ParseParamRange(text);
  const std::int64_t count = trakvist::ValueCount(range, kWalkLimit);
  FUZZ_CHECK(count >= 0 && count <= kWalkLimit);
  const std::vector<double> values = trakvist::RangeValues(range, kWalkLimit);
  FUZZ_CHECK(static_cast<std::int64_t>(values.size()) == count);
  std::int64_t walked = 0;
  double previous = 0;
  trakvist::ForEachValue(range, [&](double value) {
    FUZZ_CHECK(walked < count && value == values[static_cast<std::size_t>(walked)]);
    FUZZ_CHECK(trakvist::WithinRange(range, value));
    // The walk moves in the direction of the step and never repeats.
    if (walked > 0) FUZZ_CHECK(range.Step >= 0 ? value > previous : value < previous);
    previous = value;
    return ++walked < kWalkLimit;
  });
  FUZZ_CHECK(walked == count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int flags = data[0];
  const std::string_view text = fuzz::AsText(data + 1, size - 1);
  CheckFilter(text, flags & 1, flags & 2, flags & 4);
  CheckRange(text);
  CheckRange(trakvist::FilterNumericText(text, true, true, true));
  return 0;
}
