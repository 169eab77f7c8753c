// Helpers of the Qt platform tests: scratch folders, files and running the
// event loop.
#ifndef TRAKVIST_TESTS_FRONTEND_PLATFORM_QT_TEST_SUPPORT_H_
#define TRAKVIST_TESTS_FRONTEND_PLATFORM_QT_TEST_SUPPORT_H_

#include <sys/stat.h>

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace trakvist {

// A generous bound for anything that should happen soon, on a loaded
// machine and in a sanitizer build. Reaching it means a hang: the test then
// fails on what it expected to have happened.
inline constexpr std::chrono::milliseconds kHangGuard{120000};

// Runs the event loop until `done()` holds or the hang guard is reached;
// returns `done()`.
inline bool RunEventsUntil(const std::function<bool()>& done,
                           std::chrono::milliseconds bound = kHangGuard) {
  if (done()) return true;
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  check.start(5);
  QTimer::singleShot(bound, &loop, &QEventLoop::quit);
  loop.exec();
  return done();
}

// A folder of its own for one test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "platform_XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as the front end writes folders: with a trailing "/".
  std::string folder() const { return path_.string() + "/"; }

 private:
  std::filesystem::path path_;
};

inline void WriteFile(const std::filesystem::path& path, const std::string& text,
                      mode_t mode = 0644) {
  std::ofstream(path, std::ios::binary) << text;
  chmod(path.c_str(), mode);
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace trakvist

#endif  // TRAKVIST_TESTS_FRONTEND_PLATFORM_QT_TEST_SUPPORT_H_
