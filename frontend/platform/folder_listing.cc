#include "frontend/platform/folder_listing.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace trakvist {
namespace {

// The first bytes of a file, as many as IsProgramImage looks at; empty
// when it cannot be read.
std::string FileHead(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string head(kProgramHeadBytes, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
  return head;
}

}  // namespace

std::vector<FolderEntry> ListFolder(const std::string& folder, std::error_code* error) {
  namespace fs = std::filesystem;
  std::vector<FolderEntry> entries;
  std::error_code failure;
  fs::directory_iterator it(folder, failure);
  for (; !failure && it != fs::directory_iterator(); it.increment(failure)) {
    std::error_code ignored;  // a file that went away in between is simply not regular
    FolderEntry entry;
    entry.name = it->path().filename().string();
    entry.is_regular_file = it->is_regular_file(ignored);
    entry.is_executable = entry.is_regular_file && access(it->path().c_str(), X_OK) == 0 &&
                          IsProgramImage(FileHead(it->path()));
    if (entry.is_regular_file) entries.push_back(std::move(entry));
  }
  if (failure) entries.clear();
  if (error) *error = failure;
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

}  // namespace trakvist
