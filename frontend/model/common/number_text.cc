#include "frontend/model/common/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <system_error>

#include "frontend/model/common/text.h"

namespace trakvist {
namespace {

// Significant digits of number text: as many as a double always carries, so
// reading the text back and writing it again gives the same text.
constexpr int kSignificantDigits = 15;

bool IsSign(char c) { return c == '+' || c == '-'; }

// Length of the longest decimal number at the start of `text`, 0 when there
// is none. An exponent letter counts only when digits follow it.
std::size_t NumberLength(std::string_view text) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  if (i < n && IsSign(text[i])) ++i;
  std::size_t digits = 0;
  for (; i < n && IsDigit(text[i]); ++i) ++digits;
  if (i < n && text[i] == '.') {
    for (++i; i < n && IsDigit(text[i]); ++i) ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    std::size_t j = i + 1;
    if (j < n && IsSign(text[j])) ++j;
    if (j < n && IsDigit(text[j])) {
      while (j < n && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

// For a number too far from 1 to fit a double: whether it is too large
// (rather than too small). That depends on the decimal position of its first
// significant digit once the exponent is applied.
bool IsTooLarge(std::string_view unsigned_number) {
  constexpr std::int64_t kExponentCap = 1'000'000;
  std::int64_t position = 0;  // decimal exponent of the first significant digit, plus one
  std::size_t i = 0;
  while (i < unsigned_number.size() && unsigned_number[i] == '0') ++i;
  for (; i < unsigned_number.size() && IsDigit(unsigned_number[i]); ++i) ++position;
  if (position == 0 && i < unsigned_number.size() && unsigned_number[i] == '.') {
    for (++i; i < unsigned_number.size() && unsigned_number[i] == '0'; ++i) --position;
  }
  const std::size_t e = unsigned_number.find_first_of("Ee");
  if (e == std::string_view::npos) return position > 0;
  std::size_t j = e + 1;
  const bool negative = unsigned_number[j] == '-';
  if (IsSign(unsigned_number[j])) ++j;
  std::int64_t exponent = 0;
  for (; j < unsigned_number.size(); ++j) {
    exponent = std::min(exponent * 10 + (unsigned_number[j] - '0'), kExponentCap);
  }
  return position + (negative ? -exponent : exponent) > 0;
}

// Converts a complete number as found by NumberLength. Magnitudes beyond the
// double range become the largest double, those below it become 0, so the
// front end never holds an infinity.
double ConvertNumber(std::string_view number) {
  const bool negative = number.front() == '-';
  if (IsSign(number.front())) number.remove_prefix(1);
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    value = IsTooLarge(number) ? std::numeric_limits<double>::max() : 0.0;
  }
  return negative ? -value : value;
}

}  // namespace

std::string NumberText(double value) {
  if (value == 0.0) return "0";  // also for -0
  std::array<char, 40> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, kSignificantDigits);
  std::string text(buffer.data(), result.ptr);
  std::replace(text.begin(), text.end(), 'e', 'E');
  return text;
}

double LeadingNumber(std::string_view text) {
  text = TrimLeft(text, kWhiteSpace);
  const std::size_t length = NumberLength(text);
  return length == 0 ? 0.0 : ConvertNumber(text.substr(0, length));
}

std::optional<double> FullNumber(std::string_view text) {
  text = TrimLeft(text, kWhiteSpace);
  const std::size_t length = NumberLength(text);
  if (length == 0 || !TrimLeft(text.substr(length), kWhiteSpace).empty()) return std::nullopt;
  return ConvertNumber(text.substr(0, length));
}

}  // namespace trakvist
