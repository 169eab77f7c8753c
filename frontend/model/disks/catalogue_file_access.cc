#include "frontend/model/disks/catalogue_file_access.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace trakvist {
namespace {

namespace fs = std::filesystem;

constexpr int kTemporaryNameAttempts = 8;

// A name beside `path` for the new content, unlikely to be taken by
// another writer of the same file.
std::string TemporaryNameBeside(const std::string& path) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::random_device random;
  std::string suffix;
  for (int i = 0; i < 8; ++i) suffix.push_back(kHex[random() % 16]);
  return path + ".~" + suffix + ".tmp";
}

// Writes `content` to a new file `path` ("x": it must not exist yet).
bool WriteNewFile(const std::string& path, std::string_view content) {
  std::FILE* file = std::fopen(path.c_str(), "wbx");
  if (file == nullptr) return false;
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  const bool flushed = std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  return written && flushed && closed;
}

// Whether an existing file may be changed: a file the user made read-only
// is not replaced behind their back.
bool MayReplace(const std::string& path) {
  std::error_code error;
  if (!fs::exists(path, error)) return !error;
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

}  // namespace

CatalogueRead LocalCatalogueFileAccess::ReadWholeFile(const std::string& path) const {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return {CatalogueReadStatus::kMissing, ""};
  if (error || !fs::is_regular_file(status)) return {CatalogueReadStatus::kFailed, ""};
  std::ifstream stream(path, std::ios::binary);
  if (!stream) return {CatalogueReadStatus::kFailed, ""};
  std::string content{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  if (stream.bad()) return {CatalogueReadStatus::kFailed, ""};
  return {CatalogueReadStatus::kRead, std::move(content)};
}

bool LocalCatalogueFileAccess::ReplaceFile(const std::string& path, std::string_view content) {
  if (!MayReplace(path)) return false;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    const std::string temporary = TemporaryNameBeside(path);
    std::error_code error;
    if (fs::exists(temporary, error) || error) continue;
    if (!WriteNewFile(temporary, content)) {
      fs::remove(temporary, error);
      return false;
    }
    // The new file gets the permissions of the one it replaces.
    const fs::file_status old_status = fs::status(path, error);
    if (!error && fs::is_regular_file(old_status)) {
      fs::permissions(temporary, old_status.permissions(), error);
    }
    fs::rename(temporary, path, error);
    if (!error) return true;
    fs::remove(temporary, error);
    return false;
  }
  return false;
}

std::optional<std::int64_t> LocalCatalogueFileAccess::ModificationTime(
    const std::string& path) const {
  std::error_code error;
  const fs::file_time_type time = fs::last_write_time(path, error);
  if (error) return std::nullopt;
  return static_cast<std::int64_t>(time.time_since_epoch().count());
}

}  // namespace trakvist
