// Saves a picture of every window at its default size, for a look at the
// layout: ui_screenshots [folder]. The disk properties window is shown with
// typical figures so that long values are seen in their fields.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <array>
#include <cstdio>

#include "frontend/ui/about_box.h"
#include "frontend/ui/disk_properties_window.h"
#include "frontend/ui/importing_window.h"
#include "frontend/ui/main_window.h"
#include "frontend/ui/up_down.h"

namespace trakvist {
namespace {

bool Save(QWidget* window, const QDir& folder, const QString& name) {
  QApplication::processEvents();
  const QString path = folder.filePath(name + QStringLiteral(".png"));
  const bool saved = window->grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
  return saved;
}

void FillTypicalDisk(const DiskPropertiesControls& c) {
  const std::array<const char*, kDiskFigureCount> figures = {
      "10000", "400",  "2",        "10000", "400",   "2",      "17 ms",
      "8 ms",  "1 ms", "7200 RPM", "6 ms",  "512 B", "2048 KB"};
  for (int i = 0; i < kDiskFigureCount; ++i) c.dparam[i]->setText(figures[i]);
  c.pcapa->setText(QStringLiteral("3906.25 MB"));
  c.lcapa->setText(QStringLiteral("3906.25 MB"));
  c.bt->setText(QStringLiteral("2.08333333333333E-05 s"));
  c.cst->setText(QStringLiteral("1.7E-06 s"));
  c.tu->setText(QStringLiteral("1.7E-06 s"));
}

int Run(const QDir& folder) {
  MainWindow window;
  window.show();
  std::printf("main window %dx%d, smallest %dx%d\n", window.width(), window.height(),
              window.minimumSizeHint().width(), window.minimumSizeHint().height());
  bool ok = Save(&window, folder, QStringLiteral("simulation"));
  // The second pages, with manual requests chosen.
  window.findChild<QAbstractButton*>(QStringLiteral("Option3"))->click();
  window.findChild<QTabWidget*>(QStringLiteral("PgDisk"))->setCurrentIndex(1);
  ok = Save(&window, folder, QStringLiteral("simulation_second_pages")) && ok;
  window.findChild<QTabWidget*>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
  ok = Save(&window, folder, QStringLiteral("charts")) && ok;
  window.findChild<QTabWidget*>(QStringLiteral("PgTabs"))->setCurrentIndex(1);
  ok = Save(&window, folder, QStringLiteral("charts_second_page")) && ok;
  // The smallest size the layouts allow.
  window.resize(window.minimumSizeHint());
  ok = Save(&window, folder, QStringLiteral("charts_smallest")) && ok;

  FillTypicalDisk(window.disk_properties_window()->controls());
  window.disk_properties_window()->ShowModal();
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
