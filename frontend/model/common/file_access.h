#ifndef TRAKVIST_FRONTEND_MODEL_COMMON_FILE_ACCESS_H_
#define TRAKVIST_FRONTEND_MODEL_COMMON_FILE_ACCESS_H_

#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace trakvist {

// A file's last-modified time.
using FileStamp = std::filesystem::file_time_type;

// How reading a whole file went. A missing file is told from one that
// exists but cannot be read: the disk catalogue takes a missing file for an
// empty one, while an unreadable one must never be taken for empty (saving
// over it would lose it).
enum class FileReadStatus { kRead, kMissing, kFailed };

struct FileRead {
  FileReadStatus status = FileReadStatus::kFailed;
  std::string content;  // the whole file when `status` is kRead, else empty
};

// The file operations of the model, so that tests can put a fake in place of
// the disk. An operation a subclass does not give fails as if the file could
// not be reached, so a fake gives only those its test uses. DiskFileAccess
// works on the real file system.
class FileAccess {
 public:
  virtual ~FileAccess() = 0;

  // Reads the whole file, byte for byte.
  virtual FileRead ReadFile(const std::string& path) const;

  // The file's whole content; nothing when it is missing or cannot be read.
  std::optional<std::string> ReadContent(const std::string& path) const;

  // The file's last-modified time; nothing when the file cannot be reached.
  virtual std::optional<FileStamp> LastModified(const std::string& path) const;

  // Opens the file for reading as bytes; null when it cannot be opened (it
  // does not exist, for one).
  virtual std::unique_ptr<std::istream> OpenForReading(const std::string& path) const;

  // Replaces the file's content, creating the file when missing: the new
  // content goes to a new file beside it, which is then renamed over it, so
  // the earlier file stays as it was unless the new one was written whole.
  // False on failure; nothing is left behind then.
  virtual bool ReplaceFile(const std::string& path, std::string_view content);

  // Writes `content` as the whole file in place, truncating any old one;
  // false when the file could not be written completely.
  virtual bool WriteFile(const std::string& path, std::string_view content);

  // Deletes the file. A missing file, or one that cannot be deleted, is
  // passed over without a word.
  virtual void Remove(const std::string& path);
};

// FileAccess on the real file system. Only regular files are read. A link
// is replaced at the file it leads to, so the link itself survives; the new
// file gets the permissions of the one it replaces. A folder or anything else
// that is not a regular file, and a file the user made read-only, is not
// replaced.
class DiskFileAccess final : public FileAccess {
 public:
  FileRead ReadFile(const std::string& path) const override;
  std::optional<FileStamp> LastModified(const std::string& path) const override;
  std::unique_ptr<std::istream> OpenForReading(const std::string& path) const override;
  bool ReplaceFile(const std::string& path, std::string_view content) override;
  bool WriteFile(const std::string& path, std::string_view content) override;
  void Remove(const std::string& path) override;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_COMMON_FILE_ACCESS_H_
