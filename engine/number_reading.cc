#include "engine/number_reading.h"

#include <charconv>
#include <limits>

namespace schedule {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipBlanks(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return i;
}

size_t SkipDigits(std::string_view text, size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

}  // namespace

int32_t ReadInteger(std::string_view text) {
  size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

double ReadReal(std::string_view text) {
  size_t start = SkipBlanks(text);
  size_t i = start;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t int_end = SkipDigits(text, i);
  size_t end = int_end;
  bool digits = int_end > i;
  if (end < text.size() && text[end] == '.') {
    size_t frac_end = SkipDigits(text, end + 1);
    digits = digits || frac_end > end + 1;
    end = frac_end;
  }
  if (!digits) return 0.0;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    size_t e = end + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    size_t exp_end = SkipDigits(text, e);
    if (exp_end > e) end = exp_end;
  }
  // from_chars takes no leading '+', so skip it; it is locale-independent.
  size_t from = start;
  if (text[from] == '+') ++from;
  double value = 0.0;
  auto result = std::from_chars(text.data() + from, text.data() + end, value);
  if (result.ec == std::errc::result_out_of_range) {
    // Beyond the range of a double: a negative exponent underflows to 0,
    // anything else is held at the largest double.
    size_t epos = text.find_first_of("eE", from);
    bool tiny = epos < end && text[epos + 1] == '-';
    value = tiny ? 0.0 : std::numeric_limits<double>::max();
    if (text[start] == '-') value = -value;
  }
  return value;
}

}  // namespace schedule
