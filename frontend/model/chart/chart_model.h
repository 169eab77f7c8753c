#ifndef TRAKVIST_FRONTEND_MODEL_CHART_CHART_MODEL_H_
#define TRAKVIST_FRONTEND_MODEL_CHART_CHART_MODEL_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "frontend/model/chart/x_axis.h"

namespace trakvist {

// What a chart shows, in a form any chart view, picture exporter or test can
// read: a grid of categories (along the X axis) by series, with labels,
// values, title and footnote. The main chart, `MChart`, and every published
// chart window hold one.
struct ChartModel {
  ChartType chart_type = ChartType::kBars;
  bool legend_shown = false;

  // One label per series, shown in the legend.
  std::vector<std::string> series_labels;
  // First-level label of each category.
  std::vector<std::string> category_labels;
  // Second-level label of category 1, shown beneath the first level: the
  // X-axis title.
  std::string category1_second_label;
  // Levels of category labels the chart keeps.
  int category_label_levels = 2;

  // values[category][series] as number text; nothing for a point without a
  // value (a run with no results).
  std::vector<std::vector<std::optional<std::string>>> values;
  // half_widths[category][series]: the half-width of the 95 % confidence
  // interval of the value, in the values' unit, drawn as an error bar.
  // Empty when the values are not means of replications; nothing for a
  // point without one.
  std::vector<std::vector<std::optional<double>>> half_widths;

  std::string title;
  std::string footnote;
  // What the values measure and in which unit, written along the value
  // axis: "Total Seek Time (TU)", "... (s)" or "... (TU × 1000)".
  std::string y_axis_title;
};

// The chart as the main window starts: bars without a legend, one category
// and one series whose point holds "0", two levels of category labels.
ChartModel StartChartModel();

// Sizes the grid to `categories` x `series`: labels empty, points without
// values, no error bars. Negative counts are taken as 0.
void SetChartGrid(ChartModel* chart, int categories, int series);

inline std::size_t CategoryCount(const ChartModel& chart) { return chart.category_labels.size(); }
inline std::size_t SeriesCount(const ChartModel& chart) { return chart.series_labels.size(); }

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_CHART_CHART_MODEL_H_
