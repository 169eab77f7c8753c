#include "frontend/model/common/whole_number.h"

#include <cmath>
#include <limits>

namespace trakvist {

double RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;  // exact for every finite double
  if (fraction < 0.5) return below;
  if (fraction > 0.5) return below + 1.0;
  return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::int32_t ToInt32HalfEven(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = RoundHalfEven(value);
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  if (rounded <= kMin) return kMin;
  if (rounded >= kMax) return kMax;
  return static_cast<std::int32_t>(rounded);
}

}  // namespace trakvist
