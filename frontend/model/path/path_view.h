#ifndef TRAKVIST_FRONTEND_MODEL_PATH_PATH_VIEW_H_
#define TRAKVIST_FRONTEND_MODEL_PATH_PATH_VIEW_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "frontend/model/panel/parameters.h"
#include "frontend/model/path/head_path.h"
#include "frontend/model/results/sweep_results.h"
#include "frontend/model/shell/main_state.h"

namespace trakvist {

// The one combination the "Head Path" tab runs and how its pictures are
// labelled, taken from the window's state when "Run" is pressed.
struct PathRunChoice {
  // Each parameter field as one value: the value chosen in the "Charts"
  // tab's list when results are stored, else the first value of the field.
  std::array<std::string, kParameterCount> field_texts;
  std::vector<int> algorithms;  // 1..9, those the "Charts" tab does not exclude
  double seconds_per_tu = 0;    // the time axis in seconds when above 0, else in TU
  std::int64_t cylinders = 0;   // the cylinder axis runs from 0 to cylinders - 1
};

// The choice for the window as it stands: the "Charts" tab's chosen values
// and exclusions, "Disable FCFS", and its seconds scale.
PathRunChoice ChoosePathRun(const MainState& state);

// One panel of the small multiples: an algorithm's path and its title.
struct PathPanel {
  const AlgorithmPath* path = nullptr;
  std::string title;
};

// What the pictures show: the panels in algorithm order, the shared axes.
struct PathPicture {
  std::vector<PathPanel> panels;
  std::int64_t last_tu = 0;   // the time axis runs from 0 to here
  std::int64_t highest = 0;   // the cylinder axis runs from 0 to here
  double seconds_per_tu = 0;  // the time axis in seconds when above 0
};

// A panel's title: "SCAN — total seek 236 TU, average wait 12.5 TU", in
// seconds ("s") when `seconds_per_tu` is above 0.
std::string PathPanelTitle(std::string_view algorithm, double seek_tu, double average_wait_tu,
                           double seconds_per_tu);

// The panels of `path` for the chosen algorithms, titled with the totals of
// run 1 of `results` (the run's result rows); an algorithm the log does not
// hold (FCFS under "Disable FCFS") has no panel.
PathPicture MakePathPicture(const HeadPath& path, const PathRunChoice& choice,
                            const SweepResults& results);

// A time on the axis as text: TU as a whole number, seconds with up to
// three decimals.
std::string PathTimeText(std::int64_t tu, double seconds_per_tu);

// The algorithm (1..9) named `name` in the log, 0 for none.
int PathAlgorithmIndex(std::string_view name);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PATH_PATH_VIEW_H_
