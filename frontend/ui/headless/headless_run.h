#ifndef TRAKVIST_FRONTEND_UI_HEADLESS_HEADLESS_RUN_H_
#define TRAKVIST_FRONTEND_UI_HEADLESS_HEADLESS_RUN_H_

#include <cstdio>
#include <string>

#include "frontend/model/headless/headless_options.h"

namespace trakvist {

// Does what `Trakvist --run` or `--open` asks, without a window, with the
// engines, disk catalogue and files of `program_folder`: loads the file,
// sets the fields, runs the sweep, sets the chart's view, saves and draws
// what was asked for. The results text goes to `out`; progress and every
// message the window would show go to `err`. Needs a QApplication (on the
// offscreen platform: no display is used). Returns the exit status.
int RunHeadless(const HeadlessOptions& options, const std::string& program_folder,
                std::FILE* out = stdout, std::FILE* err = stderr);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_HEADLESS_HEADLESS_RUN_H_
