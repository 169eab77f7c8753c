#ifndef TRAKVIST_FUZZ_FUZZ_SUPPORT_H_
#define TRAKVIST_FUZZ_FUZZ_SUPPORT_H_

// What every fuzz target shares: the invariant check, the cutting of one
// input into parts, and files held in memory.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/common/file_access.h"

// Stops the process with the failed condition when an invariant of the
// reader does not hold, so the fuzzer keeps the input that broke it. Active
// in every build: the replayed corpus checks the same invariants.
#define FUZZ_CHECK(condition)                                                                \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                          \
    }                                                                                        \
  } while (0)

namespace fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

// `text` cut at every `separator`; always at least one part.
inline std::vector<std::string> SplitParts(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      parts.emplace_back(text.substr(start));
      return parts;
    }
    parts.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
}

// Part `index` of `parts`, empty when there are fewer.
inline std::string PartOrEmpty(const std::vector<std::string>& parts, std::size_t index) {
  return index < parts.size() ? parts[index] : std::string();
}

// Files in memory: a path maps to its bytes; a path absent from the map is
// a missing file, one in `unreadable` exists but cannot be read, one in
// `read_only` cannot be written.
class MemoryFiles : public trakvist::FileAccess {
 public:
  std::map<std::string, std::string> files;
  std::map<std::string, bool> unreadable;
  std::map<std::string, bool> read_only;

  trakvist::FileRead ReadFile(const std::string& path) const override {
    if (unreadable.count(path) != 0) return {trakvist::FileReadStatus::kFailed, {}};
    auto found = files.find(path);
    if (found == files.end()) return {trakvist::FileReadStatus::kMissing, {}};
    return {trakvist::FileReadStatus::kRead, found->second};
  }
  std::optional<trakvist::FileStamp> LastModified(const std::string& path) const override {
    auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    // Different contents give different stamps, as an edit would.
    return trakvist::FileStamp(trakvist::FileStamp::duration(
        static_cast<long long>(std::hash<std::string>()(found->second) >> 2)));
  }
  std::unique_ptr<std::istream> OpenForReading(const std::string& path) const override {
    auto found = files.find(path);
    if (found == files.end() || unreadable.count(path) != 0) return nullptr;
    return std::make_unique<std::istringstream>(found->second);
  }
  bool ReplaceFile(const std::string& path, std::string_view content) override {
    return WriteFile(path, content);
  }
  bool WriteFile(const std::string& path, std::string_view content) override {
    if (read_only.count(path) != 0) return false;
    files[path] = std::string(content);
    return true;
  }
  void Remove(const std::string& path) override {
    if (read_only.count(path) == 0) files.erase(path);
  }
};

}  // namespace fuzz

#endif  // TRAKVIST_FUZZ_FUZZ_SUPPORT_H_
