#include "frontend/model/shell/main_state.h"

#include "frontend/model/common/utilities.h"
#include "frontend/model/panel/panel_texts.h"

namespace trakvist {
namespace {

constexpr std::string_view kNoSimulatorReason =
    "No simulator program was found in the program folder: put the schedule program beside "
    "Trakvist and press \"Refresh Simulator List\".";

constexpr std::string_view kNoTemporaryFolderReason =
    " Simulations cannot be run without a folder for their temporary files.";

// The catalogue comes last among the panel's start steps: choosing
// "Default" writes the disk fields through their change rules, which must
// find the panel complete. Without a "Default" disk the current disk starts
// with built-in figures and the list shows "Custom ..."; with one it keeps
// that disk's own figures, so the disk properties window shows the disk the
// list names.
void LoadCatalogue(MainState* state, const FileAccess* files) {
  if (files != nullptr) LoadDiskTypes(&state->disks, &state->panel, *files);
  if (!FindEntry(state->disks.catalogue, kDefaultDiskName)) {
    state->disks.current = BuiltInCurrentDisk();
    // The fields then match no catalogued disk, which is what "Custom ..."
    // stands for; an empty list text would be saved as an unknown disk.
    state->panel.disk_list_text = std::string(kCustomDiskType);
  }
  state->panel.disk_type_applying = false;
}

}  // namespace

DiskType BuiltInCurrentDisk() {
  // Eight figures are built in; the others are 0, so the disk properties
  // window derives no block or settle time from figures nobody gave.
  DiskType disk;
  disk.track_to_track_seek = 0;
  disk.rotational_speed = 0;
  disk.bytes_per_block = 0;
  disk.settle_time = 0;
  disk.buffer_size = 0;
  disk.cylinders = 10000;
  disk.blocks_per_track = 150;
  disk.heads = 2;
  disk.logical_cylinders = 10000;
  disk.logical_blocks_per_track = 150;
  disk.logical_heads = 2;
  disk.full_seek_time = 15.2;
  disk.average_seek_time = 10.5;
  return disk;
}

MainState StartMainState(const StartContext& context) {
  MainState state;
  state.charts = StartChartsTab();  // holds refreshes until results exist
  state.panel = StartParametersPanel();
  state.AppFolder = MakeAppFolder(context.app_folder);
  state.disks.path = DisksFilePath(state.AppFolder);
  LoadCatalogue(&state, context.files);
  RefreshSimulators(&state, context.folder_entries, context.own_program_name);
  state.manual = ManualRequestsState{};
  state.panel.manual_req_changed = false;
  return state;
}

std::string SelectedSimulator(const MainState& state) {
  const SimulatorList& list = state.simulators;
  if (list.selected < 0 || list.selected >= static_cast<int>(list.names.size())) return "";
  return list.names[list.selected];
}

std::string StartBlockedReason(const MainState& state) {
  if (!state.temporary_folder_error.empty()) {
    return state.temporary_folder_error + std::string(kNoTemporaryFolderReason);
  }
  return SelectedSimulator(state).empty() ? std::string(kNoSimulatorReason) : std::string();
}

bool StartAvailable(const MainState& state) {
  return state.panel.startb_enabled && StartBlockedReason(state).empty();
}

void RefreshSimulators(MainState* state, const std::vector<FolderEntry>& folder_entries,
                       std::string_view own_program_name) {
  state->simulators = RefreshSimulatorList(folder_entries, own_program_name);
}

bool SelectSimulator(MainState* state, std::string_view name) {
  const int position = PositionOf(state->simulators.names, name);
  if (position < 0) return false;
  state->simulators.selected = position;
  return true;
}

bool ChooseDiskType(MainState* state, std::string_view name) {
  const std::optional<int> index = FindEntry(state->disks.catalogue, name);
  if (!index) return false;
  DiskList_Click(&state->disks, &state->panel, *index);
  return true;
}

}  // namespace trakvist
