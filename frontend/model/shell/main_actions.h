#ifndef TRAKVIST_FRONTEND_MODEL_SHELL_MAIN_ACTIONS_H_
#define TRAKVIST_FRONTEND_MODEL_SHELL_MAIN_ACTIONS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "frontend/model/common/file_access.h"
#include "frontend/model/files/sim_file_session.h"
#include "frontend/model/requests/manual_requests.h"
#include "frontend/model/runs/run_monitor.h"
#include "frontend/model/shell/main_state.h"

namespace trakvist {

// What the main window's operations that span several parts of the model
// need from the window: its questions and its wait window. Empty ones
// answer No and show nothing.
struct MainDialogs {
  AskYesNo ask_yes_no;
  WaitWindow wait;
};

// The manual requests check of a run started from the window's state: it
// writes the typed requests into the temporary file and may raise the number
// of cylinders after asking. `state`, `files` must outlive the run.
ManualRequestsCheck ManualCheckFor(MainState* state, FileAccess* files, const MainDialogs& dialogs);

// "Start" pressed: the start controls are disabled and the sweep's setup is
// taken from the panel, its temporary files going to the instance's folder. The manual requests
// check runs when the monitor asks for it, with the files and dialogs given; `state`, `files` and
// the dialogs must outlive the sweep.
SweepSetup BeginSweep(MainState* state, std::int32_t link, FileAccess* files,
                      const MainDialogs& dialogs);
// The same for up to "Parallel runs" engines at once, one per link number.
SweepSetup BeginSweep(MainState* state, std::vector<std::int32_t> links, FileAccess* files,
                      const MainDialogs& dialogs);

// The end of a sweep: a completed one replaces the stored results and shows
// them; every end enables the start controls again. Returns the message to
// show titled "Trakvist", empty when there is none.
std::string FinishSweep(MainState* state, SweepEnd end);

// The bytes Save writes: the page and parameter texts as they are now and
// the stored results.
std::string SimulationFileBytes(const MainState& state);

// `SaveS` and `SaveAs`.
SaveOutcome SaveSimulation(MainState* state, FileAccess& files, const AskPath& ask_path);
SaveOutcome SaveSimulationAs(MainState* state, FileAccess& files, const AskPath& ask_path);

// What Open did: whether a file was read whole and applied, and the
// messages to show, in order.
struct OpenedSimulation {
  bool opened = false;
  std::vector<std::string> messages;
};

// `OpenS`: reads the chosen file whole and, only when it was read whole,
// applies its page (with "Import Saved Simulation Page" set) and results
// and shows them.
OpenedSimulation OpenSimulation(MainState* state, const FileAccess& files, const AskPath& ask_path);

// `Publish`: a snapshot of the chart and of `ResultsText` in a new chart
// window; its number, or nothing when no more windows can be counted.
std::optional<std::int16_t> PublishChart(MainState* state);

// A request to close the main window: refused while a sweep runs.
bool MayClose(const MainState& state);

// Whether the stored results came from a sweep and were never saved: Open, a
// new sweep and closing the window then ask before they are lost.
bool HasUnsavedResults(const MainState& state);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_SHELL_MAIN_ACTIONS_H_
