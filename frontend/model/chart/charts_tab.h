#ifndef TRAKVIST_FRONTEND_MODEL_CHART_CHARTS_TAB_H_
#define TRAKVIST_FRONTEND_MODEL_CHART_CHARTS_TAB_H_

#include <array>
#include <string>
#include <string_view>

#include "frontend/model/chart/chart_model.h"
#include "frontend/model/chart/x_axis.h"
#include "frontend/model/common/color_role.h"
#include "frontend/model/results/results_store.h"
#include "frontend/model/results/results_table.h"
#include "frontend/model/results/value_lists.h"

namespace trakvist {

// Captions of the metric buttons `SOption`, `WOption`, `XWOption`.
inline constexpr std::array<std::string_view, 3> kMetricCaptions = {
    "Total Seek Time", "Av. Waiting Time", "Max. Waiting Time"};

// Captions of the "Charts" tab's check boxes and labels.
inline constexpr std::string_view kCopyTUCaption = "Y-axis scale in seconds";
inline constexpr std::string_view kSRCheckCaption = "Show Results";
inline constexpr std::string_view kCunitLabelBefore = "1 Time Unit = ";
inline constexpr std::string_view kCunitLabelAfter = "Y-aixs Units";
inline constexpr std::string_view kTitleLabel = "Title:";
inline constexpr std::string_view kExcludeLabel = "Exclude:";

// State of the "Charts" tab: every control the chart refresh reads or
// writes. The views show these values and write user input back through the
// operations of chart_update.h.
struct ChartsTab {
  // Metric buttons, Y scale `cunit`, `ChartUpdateSuspended` and the current
  // text of each value list `Cm`.
  ResultsSelection selection;
  // Entries of the value lists and the captions of `COption`(2) and (3).
  ValueLists lists;
  // X-axis choice, title check boxes `PCheck`, `Formula`, "Bars"/"Lines".
  XAxisState x_axis;
  ExclusionList exclusion;  // `List1`
  LTable table;             // `LTable`
  ChartModel chart;         // `MChart`
  // What the Copy button puts on the clipboard besides the chart's picture.
  std::string ResultsText;

  bool CopyTU = false;
  bool cunit_read_only = false;
  ColorRole cunit_color = ColorRole::kWindow;
  // The waiting-time statistics' metric buttons: enabled exactly when the
  // stored results hold the statistics.
  bool statistics_enabled = false;
  bool SRCheck = false;
  bool Showx = true;
  std::string Title;
  bool CTitle = true;  // set: the user edits `Title`; clear: it names the metric
  bool title_enabled = true;
  ColorRole title_color = ColorRole::kWindow;
};

// The tab as the main window starts: no X-axis variable, FCFS excluded,
// the table's rows blank, refreshes held until results exist.
ChartsTab StartChartsTab();

// Caption of X-axis choice `index` (0..16): parameters 2 and 3 are named
// after the distribution of the stored results. Empty for other indices.
std::string COptionCaption(const ChartsTab& tab, int index);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_CHART_CHARTS_TAB_H_
