#ifndef TRAKVIST_FRONTEND_MODEL_DISKS_CATALOGUE_FILE_ACCESS_H_
#define TRAKVIST_FRONTEND_MODEL_DISKS_CATALOGUE_FILE_ACCESS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trakvist {

// How reading a whole file went. A missing file is not a failure: callers
// treat it as an empty file, while a file that exists but cannot be read
// must never be taken for an empty one (saving over it would lose it).
enum class CatalogueReadStatus { kRead, kMissing, kFailed };

struct CatalogueRead {
  CatalogueReadStatus status = CatalogueReadStatus::kMissing;
  std::string content;  // the whole file when `status` is kRead, else empty
};

// The file operations the disk catalogue needs. Tests replace them.
class CatalogueFileAccess {
 public:
  virtual ~CatalogueFileAccess() = default;

  virtual CatalogueRead ReadWholeFile(const std::string& path) const = 0;

  // Replaces the file's content, creating the file when missing. The
  // earlier file stays as it was unless the new content was written whole.
  // Returns false on failure.
  virtual bool ReplaceFile(const std::string& path, std::string_view content) = 0;

  // The file's last modification time as a count of clock ticks, nothing
  // when the file does not exist. Only compared for equality.
  virtual std::optional<std::int64_t> ModificationTime(const std::string& path) const = 0;
};

// The files of the local file system. ReplaceFile writes a new file beside
// the target and renames it over the target, so a failed write (disk full,
// removed device) never destroys the earlier file. A file that cannot be
// written (made read-only) is not replaced either.
class LocalCatalogueFileAccess final : public CatalogueFileAccess {
 public:
  CatalogueRead ReadWholeFile(const std::string& path) const override;
  bool ReplaceFile(const std::string& path, std::string_view content) override;
  std::optional<std::int64_t> ModificationTime(const std::string& path) const override;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_DISKS_CATALOGUE_FILE_ACCESS_H_
