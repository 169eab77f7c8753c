#ifndef TRAKVIST_FRONTEND_MODEL_PANEL_SPINNER_H_
#define TRAKVIST_FRONTEND_MODEL_PANEL_SPINNER_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace trakvist {

// The up/down spinner beside each parameter field steps the field's whole
// value by 1 within [SpinnerMin, SpinnerMax].
enum class SpinDirection { kUp, kDown };

inline constexpr std::int64_t kSpinnerMax = 2147483647;
inline constexpr std::int64_t kProbabilitySpinnerMax = 100;  // field 3 holds a percentage

std::int64_t SpinnerMin(int index);
std::int64_t SpinnerMax(int index);

// The text field `index` gets when its spinner is pressed. The current value
// is the number the text starts with (0 when none); the result is the next
// whole number above or below it, kept within the spinner's range, written
// without a decimal point. A range (text holding a comma) is returned
// unchanged: stepping would destroy it.
std::string SpinnerStep(int index, std::string_view text, SpinDirection direction);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PANEL_SPINNER_H_
