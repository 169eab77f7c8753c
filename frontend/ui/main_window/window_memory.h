#ifndef TRAKVIST_FRONTEND_UI_MAIN_WINDOW_WINDOW_MEMORY_H_
#define TRAKVIST_FRONTEND_UI_MAIN_WINDOW_WINDOW_MEMORY_H_

#include <QByteArray>
#include <memory>
#include <string>
#include <vector>

class QSettings;

namespace trakvist {

// What the main window remembers from one session to the next: its
// geometry and the recent simulation files, nothing else. Kept in an INI
// file; with no file named nothing is remembered.
class WindowMemory {
 public:
  explicit WindowMemory(const std::string& settings_file);
  ~WindowMemory();
  WindowMemory(const WindowMemory&) = delete;
  WindowMemory& operator=(const WindowMemory&) = delete;

  QByteArray Geometry() const;
  void SetGeometry(const QByteArray& geometry);

  // Paths as the file system spells them, newest first.
  std::vector<std::string> RecentFiles() const;
  void SetRecentFiles(const std::vector<std::string>& paths);

 private:
  std::unique_ptr<QSettings> settings_;  // null: nothing is remembered
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_MAIN_WINDOW_WINDOW_MEMORY_H_
