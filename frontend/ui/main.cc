#include <QApplication>

#include "frontend/ui/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trakvist"));
  trakvist::MainWindow window;
  window.show();
  return QApplication::exec();
}
