#ifndef TRAKVIST_FRONTEND_UI_MAIN_WINDOW_MAIN_MENUS_H_
#define TRAKVIST_FRONTEND_UI_MAIN_WINDOW_MAIN_MENUS_H_

#include <array>

class QAbstractButton;
class QAction;
class QMainWindow;
class QMenu;
class QTabWidget;

namespace trakvist {

struct ChartsControls;
struct SimulationControls;

// The main window's menu bar. The items that have a button press that
// button, so they do exactly what it does, and are enabled exactly when it
// is.
struct MainMenus {
  QAction* open = nullptr;
  QAction* save = nullptr;
  QAction* save_as = nullptr;
  QAction* export_results = nullptr;
  QAction* save_chart = nullptr;
  QMenu* recent_files = nullptr;  // filled by the window
  QAction* quit = nullptr;
  QAction* start = nullptr;
  QAction* stop = nullptr;
  std::array<QAction*, 3> tabs{};  // "Simulation", "Charts", "Head Path"
  QAction* read_me = nullptr;
  QAction* shortcuts = nullptr;
  QAction* about = nullptr;
};

// Builds the menus of `window` over the buttons of its tabs; Quit closes
// the window and the View items choose the tabs of `tabs`. The Help items
// are left for the window to connect.
MainMenus BuildMainMenus(QMainWindow* window, const SimulationControls& sim,
                         const ChartsControls& charts, QTabWidget* tabs);

// Makes `action` press `button` when triggered and follow its enabled state.
void BindToButton(QAction* action, QAbstractButton* button);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_MAIN_WINDOW_MAIN_MENUS_H_
