#include "frontend/model/spinner.h"

#include <charconv>
#include <cmath>
#include <string>

namespace trakvist {
namespace {

constexpr int kProbabilityField = 3;

// The number at the start of `text`, read without regard to the locale;
// 0 when there is none. A magnitude too large for a double reads as an
// infinity of its sign, which the range clamps; one too small reads as 0.
double LeadingValue(std::string_view text) {
  double value = 0.0;
  const char* begin = text.data();
  const char* end = begin + text.size();
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec == std::errc::result_out_of_range) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view number(begin, static_cast<std::size_t>(ptr - begin));
    const bool tiny =
        number.find("e-") != std::string_view::npos || number.find("E-") != std::string_view::npos;
    if (tiny) return 0.0;
    return negative ? -HUGE_VAL : HUGE_VAL;
  }
  if (ec != std::errc() || std::isnan(value)) return 0.0;
  return value;
}

}  // namespace

std::int64_t SpinnerMin(int /*index*/) { return 0; }

std::int64_t SpinnerMax(int index) {
  return index == kProbabilityField ? kProbabilitySpinnerMax : kSpinnerMax;
}

std::string SpinnerStep(int index, std::string_view text, SpinDirection direction) {
  if (text.find(',') != std::string_view::npos) return std::string(text);
  const double value = LeadingValue(text);
  double next = direction == SpinDirection::kUp ? std::floor(value) + 1.0 : std::ceil(value) - 1.0;
  const double low = static_cast<double>(SpinnerMin(index));
  const double high = static_cast<double>(SpinnerMax(index));
  if (next < low) next = low;
  if (next > high) next = high;
  return std::to_string(static_cast<std::int64_t>(next));
}

}  // namespace trakvist
