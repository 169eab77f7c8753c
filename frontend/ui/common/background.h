#ifndef TRAKVIST_FRONTEND_UI_COMMON_BACKGROUND_H_
#define TRAKVIST_FRONTEND_UI_COMMON_BACKGROUND_H_

#include <QPalette>

#include "frontend/model/common/color_role.h"

class QWidget;

namespace trakvist {

// The system colour a model colour role stands for: the window colour is
// the palette's Base (the background of text entry), the button face its
// Button and the tooltip colour its ToolTipBase.
QPalette::ColorRole PaletteRoleFor(ColorRole role);

// Paints the widget's input background (Base, and Button for the face of a
// drop-down list) in the colour of `role`, in every colour group so that a
// disabled control shows it too.
void SetBackground(QWidget* widget, ColorRole role);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_COMMON_BACKGROUND_H_
