#ifndef TRAKVIST_FRONTEND_MODEL_CHART_CHART_UPDATE_H_
#define TRAKVIST_FRONTEND_MODEL_CHART_CHART_UPDATE_H_

#include <functional>
#include <string_view>

#include "frontend/model/chart/charts_tab.h"
#include "frontend/model/chart/x_axis.h"
#include "frontend/model/results/results_store.h"
#include "frontend/model/results/results_table.h"
#include "frontend/model/results/sweep_results.h"

namespace trakvist {

// Short algorithm names, the category labels of the chart with algorithms
// along the X axis: "FCFS", "SSTF", "SCAN", "CSCAN", ... for 1..9; empty
// for any other index.
std::string_view ShortAlgorithmName(int algorithm);

// The chart and table refresh. Nothing happens while
// `ChartUpdateSuspended` is set; otherwise the chart, the table and
// `ResultsText` are rebuilt from the current choices and true is returned:
// a one-second refresh delay that is running is then no longer needed.
//
// With no X-axis variable, or a formula chosen, the algorithms are the
// categories of one series; otherwise each algorithm is a series over the
// X-axis variable's values. Points whose run has no results get no value.
bool UpdateChart(ChartsTab* tab, const ResultsStore& store);

// Results were just stored (a completed sweep or an opened file): the value
// lists are rebuilt with their first entries chosen, the statistics' metric
// buttons are allowed as AllowStatistics says, the Y scale follows
// the seconds per TU when `CopyTU` is set, refreshes are released and the
// chart is redrawn. Returns UpdateChart's result.
bool ShowNewResults(ChartsTab* tab, const ResultsStore& store);

// The refresh, for the X-axis selection handlers; `refreshed` (may be empty)
// is called after every refresh that ran, so the view can stop its delay.
ChartLink ChartLinkFor(ChartsTab* tab, const ResultsStore* store,
                       std::function<void()> refreshed = {});

// What a control change asks of the refresh. The view owns the one-second
// timer `Timer1`: on kNow it calls UpdateChart (and stops the timer when
// that ran); on kRestartDelay it stops and starts the timer, and when the
// timer fires it calls UpdateChart and stops it.
enum class ChartRefresh { kNone, kNow, kRestartDelay };

// "Bars" or "Lines" clicked.
ChartRefresh ChooseChartType(ChartsTab* tab, ChartType type);

// "X-axis Title" and "Show Results" set or cleared.
ChartRefresh SetShowx(ChartsTab* tab, bool checked);
ChartRefresh SetSRCheck(ChartsTab* tab, bool checked);

// A metric button clicked: the metric is chosen and the automatic title
// follows it; the title's own change needs no second refresh. A
// waiting-time statistic is refused (kNone) while the buttons are disabled.
ChartRefresh ChooseMetric(ChartsTab* tab, Metric metric);

// Enables or disables the waiting-time statistics' metric buttons. Disabled
// while one of them is selected, the choice falls back to the total seek
// time, as a click on `SOption` would. The refresh is the caller's.
void AllowStatistics(ChartsTab* tab, bool allowed);

// Entry `entry` chosen in value list `Cm`(k). A choice in the seconds per
// TU list also runs the Y-scale copy. Out-of-range choices are ignored.
ChartRefresh ChooseCmValue(ChartsTab* tab, int k, int entry);

// A click in the exclusion list, given its selection after the click.
ChartRefresh ExcludeAlgorithms(ChartsTab* tab, const ExclusionList& list);

// A results-table column header clicked: the table is sorted by that column
// and `ResultsText` becomes the table form, whatever the layout. The chart
// is not refreshed.
void LTable_ColumnClick(ChartsTab* tab, int column);

// The automatic-title rule: `Title` is enabled exactly when `CTitle` is set;
// when it is not, `Title` names the selected metric. A change of `Title`
// refreshes as SetTitle says.
ChartRefresh CTitle_Click(ChartsTab* tab);
ChartRefresh SetCTitle(ChartsTab* tab, bool checked);

// `Title` changed to `text`: a typed title waits for the delay, an automatic
// one refreshes at once. kNone when the text is unchanged.
ChartRefresh SetTitle(ChartsTab* tab, std::string_view text);

// `cunit` changed to `text`: the text is filtered to one unsigned decimal
// number (exponent allowed) and the refresh waits for the delay. kNone when
// the text is unchanged.
ChartRefresh SetCunit(ChartsTab* tab, std::string_view text);

// The Y-scale copy: with `CopyTU` set, `cunit` takes the chosen seconds per
// TU and becomes read-only, so values show in seconds.
ChartRefresh CopyTU_Click(ChartsTab* tab);
ChartRefresh SetCopyTU(ChartsTab* tab, bool checked);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_CHART_CHART_UPDATE_H_
