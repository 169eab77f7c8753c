#ifndef TRAKVIST_FRONTEND_MODEL_PATH_PATH_RUN_H_
#define TRAKVIST_FRONTEND_MODEL_PATH_PATH_RUN_H_

#include <cstdint>
#include <string>

#include "frontend/model/path/path_view.h"
#include "frontend/model/runs/run_monitor.h"
#include "frontend/model/shell/main_actions.h"

namespace trakvist {

// The head-path log of a run, in `folder` (ending in a separator).
inline constexpr std::string_view kPathLogName = "path.csv";

// The setup of the one run that draws the head's path: the chosen
// combination on one engine over `link`, its temporary files and log in
// `folder` (the instance's own, ending in a separator), the log asked for
// with -l:. The manual requests check keeps the combination: a raised
// number of cylinders is the only field it may change.
SweepSetup PathRunSetup(MainState* state, const PathRunChoice& choice, FileAccess* files,
                        const MainDialogs& dialogs, std::int32_t link, const std::string& folder);

// What came of the run: the log and the run's result rows, or why not.
struct PathRunOutcome {
  std::optional<PathPicture> picture;
  HeadPath path;        // the panels point into it: keep it with the picture
  std::string message;  // for the user, empty when there is none
};

// Reads the log of a run that ended with `end` and builds the picture.
// Pictures point into `outcome->path`, so the outcome is built in place.
void TakePathRun(SweepEnd end, const PathRunChoice& choice, const FileAccess& files,
                 const std::string& folder, PathRunOutcome* outcome);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PATH_PATH_RUN_H_
