#include "frontend/ui/main_window/main_menus.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QWhatsThis>

#include "frontend/ui/charts/charts_page.h"
#include "frontend/ui/simulation/simulation_page.h"

namespace trakvist {
namespace {

// Keeps an action's enabled state equal to its button's, which changes with
// the button's own state and with its frame's.
class EnabledFollower : public QObject {
 public:
  EnabledFollower(QAction* action, QAbstractButton* button)
      : QObject(action), action_(action), button_(button) {
    button_->installEventFilter(this);
    action_->setEnabled(button_->isEnabled());
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == button_ && event->type() == QEvent::EnabledChange) {
      action_->setEnabled(button_->isEnabled());
    }
    return false;
  }

 private:
  QAction* action_;
  QAbstractButton* button_;
};

// The platform's own keys for `key`, or `fallback` where it has none
// (Windows has no Save As or Quit keys of its own).
QList<QKeySequence> StandardOr(QKeySequence::StandardKey key, const QKeySequence& fallback) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(key);
  if (keys.isEmpty()) keys << fallback;
  return keys;
}

QAction* AddItem(QMenu* menu, const QString& text, const QString& name,
                 const QList<QKeySequence>& shortcuts = {}) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  action->setShortcuts(shortcuts);
  return action;
}

QAction* AddButtonItem(QMenu* menu, const QString& text, const QString& name,
                       QAbstractButton* button, const QList<QKeySequence>& shortcuts = {}) {
  QAction* action = AddItem(menu, text, name, shortcuts);
  BindToButton(action, button);
  return action;
}

void BuildFileMenu(QMainWindow* window, const SimulationControls& sim,
                   const ChartsControls& charts, MainMenus* menus) {
  QMenu* file = window->menuBar()->addMenu(QStringLiteral("&File"));
  menus->open = AddButtonItem(file, QStringLiteral("&Open\u2026"), QStringLiteral("ActionOpen"),
                              sim.opens, QKeySequence::keyBindings(QKeySequence::Open));
  menus->recent_files = file->addMenu(QStringLiteral("Recent &Files"));
  menus->recent_files->setObjectName(QStringLiteral("MenuRecentFiles"));
  file->addSeparator();
  menus->save = AddButtonItem(file, QStringLiteral("&Save"), QStringLiteral("ActionSave"),
                              sim.saves, QKeySequence::keyBindings(QKeySequence::Save));
  menus->save_as = AddButtonItem(file, QStringLiteral("Save &As\u2026"),
                                 QStringLiteral("ActionSaveAs"), sim.save_as,
                    StandardOr(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
  menus->export_results =
      AddButtonItem(file, QStringLiteral("&Export Results\u2026"),
                    QStringLiteral("ActionExportResults"), charts.export_results);
  menus->save_chart = AddButtonItem(file, QStringLiteral("Save &Chart\u2026"),
                                    QStringLiteral("ActionSaveChart"), charts.save_chart);
  file->addSeparator();
  menus->quit =
      AddItem(file, QStringLiteral("&Quit"), QStringLiteral("ActionQuit"),
              StandardOr(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
  menus->quit->setMenuRole(QAction::QuitRole);
  QObject::connect(menus->quit, &QAction::triggered, window, &QWidget::close);
}

void BuildRunMenu(QMainWindow* window, const SimulationControls& sim, MainMenus* menus) {
  QMenu* run = window->menuBar()->addMenu(QStringLiteral("&Run"));
  menus->start = AddButtonItem(run, QStringLiteral("&Start"), QStringLiteral("ActionStart"),
                               sim.startb, {QKeySequence(Qt::Key_F5)});
  menus->stop = AddButtonItem(run, QStringLiteral("S&top"), QStringLiteral("ActionStop"), sim.stopb,
                              {QKeySequence(Qt::Key_Escape)});
}

void BuildViewMenu(QMainWindow* window, QTabWidget* tabs, MainMenus* menus) {
  QMenu* view = window->menuBar()->addMenu(QStringLiteral("&View"));
  constexpr std::array<Qt::Key, 3> kKeys = {Qt::Key_1, Qt::Key_2, Qt::Key_3};
  for (int i = 0; i < static_cast<int>(menus->tabs.size()) && i < tabs->count(); ++i) {
    QAction* action =
        AddItem(view, QStringLiteral("&") + tabs->tabText(i),
                QStringLiteral("ActionTab_%1").arg(i), {QKeySequence(Qt::CTRL | kKeys[i])});
    QObject::connect(action, &QAction::triggered, tabs, [tabs, i] { tabs->setCurrentIndex(i); });
    menus->tabs[i] = action;
  }
}

void BuildHelpMenu(QMainWindow* window, MainMenus* menus) {
  QMenu* help = window->menuBar()->addMenu(QStringLiteral("&Help"));
  menus->read_me = AddItem(help, QStringLiteral("&Read Me"), QStringLiteral("ActionReadMe"),
                           StandardOr(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)));
  menus->shortcuts =
      AddItem(help, QStringLiteral("&Keyboard Shortcuts"), QStringLiteral("ActionShortcuts"));
  QAction* whats_this = QWhatsThis::createAction(window);
  whats_this->setObjectName(QStringLiteral("ActionWhatsThis"));
  help->addAction(whats_this);
  help->addSeparator();
  menus->about = AddItem(help, QStringLiteral("&About Trakvist"), QStringLiteral("ActionAbout"));
  menus->about->setMenuRole(QAction::AboutRole);
}

}  // namespace

void BindToButton(QAction* action, QAbstractButton* button) {
  new EnabledFollower(action, button);
  QObject::connect(action, &QAction::triggered, button, [button] { button->click(); });
}

MainMenus BuildMainMenus(QMainWindow* window, const SimulationControls& sim,
                         const ChartsControls& charts, QTabWidget* tabs) {
  MainMenus menus;
  BuildFileMenu(window, sim, charts, &menus);
  BuildRunMenu(window, sim, &menus);
  BuildViewMenu(window, tabs, &menus);
  BuildHelpMenu(window, &menus);
  return menus;
}

}  // namespace trakvist
