// The Trakvist program: the main window over the program folder's engines,
// disk catalogue and files.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "frontend/platform/app_folders.h"
#include "frontend/ui/main_window.h"
#include "frontend/ui/platform_services.h"
#include "frontend/ui/start_arguments.h"

namespace trakvist {
namespace {

std::vector<std::string> ArgumentsOf(int argc, char* argv[]) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string AbsolutePath(const std::string& path) {
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
  return absolute.empty() ? path : absolute.string();
}

int RunWindow(const StartArguments& arguments) {
  PlatformServices platform(ProgramFolder());
  if (!platform.link_error().empty()) {
    std::fprintf(stderr, "Trakvist: no link to the engines (%s); simulations cannot be run.\n",
                 platform.link_error().c_str());
  }
  const MainWindowServices services = platform.services();
  MainWindow window(StartStateFor(services), services);
  window.show();
  if (arguments.open_file) {
    const std::string path = AbsolutePath(*arguments.open_file);
    // Once the window is up, so that its messages have it to stand on.
    QTimer::singleShot(0, &window, [&window, path] { window.OpenFile(path); });
  }
  return QApplication::exec();
}

}  // namespace
}  // namespace trakvist

int main(int argc, char* argv[]) {
  // QApplication takes the window system's options (-platform, -style, ...)
  // out of argv; what is left is Trakvist's.
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trakvist"));
  // Lets the desktop match the window to the installed entry and its icon.
  QApplication::setDesktopFileName(QStringLiteral("trakvist"));
  const trakvist::StartArguments arguments =
      trakvist::ParseStartArguments(trakvist::ArgumentsOf(argc, argv));
  if (!arguments.error.empty()) {
    std::fprintf(stderr, "Trakvist: %s\n%.*s", arguments.error.c_str(),
                 static_cast<int>(trakvist::kStartUsage.size()), trakvist::kStartUsage.data());
    return 2;
  }
  if (arguments.help) {
    std::fwrite(trakvist::kStartUsage.data(), 1, trakvist::kStartUsage.size(), stdout);
    return 0;
  }
  return trakvist::RunWindow(arguments);
}
