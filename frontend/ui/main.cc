// The Trakvist program: the main window over the program folder's engines,
// disk catalogue and files, or the same work without a window for scripts.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "frontend/model/common/utilities.h"
#include "frontend/model/headless/headless_options.h"
#include "frontend/platform/app_folders.h"
#include "frontend/ui/headless/headless_run.h"
#include "frontend/ui/main_window/main_window.h"
#include "frontend/ui/main_window/platform_services.h"

namespace trakvist {
namespace {

std::vector<std::string> ArgumentsOf(int argc, char* argv[]) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

// Options of the window system that Qt takes out of the command line.
bool IsQtOption(const std::string& argument) {
  static const std::set<std::string> options = {"platform",        "platformpluginpath",
                                                "platformtheme",   "plugin",
                                                "qwindowgeometry", "qwindowicon",
                                                "qwindowtitle",    "reverse",
                                                "session",         "display",
                                                "geometry",        "style",
                                                "stylesheet",      "widgetcount",
                                                "qmljsdebugger"};
  const std::size_t dashes = argument.find_first_not_of('-');
  return dashes != std::string::npos && dashes <= 2 && options.count(argument.substr(dashes)) > 0;
}

// The first argument decides: the modes without a window are named first,
// and a first option that is neither the window system's nor "--" is a
// mistake to report without a window; anything else is for the window.
bool WantsNoWindow(int argc, char* argv[]) {
  if (argc < 2) return false;
  const std::string first = argv[1];
  if (first == "-h") return true;
  return first.size() > 2 && first.rfind("--", 0) == 0 && !IsQtOption(first);
}

int RunWindow(const HeadlessOptions& options) {
  PlatformServices platform(ProgramFolder());
  if (!platform.link_error().empty()) {
    std::fprintf(stderr, "Trakvist: no link to the engines (%s); simulations cannot be run.\n",
                 platform.link_error().c_str());
  }
  const MainWindowServices services = platform.services();
  MainWindow window(StartStateFor(services), services);
  window.show();
  if (options.file) {
    const std::string path = AbsolutePath(*options.file);
    // Once the window is up, so that its messages have it to stand on.
    QTimer::singleShot(0, &window, [&window, path] { window.OpenFile(path); });
  }
  return QApplication::exec();
}

// Without a window, Qt's own notes (about the runtime folder, fonts, ...)
// would mix with the program's messages; only its errors are passed on.
void QtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "Trakvist: %s\n", qPrintable(message));
  }
}

int Refuse(const UsageError& error) {
  std::fprintf(stderr, "Trakvist: %s\n", error.message.c_str());
  return kExitUsage;
}

int MainWithoutWindow(int argc, char* argv[]) {
  const auto parsed = ParseHeadlessOptions(ArgumentsOf(argc, argv));
  if (const auto* error = std::get_if<UsageError>(&parsed)) return Refuse(*error);
  const HeadlessOptions& options = std::get<HeadlessOptions>(parsed);
  if (options.mode == ProgramMode::kHelp) {
    const std::string usage = HeadlessUsage();
    std::fwrite(usage.data(), 1, usage.size(), stdout);
    return kExitSuccess;
  }
  // Charts are drawn without a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QtErrorsOnly);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trakvist"));
  return RunHeadless(options, ProgramFolder());
}

int MainWithWindow(int argc, char* argv[]) {
  // QApplication takes the window system's options (-platform, -style, ...)
  // out of argv; what is left is Trakvist's.
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trakvist"));
  // Lets the desktop match the window to the installed entry and its icon.
  QApplication::setDesktopFileName(QStringLiteral("trakvist"));
  const auto parsed = ParseHeadlessOptions(ArgumentsOf(argc, argv));
  if (const auto* error = std::get_if<UsageError>(&parsed)) return Refuse(*error);
  return RunWindow(std::get<HeadlessOptions>(parsed));
}

}  // namespace
}  // namespace trakvist

int main(int argc, char* argv[]) {
  return trakvist::WantsNoWindow(argc, argv) ? trakvist::MainWithoutWindow(argc, argv)
                                             : trakvist::MainWithWindow(argc, argv);
}
