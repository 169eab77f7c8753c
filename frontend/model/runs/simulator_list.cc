#include "frontend/model/runs/simulator_list.h"

#include <algorithm>

namespace trakvist {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

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
