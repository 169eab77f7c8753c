#ifndef TRAKVIST_FRONTEND_MODEL_SHELL_WINDOW_STATUS_H_
#define TRAKVIST_FRONTEND_MODEL_SHELL_WINDOW_STATUS_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/runs/run_monitor.h"
#include "frontend/model/shell/main_state.h"

namespace trakvist {

// The status bar while no sweep has run yet.
inline constexpr std::string_view kIdleStatusText = "Ready";

// The question asked before results that were never saved are replaced or
// lost (by Open, by a new sweep or by closing the window).
inline constexpr std::string_view kUnsavedResultsQuestion = "Save the results of the last sweep?";

// The tooltip of "Start": why it cannot be pressed when something stands in
// the way, else what it does.
std::string StartToolTip(const MainState& state);

// How many files File > Recent Files lists.
inline constexpr int kMaxRecentFiles = 8;

// Where a running sweep stands, for its status line.
struct SweepStanding {
  std::int64_t runs_done = 0;   // runs that ended with their rows written
  std::int64_t run_total = 0;   // combinations of the sweep; 0 while unknown
  double elapsed_seconds = 0;   // since "Start"
  double done_fraction = 0;     // of the requests to serve, 0 to 1; 0 when not reported
};

// A duration for people: "0.4 s" below ten seconds, whole seconds below a
// minute ("42 s"), then minutes and seconds ("2 min 5 s"), then hours and
// minutes ("1 h 3 min"). Negative durations read as zero.
std::string DurationText(double seconds);

// The status line during a sweep: "Run 3 of 12 …", followed by
// ", about 20 s left" once the time left can be told. The run shown is the
// first one not yet done. The time left comes from the share of requests
// served and, without progress reports, from the share of runs done.
std::string RunningStatusText(const SweepStanding& standing);

// The status line after a sweep: "12 runs in 0.4 s" when it completed,
// "Stopped after run 5 of 12" (or "Stopped during run 1 of 12")
// when "Stop" ended it, and the failure's message on one line, its blanks
// and line breaks run together, when it failed.
std::string SweepEndStatusText(SweepEndKind kind, const SweepStanding& standing,
                               std::string_view message);

// The recent files list after `path` was opened or saved: `path` first,
// each path once, at most kMaxRecentFiles entries.
std::vector<std::string> WithRecentFile(std::vector<std::string> recent, const std::string& path);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_SHELL_WINDOW_STATUS_H_
