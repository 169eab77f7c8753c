#ifndef TRAKVIST_FRONTEND_MODEL_COMMON_NUMBER_TEXT_H_
#define TRAKVIST_FRONTEND_MODEL_COMMON_NUMBER_TEXT_H_

#include <optional>
#include <string>
#include <string_view>

namespace trakvist {

// The one conversion of numbers to text used everywhere in the front end:
// up to 15 significant digits, no trailing zeros or trailing point, "." as
// the decimal separator, exponent form such as "1E-05" for very small and
// very large magnitudes.
std::string NumberText(double value);

// The leading-number rule: leading blanks are skipped, then the longest
// leading decimal number (optional sign, digits, optional "." and fraction,
// optional exponent "E" or "e" with optional sign) is read. Text without a
// number reads as 0.
double LeadingNumber(std::string_view text);

// Reads a whole text as one number: blanks may surround it, nothing else may.
// Value-list texts are read this way, since they are always number text.
// Returns nothing when the text is not exactly one number.
std::optional<double> FullNumber(std::string_view text);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_COMMON_NUMBER_TEXT_H_
