#ifndef TRAKVIST_FRONTEND_MODEL_PANEL_NUMERIC_FILTER_H_
#define TRAKVIST_FRONTEND_MODEL_PANEL_NUMERIC_FILTER_H_

#include <string>
#include <string_view>

namespace trakvist {

// Drops every character that cannot belong to a number or a range of
// numbers separated by commas. Digits and commas are always kept. Each
// number of a range may hold one decimal point (when `decimals_allowed`)
// and one exponent letter "E"/"e" (when `exponent_allowed`). A minus sign
// is kept at the start and right after a comma when `minus_allowed`, and
// right after an exponent letter in any case (the exponent's sign).
std::string FilterNumericText(std::string_view text, bool minus_allowed, bool decimals_allowed,
                              bool exponent_allowed);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PANEL_NUMERIC_FILTER_H_
