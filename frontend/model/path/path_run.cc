#include "frontend/model/path/path_run.h"

#include <utility>

namespace trakvist {

SweepSetup PathRunSetup(MainState* state, const PathRunChoice& choice, FileAccess* files,
                        const MainDialogs& dialogs, std::int32_t link, const std::string& folder) {
  SweepSetup setup =
      SweepSetupFromPanel(state->panel, state->AppFolder, SelectedSimulator(*state), link, {});
  setup.field_texts = choice.field_texts;
  setup.temporary_folder = folder;
  const std::array<std::string, kParameterCount> texts = choice.field_texts;
  setup.check_manual_requests = [check = ManualCheckFor(state, files, dialogs),
                                 texts](const std::string& temporary_file) {
    ManualRequests requests = check(temporary_file);
    if (requests.field_texts) {
      const std::string& cylinders = (*requests.field_texts)[kCylindersParameter];
      std::array<std::string, kParameterCount> kept = texts;
      kept[kCylindersParameter] = cylinders.substr(0, cylinders.find(','));
      requests.field_texts = kept;
    }
    return requests;
  };
  setup.extra_arguments.push_back({"-l:" + folder + std::string(kPathLogName), true});
  return setup;
}

void TakePathRun(SweepEnd end, const PathRunChoice& choice, const FileAccess& files,
                 const std::string& folder, PathRunOutcome* outcome) {
  outcome->message = std::move(end.message);
  if (end.kind != SweepEndKind::kCompleted) return;
  const std::string log = folder + std::string(kPathLogName);
  const FileRead read = files.ReadFile(log);
  if (read.status != FileReadStatus::kRead) {
    outcome->message = "The head-path log " + log + " could not be read.";
    return;
  }
  HeadPathRead path = ReadHeadPath(read.content);
  if (!path.path) {
    outcome->message = "The head-path log " + log + " is not in the proper format: " + path.problem;
    return;
  }
  outcome->path = std::move(*path.path);
  outcome->picture = MakePathPicture(outcome->path, choice, end.results);
}

}  // namespace trakvist
