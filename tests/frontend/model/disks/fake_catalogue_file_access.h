#ifndef TRAKVIST_TESTS_FRONTEND_MODEL_DISKS_FAKE_CATALOGUE_FILE_ACCESS_H_
#define TRAKVIST_TESTS_FRONTEND_MODEL_DISKS_FAKE_CATALOGUE_FILE_ACCESS_H_

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/model/common/file_access.h"

namespace trakvist {

// Files held in memory. Every write moves the file's modification time on.
class FakeCatalogueFileAccess final : public FileAccess {
 public:
  // Puts a file in place as another program would.
  void Put(const std::string& path, std::string_view content) {
    files_[path] = std::string(content);
    times_[path] = FileStamp{} + std::chrono::seconds(++clock_);
  }

  const std::string& Content(const std::string& path) const { return files_.at(path); }
  int writes() const { return writes_; }

  bool fail_reads = false;
  bool fail_writes = false;

  FileRead ReadFile(const std::string& path) const override {
    if (fail_reads) return {FileReadStatus::kFailed, ""};
    const auto found = files_.find(path);
    if (found == files_.end()) return {FileReadStatus::kMissing, ""};
    return {FileReadStatus::kRead, found->second};
  }

  bool ReplaceFile(const std::string& path, std::string_view content) override {
    if (fail_writes) return false;
    ++writes_;
    Put(path, content);
    return true;
  }

  std::optional<FileStamp> LastModified(const std::string& path) const override {
    const auto found = times_.find(path);
    if (found == times_.end()) return std::nullopt;
    return found->second;
  }

 private:
  std::map<std::string, std::string> files_;
  std::map<std::string, FileStamp> times_;
  int clock_ = 0;
  int writes_ = 0;
};

}  // namespace trakvist

#endif  // TRAKVIST_TESTS_FRONTEND_MODEL_DISKS_FAKE_CATALOGUE_FILE_ACCESS_H_
