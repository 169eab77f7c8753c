#ifndef TRAKVIST_FRONTEND_MODEL_COMMON_COLOR_ROLE_H_
#define TRAKVIST_FRONTEND_MODEL_COMMON_COLOR_ROLE_H_

namespace trakvist {

// Background colour roles of the controls. Enabled inputs use the system's
// window colour and disabled ones the button-face colour, so they read as
// inactive; value lists that offer a choice use the tooltip colour.
enum class ColorRole { kWindow, kButtonFace, kToolTip };

inline ColorRole BackgroundFor(bool enabled) {
  return enabled ? ColorRole::kWindow : ColorRole::kButtonFace;
}

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_COMMON_COLOR_ROLE_H_
