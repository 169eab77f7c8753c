#include "frontend/ui/background.h"

#include <QApplication>
#include <QWidget>

namespace trakvist {

QPalette::ColorRole PaletteRoleFor(ColorRole role) {
  switch (role) {
    case ColorRole::kWindow:
      return QPalette::Base;
    case ColorRole::kButtonFace:
      return QPalette::Button;
    case ColorRole::kToolTip:
      return QPalette::ToolTipBase;
  }
  return QPalette::Base;
}

void SetBackground(QWidget* widget, ColorRole role) {
  const QPalette system = QApplication::palette(widget);
  QPalette palette = widget->palette();
  for (const QPalette::ColorGroup group :
       {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    // Disabled controls take the active colour: the role itself says
    // whether the control reads as usable.
    const QColor colour = system.color(QPalette::Active, PaletteRoleFor(role));
    palette.setColor(group, QPalette::Base, colour);
    palette.setColor(group, QPalette::Button, colour);
  }
  widget->setPalette(palette);
}

}  // namespace trakvist
