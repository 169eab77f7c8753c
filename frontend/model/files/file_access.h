#ifndef TRAKVIST_FRONTEND_MODEL_FILES_FILE_ACCESS_H_
#define TRAKVIST_FRONTEND_MODEL_FILES_FILE_ACCESS_H_

#include <optional>
#include <string>
#include <string_view>

namespace trakvist {

// Whole-file access for saving and opening simulation files, replaced by a
// fake in tests.
class FileAccess {
 public:
  virtual ~FileAccess() = default;

  // Writes `bytes` to a new file beside `path` and then renames it over
  // `path`, so the earlier file stays whole until the new one is complete.
  // False when any step fails; nothing is left behind then.
  virtual bool ReplaceFile(const std::string& path, std::string_view bytes) = 0;

  // The whole content of the file at `path`; nothing when it cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
};

// FileAccess on the real file system.
class DiskFileAccess : public FileAccess {
 public:
  bool ReplaceFile(const std::string& path, std::string_view bytes) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
};

// Name of the file written beside `target` before it replaces it.
std::string ReplacementPathFor(const std::string& target);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_FILES_FILE_ACCESS_H_
