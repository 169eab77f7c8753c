#ifndef SCHEDULE_ENGINE_NUMBER_READING_H_
#define SCHEDULE_ENGINE_NUMBER_READING_H_

#include <cstdint>
#include <string_view>

namespace schedule {

// Reads an optional sign and the decimal digits after it; the first other
// character ends the number and no digits give 0. Leading blanks are
// skipped. Values beyond 32 bits are held at the nearest 32-bit limit.
int32_t ReadInteger(std::string_view text);

// Reads a leading decimal number with optional fraction and exponent in
// the same way; no number gives 0. Always uses "." as the decimal point.
double ReadReal(std::string_view text);

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_NUMBER_READING_H_
