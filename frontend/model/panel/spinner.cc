#include "frontend/model/panel/spinner.h"

#include <cmath>
#include <string>

#include "frontend/model/common/number_text.h"
#include "frontend/model/panel/parameters.h"

namespace trakvist {

std::int64_t SpinnerMin(int /*index*/) { return 0; }

std::int64_t SpinnerMax(int index) {
  return index == kDistributionParameter2 ? kProbabilitySpinnerMax : kSpinnerMax;
}

std::string SpinnerStep(int index, std::string_view text, SpinDirection direction) {
  if (text.find(',') != std::string_view::npos) return std::string(text);
  const double value = LeadingNumber(text);
  double next = direction == SpinDirection::kUp ? std::floor(value) + 1.0 : std::ceil(value) - 1.0;
  const double low = static_cast<double>(SpinnerMin(index));
  const double high = static_cast<double>(SpinnerMax(index));
  if (next < low) next = low;
  if (next > high) next = high;
  return std::to_string(static_cast<std::int64_t>(next));
}

}  // namespace trakvist
