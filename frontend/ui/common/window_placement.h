#ifndef TRAKVIST_FRONTEND_UI_COMMON_WINDOW_PLACEMENT_H_
#define TRAKVIST_FRONTEND_UI_COMMON_WINDOW_PLACEMENT_H_

class QWidget;

namespace trakvist {

// Moves a window to the centre of the available area of its screen (the
// screen less panels and docks).
void CentreOnScreen(QWidget* window);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_COMMON_WINDOW_PLACEMENT_H_
