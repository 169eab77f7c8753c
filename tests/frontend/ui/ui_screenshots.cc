// Saves a picture of every window at its default size, for a look at the
// layout: ui_screenshots [folder]. The windows work in a program folder of
// their own with the engine built here; the disk properties window shows the
// "Default" disk, and one picture shows a sweep in progress.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <cstdio>
#include <functional>
#include <memory>

#include "frontend/ui/about_box.h"
#include "frontend/ui/disk_properties_window.h"
#include "frontend/ui/importing_window.h"
#include "frontend/ui/main_window.h"
#include "frontend/ui/up_down.h"
#include "tests/frontend/ui/ui_test_support.h"

namespace trakvist {
namespace {

bool Save(QWidget* window, const QDir& folder, const QString& name) {
  QApplication::processEvents();
  const QString path = folder.filePath(name + QStringLiteral(".png"));
  const bool saved = window->grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
  return saved;
}

// Waits, handling events, until `done` holds; false after a generous bound.
bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > kSoonMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// A long sweep, shown once its progress bar has moved, then stopped.
bool SaveDuringRun(MainWindow* window, const QDir& folder) {
  TypeOver(window->findChild<QLineEdit*>(QStringLiteral("Cparam_0")), QStringLiteral("20000"));
  TypeOver(window->findChild<QLineEdit*>(QStringLiteral("Cparam_1")), QStringLiteral("1,1,3"));
  window->findChild<QAbstractButton*>(QStringLiteral("Startb"))->click();
  auto* progress = window->findChild<QProgressBar*>(QStringLiteral("Progress1"));
  const bool moved = WaitFor([progress] { return progress->value() > 0; });
  const bool saved = moved && Save(window, folder, QStringLiteral("simulation_running"));
  window->findChild<QAbstractButton*>(QStringLiteral("Stopb"))->click();
  return WaitFor([window] { return window->state().panel.startb_enabled; }) && saved;
}

int Run(const QDir& folder) {
  TestProgramFolder program;
  std::unique_ptr<MainWindow> owner = program.MakeWindow();
  MainWindow& window = *owner;
  std::printf("main window %dx%d, smallest %dx%d\n", window.width(), window.height(),
              window.minimumSizeHint().width(), window.minimumSizeHint().height());
  bool ok = Save(&window, folder, QStringLiteral("simulation"));
  // The second pages, with manual requests chosen.
  window.findChild<QAbstractButton*>(QStringLiteral("Option3"))->click();
  window.findChild<QTabWidget*>(QStringLiteral("PgDisk"))->setCurrentIndex(1);
  ok = Save(&window, folder, QStringLiteral("simulation_second_pages")) && ok;
  window.findChild<QAbstractButton*>(QStringLiteral("Option1"))->click();
  window.findChild<QTabWidget*>(QStringLiteral("PgDisk"))->setCurrentIndex(0);
  ok = SaveDuringRun(&window, folder) && ok;
  window.findChild<QTabWidget*>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
  ok = Save(&window, folder, QStringLiteral("charts")) && ok;
  window.findChild<QTabWidget*>(QStringLiteral("PgTabs"))->setCurrentIndex(1);
  ok = Save(&window, folder, QStringLiteral("charts_second_page")) && ok;
  // The smallest size the layouts allow.
  window.resize(window.minimumSizeHint());
  ok = Save(&window, folder, QStringLiteral("charts_smallest")) && ok;

  // "Custom ..." with the start-up disk, "Default".
  window.resize(1160, 680);
  window.findChild<QAbstractButton*>(QStringLiteral("CustomDisk"))->click();
  ok = Save(window.disk_properties_window(), folder, QStringLiteral("disk_properties")) && ok;
  window.disk_properties_window()->hide();

  window.about_box()->show();
  ok = Save(window.about_box(), folder, QStringLiteral("about")) && ok;
  window.about_box()->hide();

  window.wait_window()->ShowAndPaint();
  ok = Save(window.wait_window(), folder, QStringLiteral("wait")) && ok;
  window.wait_window()->hide();
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace trakvist

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
  return trakvist::Run(folder);
}
