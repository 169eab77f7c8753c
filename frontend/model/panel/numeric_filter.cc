#include "frontend/model/panel/numeric_filter.h"

#include "frontend/model/common/text.h"

namespace trakvist {
namespace {

bool IsExponentLetter(char c) { return c == 'E' || c == 'e'; }

}  // namespace

std::string FilterNumericText(std::string_view text, bool minus_allowed, bool decimals_allowed,
                              bool exponent_allowed) {
  std::string out;
  out.reserve(text.size());
  bool point_seen = false;      // in the current number of the range
  bool exponent_seen = false;   // in the current number of the range
  bool minus_here = true;       // at the start or right after a comma
  bool after_exponent = false;  // the last kept character was "E" or "e"
  for (char c : text) {
    const bool keep = IsDigit(c) || c == ',' || (c == '.' && !point_seen && decimals_allowed) ||
                      (c == '-' && minus_here && minus_allowed) || (c == '-' && after_exponent) ||
                      (IsExponentLetter(c) && exponent_allowed && !exponent_seen);
    if (keep) {
      out.push_back(c);
      minus_here = c == ',';
      after_exponent = IsExponentLetter(c);
    }
    // Each number of a range has its own point and exponent, whether or not
    // the character itself was kept.
    if (c == ',') {
      point_seen = false;
      exponent_seen = false;
    } else if (c == '.') {
      point_seen = true;
    } else if (IsExponentLetter(c)) {
      exponent_seen = true;
    }
  }
  return out;
}

}  // namespace trakvist
