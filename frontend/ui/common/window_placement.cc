#include "frontend/ui/common/window_placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "frontend/model/common/utilities.h"

namespace trakvist {

void CentreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const int left = CenterLeft(area.width(), window->width());
  const int top = CenterTop(area.height(), window->height());
  // A window larger than the screen keeps its title bar on the screen.
  window->move(area.x() + std::max(0, left), area.y() + std::max(0, top));
}

}  // namespace trakvist
