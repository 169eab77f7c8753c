#include "frontend/model/shell/main_actions.h"

#include <utility>

#include "frontend/model/chart/chart_update.h"
#include "frontend/model/files/sim_file_apply.h"
#include "frontend/model/files/sim_file_writer.h"

namespace trakvist {
namespace {

PageHooks PageHooksFor(MainState* state) {
  PageHooks hooks;
  hooks.set_manual_text = [state](std::string_view text) { SetManualText(&state->panel, text); };
  hooks.choose_disk_type = [state](std::string_view name) { ChooseDiskType(state, name); };
  hooks.choose_simulator = [state](std::string_view name) { SelectSimulator(state, name); };
  return hooks;
}

}  // namespace

ManualRequestsCheck ManualCheckFor(MainState* state, FileAccess* files,
                                   const MainDialogs& dialogs) {
  return [state, files, dialogs](const std::string& temporary_file) {
    const ManualStartCheck check = CheckManualRequests(
        &state->panel, &state->manual, *files, temporary_file, dialogs.ask_yes_no, dialogs.wait);
    ManualRequests requests;
    if (!check.input) {
      requests.message = check.message;
      return requests;
    }
    requests.passed = true;
    requests.requests_file = check.input->in_path;
    requests.request_count = check.input->request_count;
    // A "Yes" to the cylinder question raised field 10: the runs take it.
    requests.field_texts.emplace();
    for (int k = 0; k < kParameterCount; ++k) {
      (*requests.field_texts)[k] = state->panel.cparam[k].text;
    }
    return requests;
  };
}

SweepSetup BeginSweep(MainState* state, std::int32_t link, FileAccess* files,
                      const MainDialogs& dialogs) {
  SweepSetup setup = BeginSweep(state, std::vector<std::int32_t>{link}, files, dialogs);
  setup.jobs = 1;
  return setup;
}

SweepSetup BeginSweep(MainState* state, std::vector<std::int32_t> links, FileAccess* files,
                      const MainDialogs& dialogs) {
  Enable_StartControls(&state->panel, false);
  SweepSetup setup = SweepSetupFromPanel(state->panel, state->AppFolder, SelectedSimulator(*state),
                                         std::move(links), ManualCheckFor(state, files, dialogs));
  setup.temporary_folder = state->TemporaryFolder;
  return setup;
}

std::string FinishSweep(MainState* state, SweepEnd end) {
  const bool completed = end.kind == SweepEndKind::kCompleted;
  std::string message = std::move(end.message);
  ApplySweepEnd(std::move(end), &state->store, &state->panel);
  if (completed) {
    ShowNewResults(&state->charts, state->store);
    state->results_unsaved = true;
  }
  return message;
}

std::string SimulationFileBytes(const MainState& state) {
  return SimFileText(PageControlsOf(state.panel, state.panel.manual_text, SelectedSimulator(state)),
                     ParameterTextsOf(state.panel), state.store);
}

namespace {

SaveOutcome NoteSaved(MainState* state, SaveOutcome outcome) {
  if (outcome.status == SaveStatus::kSaved) state->results_unsaved = false;
  return outcome;
}

}  // namespace

SaveOutcome SaveSimulation(MainState* state, FileAccess& files, const AskPath& ask_path) {
  return NoteSaved(state, Save(&state->file, files, SimulationFileBytes(*state), ask_path));
}

SaveOutcome SaveSimulationAs(MainState* state, FileAccess& files, const AskPath& ask_path) {
  return NoteSaved(state, SaveAs(&state->file, files, SimulationFileBytes(*state), ask_path));
}

OpenedSimulation OpenSimulation(MainState* state, const FileAccess& files,
                                const AskPath& ask_path) {
  const SimFileReadContext context = SimFileReadContextOf(
      state->ImSaved, state->disks.catalogue.entries, state->simulators, state->store);
  OpenOutcome outcome = Open(&state->file, files, ask_path, context);
  const bool opened = outcome.content.has_value();
  if (opened) {
    ApplySimFile(std::move(*outcome.content), &state->panel, &state->store, PageHooksFor(state));
    ShowNewResults(&state->charts, state->store);
    state->results_unsaved = false;
  }
  return {opened, std::move(outcome.messages)};
}

std::optional<std::int16_t> PublishChart(MainState* state) {
  return Publish(&state->chart_copies, state->charts.chart, state->charts.ResultsText);
}

bool MayClose(const MainState& state) { return state.panel.startb_enabled; }

bool HasUnsavedResults(const MainState& state) { return state.results_unsaved; }

}  // namespace trakvist
