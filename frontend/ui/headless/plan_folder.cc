#include "frontend/ui/headless/plan_folder.h"

#include <filesystem>
#include <system_error>

#include "frontend/model/common/utilities.h"
#include "frontend/model/files/sim_file_writer.h"
#include "frontend/model/plans/plan_file.h"
#include "frontend/model/plans/run_plan.h"
#include "frontend/model/runs/command_line.h"
#include "frontend/model/runs/engine_limits.h"
#include "frontend/model/runs/engine_runs.h"
#include "frontend/model/runs/run_files.h"
#include "frontend/model/runs/sweep.h"

namespace trakvist {
namespace {

namespace fs = std::filesystem;

constexpr fs::perms kScriptPermissions = fs::perms::owner_all | fs::perms::group_read |
                                         fs::perms::group_exec | fs::perms::others_read |
                                         fs::perms::others_exec;

PlanWritten Failed(std::string message) {
  PlanWritten result;
  if (!message.empty()) result.messages.push_back(std::move(message));
  return result;
}

// The folder the plan goes into, made when it does not exist; a message
// when it exists and holds anything, or cannot be made.
std::string PrepareFolder(const fs::path& folder, bool* made) {
  std::error_code error;
  *made = false;
  if (fs::exists(folder, error)) {
    if (!fs::is_directory(folder, error)) {
      return folder.string() + " exists and is not a folder. No plan was written.";
    }
    if (!fs::is_empty(folder, error) || error) {
      return folder.string() +
             " is not empty: a plan goes into a new or empty folder, so that no file in it is "
             "overwritten. No plan was written.";
    }
    return {};
  }
  if (!fs::create_directories(folder, error) || error) {
    return "The folder " + folder.string() + " could not be made (" + error.message() +
           "). No plan was written.";
  }
  *made = true;
  return {};
}

// Puts the folder back as it was found: gone when it was made, else empty.
void RemovePlan(const fs::path& folder, bool made) {
  std::error_code error;
  if (made) {
    fs::remove_all(folder, error);
    return;
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    fs::remove_all(entry.path(), error);
  }
}

// One file of the plan, written whole; false when it could not be.
bool WritePlanFile(FileAccess* files, const fs::path& folder, std::string_view name,
                   std::string_view content, bool script) {
  const fs::path path = folder / name;
  if (!files->WriteFile(path.string(), content)) return false;
  if (!script) return true;
  std::error_code error;
  fs::permissions(path, kScriptPermissions, error);
  return !error;
}

// The requests file the runs read, as a start would pass it; its path, or
// nothing when the requests do not pass the start's check (`message` then
// says why, unless the user was told already).
std::optional<std::string> CheckedRequests(MainState* state, FileAccess* files, const AskYesNo& ask,
                                           std::string* message) {
  const std::string folder =
      state->TemporaryFolder.empty() ? state->AppFolder : state->TemporaryFolder;
  const ManualStartCheck check = CheckManualRequests(
      &state->panel, &state->manual, *files, MakeTemporaryFiles(folder).manual_requests, ask);
  if (!check.input) {
    *message = check.message;
    return std::nullopt;
  }
  return check.input->in_path;
}

std::string PlannedMessage(std::int64_t runs, const std::string& folder) {
  return "Planned " + std::to_string(runs) + (runs == 1 ? " run" : " runs") + " in " + folder +
         ". Run them there with \"parallel < runs.txt\", \"sh run-one.sh N\" or \"sbatch "
         "slurm.sbatch\", then collect their results with Trakvist --collect " +
         folder + ".";
}

}  // namespace

PlanWritten WritePlanFolder(MainState* state, FileAccess* files, const std::string& folder,
                            const std::optional<std::string>& engine, const AskYesNo& ask) {
  const std::string simulator = SelectedSimulator(*state);
  if (!engine && simulator.empty()) {
    return Failed(
        "No simulator is selected: name the engine of the runs with --engine PATH. "
        "No plan was written.");
  }
  const std::string program = engine ? *engine : MakeAppFolder(state->AppFolder) + simulator;
  if (program.find_first_of("\r\n") != std::string::npos) {
    return Failed("The engine's path " + program +
                  " holds a line break, which would split the lines of runs.txt. No plan was "
                  "written.");
  }
  std::optional<std::string> requests;
  if (state->panel.source == RequestSource::kManual) {
    std::string message;
    const std::optional<std::string> path = CheckedRequests(state, files, ask, &message);
    if (!path) return Failed(message);
    const FileRead read = files->ReadFile(*path);
    if (read.status != FileReadStatus::kRead) {
      return Failed("The requests file " + *path + " could not be read. No plan was written.");
    }
    requests = read.content;
  }
  const ParameterTexts texts = ParameterTextsOf(state->panel);
  const SweepRanges ranges = FillSweepRanges(texts, state->panel.source, state->panel.rtimer);
  PlanRunSettings run_settings;
  run_settings.percentiles = state->panel.percentiles;
  run_settings.replications = ReplicationPlanFromPanel(state->panel);
  const std::int64_t runs = EngineRunCount(ranges, run_settings.replications, kMaxPlanRuns + 1);
  if (runs == 0) {
    return Failed(
        "The parameter ranges give no combination to run: a range whose step leads "
        "away from its end value has no values. No plan was written.");
  }
  if (runs > kMaxPlanRuns) {
    return Failed("The parameter ranges give more than " + std::to_string(kMaxPlanRuns) +
                  " runs, more than a plan holds. No plan was written.");
  }
  // Runs the engine would refuse would only fail on the cluster, one by one.
  if (const std::optional<std::string> refused = CheckEngineLimits(ranges)) {
    return Failed(*refused + " No plan was written.");
  }
  bool made = false;
  if (std::string error = PrepareFolder(folder, &made); !error.empty()) return Failed(error);
  const fs::path root(folder);
  std::error_code error;
  fs::create_directory(root / kPlanRowsFolder, error);
  const RunSettings settings = RunSettingsFromPanel(state->panel);
  const bool written =
      !error && (!requests || WritePlanFile(files, root, kPlanRequestsFile, *requests, false)) &&
      WritePlanFile(files, root, kPlanRunsFile,
                    PlanRunsText(settings, ranges, program, run_settings.replications), false) &&
      WritePlanFile(files, root, kPlanRunOneFile, RunOneScript(runs), true) &&
      WritePlanFile(files, root, kPlanSlurmFile, SlurmScript(runs), true) &&
      WritePlanFile(
          files, root, kPlanSweepFile,
          PlanSimFileText(PageControlsOf(state->panel, state->panel.manual_text, simulator), texts,
                          ranges, static_cast<std::int16_t>(state->panel.dist_list), run_settings),
          false);
  if (!written) {
    RemovePlan(root, made);
    return Failed("The plan could not be written into " + folder +
                  " (is the disk full, or the folder read-only?). No plan was written.");
  }
  PlanWritten result;
  result.written = true;
  result.messages.push_back(PlannedMessage(runs, folder));
  return result;
}

FileRead MemoryFile::ReadFile(const std::string& path) const {
  if (path != path_) return {FileReadStatus::kMissing, ""};
  return {FileReadStatus::kRead, content_};
}

}  // namespace trakvist
