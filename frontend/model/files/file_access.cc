#include "frontend/model/files/file_access.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace trakvist {
namespace {

namespace fs = std::filesystem;

// A link is replaced at the file it leads to, so the link itself survives.
fs::path ResolvedTarget(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  const fs::path resolved = fs::canonical(path, error);
  return error ? fs::path(path) : resolved;
}

}  // namespace

std::string ReplacementPathFor(const std::string& target) { return target + ".saving~"; }

bool DiskFileAccess::ReplaceFile(const std::string& path, std::string_view bytes) {
  const fs::path target = ResolvedTarget(path);
  std::error_code error;
  if (fs::is_directory(target, error)) return false;
  const fs::path replacement = ReplacementPathFor(target.string());
  std::ofstream out(replacement, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out.fail()) {
    fs::rename(replacement, target, error);
    if (!error) return true;
  }
  fs::remove(replacement, error);  // the incomplete new file
  return false;
}

std::optional<std::string> DiskFileAccess::ReadFile(const std::string& path) {
  std::error_code error;
  if (fs::is_directory(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace trakvist
