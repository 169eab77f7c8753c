#ifndef TRAKVIST_FRONTEND_MODEL_SHELL_MAIN_STATE_H_
#define TRAKVIST_FRONTEND_MODEL_SHELL_MAIN_STATE_H_

#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/chart/chart_copies.h"
#include "frontend/model/chart/charts_tab.h"
#include "frontend/model/common/file_access.h"
#include "frontend/model/disks/disk_types.h"
#include "frontend/model/files/sim_file_session.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/requests/manual_requests.h"
#include "frontend/model/results/results_store.h"
#include "frontend/model/runs/simulator_list.h"

namespace trakvist {

// Everything the main window knows, as plain data. The window and the
// headless mode show it and change it only through the model's operations.
struct MainState {
  std::string AppFolder;  // the program folder, ending in a separator
  // This instance's own folder for the temporary files of its sweeps, ending
  // in a separator; empty: the program folder.
  std::string TemporaryFolder;
  // Why no such folder could be made, in a sentence or two; sweeps cannot
  // run while it is set.
  std::string temporary_folder_error;
  ParametersPanel panel;  // the "Simulation" tab
  ManualRequestsState manual;
  DiskTypes disks;
  SimulatorList simulators;  // `SimList`
  ResultsStore store;
  ChartsTab charts;  // the "Charts" tab
  ChartCopies chart_copies;
  SimFileState file;
  bool ImSaved = true;  // "Import Saved Simulation Page"
  // The stored results came from a sweep and have not been saved since.
  bool results_unsaved = false;
};

// What start-up needs from the platform: the program folder and its
// listing, for the simulator list, and the files, for the disk catalogue.
struct StartContext {
  std::string app_folder;
  std::vector<FolderEntry> folder_entries;
  std::string own_program_name = std::string(kFrontEndProgramName);
  const FileAccess* files = nullptr;  // null: no catalogue is read
};

// The figures the current disk starts with when the catalogue has no
// "Default" disk to make current.
DiskType BuiltInCurrentDisk();

// The main window's state as it starts, built in a fixed order because
// later steps rely on earlier ones: chart refreshes held until results
// exist; the panel with its defaults, request source and seed rules
// applied and the BO-PATH group disabled; the "Charts" tab with FCFS
// excluded, no X-axis variable, blank table rows and the automatic title
// rule applied; the program folder; the disk catalogue loaded, "Default"
// chosen and applied to the disk fields; the simulator list filled with
// its first entry selected; the manual requests state empty.
MainState StartMainState(const StartContext& context);

// The `SimList` text: the selected simulator's file name, empty when the
// list is empty.
std::string SelectedSimulator(const MainState& state);

// Why "Start" cannot be pressed whatever the run state, for its tooltip:
// no folder for the temporary files, or no simulator to run. Empty when
// nothing stands in the way.
std::string StartBlockedReason(const MainState& state);

// Whether "Start" can be pressed now: no sweep runs and nothing blocks it.
bool StartAvailable(const MainState& state);

// `SimRefresh`: lists the folder again and selects the first entry.
void RefreshSimulators(MainState* state, const std::vector<FolderEntry>& folder_entries,
                       std::string_view own_program_name = kFrontEndProgramName);

// Selects the simulator named `name`; false, changing nothing, when the list
// does not hold it.
bool SelectSimulator(MainState* state, std::string_view name);

// Chooses the disk type named `name` as a click on `DiskList` does; false,
// changing nothing, when the list does not hold it.
bool ChooseDiskType(MainState* state, std::string_view name);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_SHELL_MAIN_STATE_H_
