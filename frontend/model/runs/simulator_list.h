#ifndef TRAKVIST_FRONTEND_MODEL_RUNS_SIMULATOR_LIST_H_
#define TRAKVIST_FRONTEND_MODEL_RUNS_SIMULATOR_LIST_H_

#include <string>
#include <string_view>
#include <vector>

namespace trakvist {

// File name of the front end's own program, which is never a simulator.
inline constexpr std::string_view kFrontEndProgramName = "Trakvist";

inline constexpr std::string_view kSimListToolTip =
    "Simulator List: Specify which simulator version you want to use";
inline constexpr std::string_view kSimRefreshToolTip = "Refresh Simulator List";

// One entry of a folder listing, as the platform layer reports it.
struct FolderEntry {
  std::string name;
  bool is_regular_file = false;
  bool is_executable = false;
};

// The engine programs offered in `SimList` and the selected one.
struct SimulatorList {
  std::vector<std::string> names;
  int selected = -1;  // -1: nothing to select
};

// Rebuilds the list from the listing of the program folder: executable
// regular files other than `own_name` (compared without regard to case),
// spelled and ordered as listed, the first one selected.
SimulatorList RefreshSimulatorList(const std::vector<FolderEntry>& entries,
                                   std::string_view own_name = kFrontEndProgramName);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RUNS_SIMULATOR_LIST_H_
