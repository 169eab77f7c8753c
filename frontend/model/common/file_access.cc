#include "frontend/model/common/file_access.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>
#include <utility>

namespace trakvist {
namespace {

namespace fs = std::filesystem;

constexpr int kReplacementNameAttempts = 8;

// A link is replaced at the file it leads to, so the link itself survives.
fs::path ResolvedTarget(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  const fs::path resolved = fs::canonical(path, error);
  return error ? fs::path(path) : resolved;
}

// Whether the file at `target` may be replaced. A missing one may be
// created. A folder or anything else that is not a regular file is never
// replaced, nor is a file the user made read-only, behind their back.
bool MayReplace(const fs::path& target) {
  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  if (status.type() == fs::file_type::not_found) return true;
  if (error || !fs::is_regular_file(status)) return false;
  // Without a single write permission the file is read-only, even for a
  // user (the superuser) whom the system would let write it.
  constexpr fs::perms kWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((status.permissions() & kWrite) == fs::perms::none) return false;
  std::FILE* file = std::fopen(target.c_str(), "ab");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

// A name beside `target` for the new content, unlikely to be taken by
// another writer of the same file.
fs::path ReplacementNameBeside(const fs::path& target) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::random_device random;
  std::string name = target.string() + ".~";
  for (int i = 0; i < 8; ++i) name.push_back(kHex[random() % 16]);
  return name + ".tmp";
}

// Writes `content` to `file` and closes it; false when not all of it reached
// the file. A full disk may only show when the buffer is flushed.
bool WriteAndClose(std::FILE* file, std::string_view content) {
  const bool written =
      content.empty() || std::fwrite(content.data(), 1, content.size(), file) == content.size();
  const bool flushed = std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  return written && flushed && closed;
}

}  // namespace

FileAccess::~FileAccess() = default;

FileRead FileAccess::ReadFile(const std::string& /*path*/) const {
  return {FileReadStatus::kFailed, ""};
}

std::optional<std::string> FileAccess::ReadContent(const std::string& path) const {
  FileRead read = ReadFile(path);
  if (read.status != FileReadStatus::kRead) return std::nullopt;
  return std::move(read.content);
}

std::optional<FileStamp> FileAccess::LastModified(const std::string& /*path*/) const {
  return std::nullopt;
}

std::unique_ptr<std::istream> FileAccess::OpenForReading(const std::string& /*path*/) const {
  return nullptr;
}

bool FileAccess::ReplaceFile(const std::string& /*path*/, std::string_view /*content*/) {
  return false;
}

bool FileAccess::WriteFile(const std::string& /*path*/, std::string_view /*content*/) {
  return false;
}

void FileAccess::Remove(const std::string& /*path*/) {}

FileRead DiskFileAccess::ReadFile(const std::string& path) const {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return {FileReadStatus::kMissing, ""};
  // A folder opens as a stream on some systems but has no content to read.
  if (error || !fs::is_regular_file(status)) return {FileReadStatus::kFailed, ""};
  std::ifstream stream(path, std::ios::binary);
  if (!stream) return {FileReadStatus::kFailed, ""};
  std::string content{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  if (stream.bad()) return {FileReadStatus::kFailed, ""};
  return {FileReadStatus::kRead, std::move(content)};
}

std::optional<FileStamp> DiskFileAccess::LastModified(const std::string& path) const {
  std::error_code error;
  const FileStamp stamp = fs::last_write_time(path, error);
  if (error) return std::nullopt;
  return stamp;
}

std::unique_ptr<std::istream> DiskFileAccess::OpenForReading(const std::string& path) const {
  // A folder opens as a stream here, one that reads as empty: a results file
  // replaced by a folder would read as a file of zeros.
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return nullptr;
  auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
  if (!file->is_open()) return nullptr;
  return file;
}

bool DiskFileAccess::ReplaceFile(const std::string& path, std::string_view content) {
  const fs::path target = ResolvedTarget(path);
  if (!MayReplace(target)) return false;
  for (int attempt = 0; attempt < kReplacementNameAttempts; ++attempt) {
    const fs::path replacement = ReplacementNameBeside(target);
    std::error_code error;
    if (fs::exists(replacement, error) || error) continue;
    // "x": the name must still be free, so another writer's file, or a link
    // put there, is never written through.
    std::FILE* file = std::fopen(replacement.c_str(), "wbx");
    if (file == nullptr) return false;
    if (!WriteAndClose(file, content)) {
      fs::remove(replacement, error);
      return false;
    }
    const fs::file_status old_status = fs::status(target, error);
    if (!error && fs::is_regular_file(old_status)) {
      fs::permissions(replacement, old_status.permissions(), error);
    }
    fs::rename(replacement, target, error);
    if (!error) return true;
    fs::remove(replacement, error);  // the new file that did not take the old one's place
    return false;
  }
  return false;
}

bool DiskFileAccess::WriteFile(const std::string& path, std::string_view content) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  return WriteAndClose(file, content);
}

void DiskFileAccess::Remove(const std::string& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
}

}  // namespace trakvist
