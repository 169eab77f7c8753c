#include "frontend/ui/common/background.h"

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
  // Disabled controls take the active colour too: the role itself says
  // whether the control reads as usable.
  const QColor colour = QApplication::palette(widget).color(QPalette::Active, PaletteRoleFor(role));
  QPalette palette = widget->palette();
  constexpr QPalette::ColorGroup kGroups[] = {QPalette::Active, QPalette::Inactive,
                                              QPalette::Disabled};
  bool changed = false;
  for (const QPalette::ColorGroup group : kGroups) {
    for (const QPalette::ColorRole painted : {QPalette::Base, QPalette::Button}) {
      if (palette.color(group, painted) == colour) continue;
      palette.setColor(group, painted, colour);
      changed = true;
    }
  }
  // The views show the model's state after every edit; an unchanged colour
  // costs no palette change and no repaint.
  if (changed) widget->setPalette(palette);
}

}  // namespace trakvist
