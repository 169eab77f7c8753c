#ifndef TRAKVIST_FRONTEND_MODEL_COMMON_WHOLE_NUMBER_H_
#define TRAKVIST_FRONTEND_MODEL_COMMON_WHOLE_NUMBER_H_

#include <cstdint>

namespace trakvist {

// Rounds to the nearest whole number, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), independent of the floating-point
// rounding mode.
double RoundHalfEven(double value);

// Rounds half to even into a 32-bit whole number. Values beyond the 32-bit
// range saturate at its ends; a value that is not a number gives 0.
std::int32_t ToInt32HalfEven(double value);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_COMMON_WHOLE_NUMBER_H_
