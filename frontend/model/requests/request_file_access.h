#ifndef TRAKVIST_FRONTEND_MODEL_REQUESTS_REQUEST_FILE_ACCESS_H_
#define TRAKVIST_FRONTEND_MODEL_REQUESTS_REQUEST_FILE_ACCESS_H_

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace trakvist {

// A file's last-modified time.
using FileStamp = std::filesystem::file_time_type;

// The file operations of the manual requests. Tests put fakes in their
// place; LocalRequestFileAccess works on the real file system. An operation
// left empty fails as if the file could not be reached.
struct RequestFileAccess {
  // The file's whole contents, byte for byte; nothing when it cannot be read.
  std::function<std::optional<std::string>(const std::string& path)> read_whole_file;
  // The file's last-modified time; nothing when the file cannot be reached.
  std::function<std::optional<FileStamp>(const std::string& path)> last_modified;
  // Writes `contents` as the whole file, replacing any old one; false when
  // the file could not be written completely.
  std::function<bool(const std::string& path, std::string_view contents)> write_file_replacing;
};

// The three operations over the local file system.
RequestFileAccess LocalRequestFileAccess();

// Calls the operations, treating an empty one as a failure.
std::optional<std::string> ReadWholeFile(const RequestFileAccess& files, const std::string& path);
std::optional<FileStamp> LastModified(const RequestFileAccess& files, const std::string& path);
bool WriteFileReplacing(const RequestFileAccess& files, const std::string& path,
                        std::string_view contents);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_REQUESTS_REQUEST_FILE_ACCESS_H_
