#include "frontend/model/requests/request_file_access.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace trakvist {
namespace {

std::optional<std::string> ReadLocalFile(const std::string& path) {
  std::error_code error;
  // A folder opens as a stream on some systems but has no contents to read.
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string contents{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return contents;
}

std::optional<FileStamp> LocalLastModified(const std::string& path) {
  std::error_code error;
  const FileStamp stamp = std::filesystem::last_write_time(path, error);
  if (error) return std::nullopt;
  return stamp;
}

bool WriteLocalFile(const std::string& path, std::string_view contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  out.close();  // a full disk may only show when the buffer is flushed
  return !out.fail();
}

}  // namespace

RequestFileAccess LocalRequestFileAccess() {
  return RequestFileAccess{ReadLocalFile, LocalLastModified, WriteLocalFile};
}

std::optional<std::string> ReadWholeFile(const RequestFileAccess& files, const std::string& path) {
  if (!files.read_whole_file) return std::nullopt;
  return files.read_whole_file(path);
}

std::optional<FileStamp> LastModified(const RequestFileAccess& files, const std::string& path) {
  if (!files.last_modified) return std::nullopt;
  return files.last_modified(path);
}

bool WriteFileReplacing(const RequestFileAccess& files, const std::string& path,
                        std::string_view contents) {
  return files.write_file_replacing && files.write_file_replacing(path, contents);
}

}  // namespace trakvist
