#ifndef TRAKVIST_FRONTEND_MODEL_RUNS_SIMULATOR_LIST_H_
#define TRAKVIST_FRONTEND_MODEL_RUNS_SIMULATOR_LIST_H_

#include <cstddef>
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
  bool is_executable = false;  // the user may run it and IsProgramImage holds
};

// How many bytes of a file's start IsProgramImage needs at most.
inline constexpr std::size_t kProgramHeadBytes = 64 * 1024;

// Whether a file starting with `head` (its first kProgramHeadBytes, or all
// of a shorter file) is a program: a script that starts with "#!", or an
// ELF executable. A shared library is not: an ELF file of type ET_DYN is a
// program only when it names an interpreter (a position-independent
// executable). Text files, libraries and anything else are not.
bool IsProgramImage(std::string_view head);

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
