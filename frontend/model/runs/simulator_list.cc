#include "frontend/model/runs/simulator_list.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace trakvist {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// An unsigned field of `size` bytes at `offset`, in the file's byte order;
// nullopt past the end of `head`.
std::optional<std::uint64_t> Field(std::string_view head, std::uint64_t offset, int size,
                                   bool big_endian) {
  if (offset > head.size() || head.size() - offset < static_cast<std::uint64_t>(size)) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (int i = 0; i < size; ++i) {
    const int at = big_endian ? i : size - 1 - i;
    value = (value << 8) | static_cast<unsigned char>(head[offset + at]);
  }
  return value;
}

// Whether the ELF file's program headers (those within `head`) hold an
// interpreter entry (PT_INTERP).
bool NamesInterpreter(std::string_view head, bool wide, bool big_endian) {
  constexpr std::uint64_t kInterpreter = 3;
  const auto table = Field(head, wide ? 0x20 : 0x1C, wide ? 8 : 4, big_endian);
  const auto entry_size = Field(head, wide ? 0x36 : 0x2A, 2, big_endian);
  const auto count = Field(head, wide ? 0x38 : 0x2C, 2, big_endian);
  if (!table || !entry_size || !count || *entry_size < 4) return false;
  for (std::uint64_t k = 0; k < *count; ++k) {
    const auto type = Field(head, *table + k * *entry_size, 4, big_endian);
    if (!type) return false;
    if (*type == kInterpreter) return true;
  }
  return false;
}

bool IsElfProgram(std::string_view head) {
  constexpr std::uint64_t kExecutable = 2;  // ET_EXEC
  constexpr std::uint64_t kShared = 3;      // ET_DYN: a library or a PIE program
  if (head.size() < 0x18 || head.substr(0, 4) != "\x7f" "ELF") return false;
  const bool wide = head[4] == 2;
  const bool big_endian = head[5] == 2;
  const auto type = Field(head, 0x10, 2, big_endian);
  if (type == kExecutable) return true;
  return type == kShared && NamesInterpreter(head, wide, big_endian);
}

}  // namespace

bool IsProgramImage(std::string_view head) {
  return head.substr(0, 2) == "#!" || IsElfProgram(head);
}

SimulatorList RefreshSimulatorList(const std::vector<FolderEntry>& entries,
                                   std::string_view own_name) {
  SimulatorList list;
  for (const FolderEntry& entry : entries) {
    if (!entry.is_regular_file || !entry.is_executable) continue;
    if (EqualsIgnoringCase(entry.name, own_name)) continue;
    list.names.push_back(entry.name);
  }
  if (!list.names.empty()) list.selected = 0;
  return list;
}

}  // namespace trakvist
