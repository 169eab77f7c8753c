#include "frontend/model/path/path_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "frontend/model/common/number_text.h"
#include "frontend/model/results/results_table.h"

namespace trakvist {
namespace {

// The first value of a field: its text up to the first comma of a range.
std::string FirstValue(const std::string& text) { return text.substr(0, text.find(',')); }

// Up to `decimals` decimals, trailing zeros dropped.
std::string Decimals(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string result = text;
  if (result.find('.') != std::string::npos) {
    while (result.back() == '0') result.pop_back();
    if (result.back() == '.') result.pop_back();
  }
  return result == "-0" ? "0" : result;
}

}  // namespace

PathRunChoice ChoosePathRun(const MainState& state) {
  PathRunChoice choice;
  const bool stored = state.store.RunCount() > 0;
  for (int k = 0; k < kParameterCount; ++k) {
    const ValueList& list = state.charts.lists.Cm[k];
    const bool chosen = stored && list.selected >= 0 && list.selected < std::ssize(list.entries);
    choice.field_texts[k] =
        chosen ? list.entries[list.selected] : FirstValue(state.panel.cparam[k].text);
  }
  choice.algorithms = IncludedAlgorithms(state.charts.exclusion);
  if (state.panel.ofcfs) std::erase(choice.algorithms, 1);
  if (state.charts.CopyTU) {
    choice.seconds_per_tu =
        std::max(0.0, LeadingNumber(choice.field_texts[kSecondsPerTuParameter]));
  }
  choice.cylinders = static_cast<std::int64_t>(
      std::max(0.0, LeadingNumber(choice.field_texts[kCylindersParameter])));
  return choice;
}

std::string PathTimeText(std::int64_t tu, double seconds_per_tu) {
  if (seconds_per_tu > 0) return Decimals(static_cast<double>(tu) * seconds_per_tu, 3);
  return std::to_string(tu);
}

std::string PathPanelTitle(std::string_view algorithm, double seek_tu, double average_wait_tu,
                           double seconds_per_tu) {
  const bool seconds = seconds_per_tu > 0;
  const double scale = seconds ? seconds_per_tu : 1.0;
  const std::string unit = seconds ? " s" : " TU";
  return std::string(algorithm) + " \u2014 total seek " +
         Decimals(seek_tu * scale, seconds ? 3 : 2) + unit + ", average wait " +
         Decimals(average_wait_tu * scale, seconds ? 3 : 2) + unit;
}

int PathAlgorithmIndex(std::string_view name) {
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    if (ResultsStore::AlgorithmNames(a) == name) return a;
  }
  return 0;
}

PathPicture MakePathPicture(const HeadPath& path, const PathRunChoice& choice,
                            const SweepResults& results) {
  PathPicture picture;
  picture.seconds_per_tu = choice.seconds_per_tu;
  picture.highest = std::max<std::int64_t>(0, choice.cylinders - 1);
  for (const AlgorithmPath& algorithm : path.algorithms) {
    for (const PathEvent& event : algorithm.events) {
      picture.highest = std::max(picture.highest, event.cylinder);
    }
    if (!algorithm.events.empty()) {
      picture.last_tu = std::max(picture.last_tu, algorithm.events.back().tu);
    }
    const int index = PathAlgorithmIndex(algorithm.algorithm);
    if (std::find(choice.algorithms.begin(), choice.algorithms.end(), index) ==
        choice.algorithms.end()) {
      continue;
    }
    const double seek =
        results.Contains(index, 1) ? results.Get(Metric::kTotalSeekTime, index, 1) : 0.0;
    const double wait = results.Contains(index, 1)
                            ? results.Get(Metric::kAverageWaitingTime, index, 1)
                            : AverageWait(algorithm);
    picture.panels.push_back(
        {&algorithm, PathPanelTitle(algorithm.algorithm, seek, wait, choice.seconds_per_tu)});
  }
  return picture;
}

}  // namespace trakvist
