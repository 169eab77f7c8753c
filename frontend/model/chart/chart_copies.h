#ifndef TRAKVIST_FRONTEND_MODEL_CHART_CHART_COPIES_H_
#define TRAKVIST_FRONTEND_MODEL_CHART_CHART_COPIES_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/chart/chart_model.h"

namespace trakvist {

inline constexpr std::string_view kChartWindowCaption = "Chart";
inline constexpr std::string_view kCopyCaption = "Copy";

// Where the chart and the "Copy" button of a chart window sit, in pixels of
// its client area. The button keeps its horizontal position and size.
struct ChartWindowLayout {
  int chart_left = 5;
  int chart_top = 5;
  int chart_width = 0;
  int chart_height = 0;
  int copy_top = 0;
};

// Fits the chart to a client area of `width` x `height`: it fills the area
// but a 5-pixel margin and the button's strip, never narrower than 10 or
// lower than 30; the button sits 26 pixels above the bottom edge (above the
// window's top when the window is very low).
void ResizeChartWindow(ChartWindowLayout* layout, int width, int height);

// A published chart window: a snapshot of the main chart and of the copy
// text, which its own Copy button puts on the clipboard. Neither changes
// after publishing.
struct ChartWindow {
  std::int16_t number = 0;  // its position in the list of chart windows
  ChartModel Cchart;
  std::string text;
  ChartWindowLayout layout;
};

// Makes `destination` show exactly what `source` shows: chart type, legend,
// title, footnote, the grid with its labels, label levels and values.
void CopyChart(const ChartModel& source, ChartModel* destination);

// Every published chart window still open, at positions 1..ChartCopyCount
// (indices 0..count - 1), each numbered with its position.
struct ChartCopies {
  std::vector<ChartWindow> windows;
};

std::int16_t ChartCopyCount(const ChartCopies& copies);

// Opens a chart window at the end of the list with a snapshot of `chart`
// and `results_text`, and returns its number. Nothing happens, and nothing
// is returned, when the list already holds the most windows a 16-bit number
// can count.
std::optional<std::int16_t> Publish(ChartCopies* copies, const ChartModel& chart,
                                    std::string_view results_text);

// Removes window `number` as it closes. The last window moves into its
// position and takes its number, so the list stays without gaps and only
// that one window is renumbered. Returns false, changing nothing, for a
// number that is no open window.
bool RemoveChartWindow(ChartCopies* copies, std::int16_t number);

// The window with `number`; null when there is none.
const ChartWindow* FindChartWindow(const ChartCopies& copies, std::int16_t number);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_CHART_CHART_COPIES_H_
