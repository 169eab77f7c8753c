#include "frontend/model/chart/chart_update.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "frontend/model/chart/results_text.h"
#include "frontend/model/common/number_text.h"
#include "frontend/model/panel/numeric_filter.h"
#include "frontend/model/panel/parameters.h"
#include "frontend/model/results/formula.h"

namespace trakvist {
namespace {

constexpr std::array<std::string_view, kAlgorithmCount> kShortNames = {
    "FCFS", "SSTF", "SCAN", "CSCAN", "LOOK", "CLOOK", "SLOOK", "BOPATH", "SATF"};

// The value of each algorithm 1..9 (at a - 1) at the point the table shows,
// as the footnote reports it; nothing where there are no results.
using PointValues = std::array<std::optional<double>, kAlgorithmCount>;

std::optional<std::string> PointText(const std::optional<double>& value) {
  if (!value) return std::nullopt;
  return NumberText(*value);
}

const std::vector<std::string>& XAxisEntries(const ChartsTab& tab, int x) {
  return tab.lists.Cm[x].entries;
}

PointValues RunValues(const ChartsTab& tab, const ResultsStore& store, std::int32_t run) {
  PointValues values;
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    values[a - 1] = GetSelData(store, tab.selection, a, run);
  }
  return values;
}

// Makes room for an error bar at every point when the stored results are
// means of replications; the chart keeps none otherwise.
void MakeRoomForErrorBars(ChartModel* chart, const ResultsStore& store) {
  if (!store.ResultReplications().Replicated()) return;
  chart->half_widths.assign(CategoryCount(*chart),
                            std::vector<std::optional<double>>(SeriesCount(*chart)));
}

// The error bar of a point: the half-width of the selected metric's
// interval in `run`, when the chart draws error bars.
void SetErrorBar(ChartModel* chart, std::size_t category, std::size_t series,
                 const ChartsTab& tab, const ResultsStore& store, int algorithm,
                 std::int32_t run) {
  if (chart->half_widths.empty()) return;
  chart->half_widths[category][series] = GetSelHalfWidth(store, tab.selection, algorithm, run);
}

// The table shows run `run`, in the order of the last sort.
void ShowRunInTable(ChartsTab* tab, const ResultsStore& store, std::int32_t run) {
  UpdateLTable(&tab->table, store, tab->selection.cunit, run);
  SortLTable(&tab->table, tab->table.SortColumn);
}

// What the footnote's values are: "(For <X-axis name>=<chosen value>) " at
// one point of the X axis, "(Maximum over <X-axis name> 100 to 300) " for a
// formula over its range, nothing without an X-axis variable.
std::string FootnotePrefix(const ChartsTab& tab) {
  const int x = tab.x_axis.x_axis_parameter;
  if (!IsParameterIndex(x)) return "";
  const int formula = tab.x_axis.formula;
  const std::vector<std::string>& entries = XAxisEntries(tab, x);
  if (formula == kFormulaNone || formula >= static_cast<int>(kFormulaItems.size()) ||
      entries.empty()) {
    return "(For " + COptionCaption(tab, x) + "=" + tab.selection.cm_texts[x] + ") ";
  }
  std::string range = entries.front();
  if (entries.size() > 1) range += " to " + entries.back();
  return "(" + std::string(kFormulaItems[formula]) + " over " + COptionCaption(tab, x) + " " +
         range + ") ";
}

// The prefix, then each included algorithm's name, ": ", its value and two
// spaces. Empty unless "Show Results" is set.
std::string Footnote(const ChartsTab& tab, const PointValues& point) {
  if (!tab.SRCheck) return "";
  std::string text = FootnotePrefix(tab);
  for (int a : IncludedAlgorithms(tab.exclusion)) {
    text += ResultsStore::AlgorithmNames(a);
    text += ": ";
    if (point[a - 1]) text += NumberText(*point[a - 1]);
    text += "  ";
  }
  return text;
}

// `Title`, then for every ticked and enabled title check box two spaces,
// the parameter's name, "=" and its chosen value; a comma separates a
// non-empty `Title` from what follows.
std::string ChartTitle(const ChartsTab& tab) {
  std::string title = tab.Title;
  if (!title.empty()) title += ",";
  bool appended = false;
  for (int k = 0; k < kParameterCount; ++k) {
    if (!tab.x_axis.pcheck_checked[k] || !tab.x_axis.pcheck_enabled[k]) continue;
    title += "  " + COptionCaption(tab, k) + "=" + tab.selection.cm_texts[k];
    appended = true;
  }
  return appended ? title : tab.Title;
}

// The selected metric's name and the unit of the plotted values: seconds
// when the Y scale follows the seconds per TU, TU at scale 1, else TU times
// the scale.
std::string YAxisTitle(const ChartsTab& tab) {
  std::string unit;
  if (tab.CopyTU) {
    unit = "s";
  } else if (const double scale = LeadingNumber(tab.selection.cunit); scale == 1) {
    unit = "TU";
  } else {
    unit = "TU \u00d7 " + NumberText(scale);
  }
  return std::string(GetSelDataName(tab.selection)) + " (" + unit + ")";
}

// Algorithms as the categories of one series: the chosen point with no
// X-axis variable, or the formula over the X-axis range.
void FillByAlgorithm(ChartsTab* tab, const ResultsStore& store, CombinationValues values) {
  ChartModel& chart = tab->chart;
  chart.legend_shown = false;
  chart.chart_type = tab->x_axis.chart_type;
  const std::vector<int> included = IncludedAlgorithms(tab->exclusion);
  SetChartGrid(&chart, static_cast<int>(included.size()), 1);

  PointValues point;
  const int x = tab->x_axis.x_axis_parameter;
  if (!IsParameterIndex(x)) {
    const std::int32_t run = GetTableRow(store, values);
    ShowRunInTable(tab, store, run);
    point = RunValues(*tab, store, run);
    // A formula's value has no interval of its own; a single run's has.
    MakeRoomForErrorBars(&chart, store);
    for (std::size_t c = 0; c < included.size(); ++c) {
      SetErrorBar(&chart, c, 0, *tab, store, included[c], run);
    }
  } else {
    std::vector<std::int32_t> runs;
    for (const std::string& entry : XAxisEntries(*tab, x)) {
      values[x] = ValueListNumber(entry);
      runs.push_back(GetTableRow(store, values));
    }
    const int formula = tab->x_axis.formula;
    UpdateLTableFormula(&tab->table, store, tab->selection.cunit, formula, runs);
    SortLTable(&tab->table, tab->table.SortColumn);
    for (int a = 1; a <= kAlgorithmCount; ++a) {
      point[a - 1] = GetFormulaData(store, tab->selection, formula, a, runs);
    }
  }
  for (std::size_t c = 0; c < included.size(); ++c) {
    chart.category_labels[c] = ShortAlgorithmName(included[c]);
    chart.values[c][0] = PointText(point[included[c] - 1]);
  }
  tab->ResultsText = CopyLtable(tab->table, tab->selection.SelectedMetric);
  chart.footnote = Footnote(*tab, point);
  chart.title = ChartTitle(*tab);
  chart.y_axis_title = YAxisTitle(*tab);
  chart.category1_second_label.clear();
}

// One series per algorithm over the values of X-axis parameter `x`; the
// table shows the point chosen in the X-axis variable's own list.
void FillByXValue(ChartsTab* tab, const ResultsStore& store, CombinationValues values, int x) {
  ChartModel& chart = tab->chart;
  chart.legend_shown = true;
  chart.chart_type = tab->x_axis.chart_type;
  tab->ResultsText = SeriesHeader(tab->exclusion);
  const std::vector<int> included = IncludedAlgorithms(tab->exclusion);
  const std::vector<std::string>& entries = XAxisEntries(*tab, x);
  SetChartGrid(&chart, static_cast<int>(entries.size()), static_cast<int>(included.size()));
  MakeRoomForErrorBars(&chart, store);
  for (std::size_t s = 0; s < included.size(); ++s) {
    chart.series_labels[s] = ResultsStore::AlgorithmNames(included[s]);
  }
  chart.category_labels = entries;
  chart.category1_second_label = tab->Showx ? COptionCaption(*tab, x) : "";

  const std::int32_t chosen_run = GetTableRow(store, values);
  ShowRunInTable(tab, store, chosen_run);
  chart.footnote = Footnote(*tab, RunValues(*tab, store, chosen_run));
  chart.title = ChartTitle(*tab);
  chart.y_axis_title = YAxisTitle(*tab);

  std::vector<std::optional<double>> line(included.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    values[x] = ValueListNumber(entries[i]);
    const std::int32_t run = GetTableRow(store, values);
    for (std::size_t s = 0; s < included.size(); ++s) {
      line[s] = GetSelData(store, tab->selection, included[s], run);
      chart.values[i][s] = PointText(line[s]);
      SetErrorBar(&chart, i, s, *tab, store, included[s], run);
    }
    tab->ResultsText += SeriesLine(values[x], line);
  }
}

}  // namespace

std::string_view ShortAlgorithmName(int algorithm) {
  if (algorithm < 1 || algorithm > kAlgorithmCount) return {};
  return kShortNames[algorithm - 1];
}

bool UpdateChart(ChartsTab* tab, const ResultsStore& store) {
  if (tab->selection.ChartUpdateSuspended) return false;
  const CombinationValues values = CurrentValues(tab->selection);
  const int x = tab->x_axis.x_axis_parameter;
  if (!IsParameterIndex(x) || tab->x_axis.formula != kFormulaNone) {
    FillByAlgorithm(tab, store, values);
  } else {
    FillByXValue(tab, store, values, x);
  }
  return true;
}

bool ShowNewResults(ChartsTab* tab, const ResultsStore& store) {
  tab->selection.ChartUpdateSuspended = true;
  tab->lists = CreateLists(store, tab->lists.captions);
  AllowStatistics(tab, store.Results().HasPercentiles());
  tab->selection.cm_texts = SelectedTexts(tab->lists);
  // Choosing the first entry of the seconds per TU list is a choice like
  // the user's: the Y scale follows it when it copies it.
  CopyTU_Click(tab);
  tab->selection.ChartUpdateSuspended = false;
  return UpdateChart(tab, store);
}

ChartLink ChartLinkFor(ChartsTab* tab, const ResultsStore* store, std::function<void()> refreshed) {
  ChartLink link;
  link.update_suspended = &tab->selection.ChartUpdateSuspended;
  link.update_chart = [tab, store, refreshed = std::move(refreshed)] {
    if (UpdateChart(tab, *store) && refreshed) refreshed();
  };
  return link;
}

ChartRefresh ChooseChartType(ChartsTab* tab, ChartType type) {
  tab->x_axis.chart_type = type;
  return ChartRefresh::kNow;
}

ChartRefresh SetShowx(ChartsTab* tab, bool checked) {
  tab->Showx = checked;
  return ChartRefresh::kNow;
}

ChartRefresh SetSRCheck(ChartsTab* tab, bool checked) {
  tab->SRCheck = checked;
  return ChartRefresh::kNow;
}

ChartRefresh ChooseMetric(ChartsTab* tab, Metric metric) {
  if (IsPercentileMetric(metric) && !tab->statistics_enabled) return ChartRefresh::kNone;
  tab->selection.SelectedMetric = metric;
  // An automatic title changes with the metric; the refresh its change
  // asks for is the one this click makes anyway.
  CTitle_Click(tab);
  return ChartRefresh::kNow;
}

void AllowStatistics(ChartsTab* tab, bool allowed) {
  tab->statistics_enabled = allowed;
  if (!allowed && IsPercentileMetric(tab->selection.SelectedMetric)) {
    ChooseMetric(tab, Metric::kTotalSeekTime);
  }
}

ChartRefresh ChooseCmValue(ChartsTab* tab, int k, int entry) {
  if (!IsParameterIndex(k)) return ChartRefresh::kNone;
  ValueList& list = tab->lists.Cm[k];
  if (entry < 0 || entry >= static_cast<int>(list.entries.size())) return ChartRefresh::kNone;
  list.selected = entry;
  tab->selection.cm_texts[k] = list.entries[entry];
  // The delay the Y scale's change asks for is overtaken by this refresh.
  if (k == kSecondsPerTuParameter) CopyTU_Click(tab);
  return ChartRefresh::kNow;
}

ChartRefresh ExcludeAlgorithms(ChartsTab* tab, const ExclusionList& list) {
  tab->exclusion = list;
  List1_Click(&tab->exclusion, &tab->table);
  return ChartRefresh::kNow;
}

void LTable_ColumnClick(ChartsTab* tab, int column) {
  if (!SortLTable(&tab->table, column)) return;
  tab->ResultsText = CopyLtable(tab->table, tab->selection.SelectedMetric);
}

ChartRefresh CTitle_Click(ChartsTab* tab) {
  tab->title_enabled = tab->CTitle;
  tab->title_color = BackgroundFor(tab->CTitle);
  if (tab->CTitle) return ChartRefresh::kNone;
  return SetTitle(tab, GetSelDataName(tab->selection));
}

ChartRefresh SetCTitle(ChartsTab* tab, bool checked) {
  tab->CTitle = checked;
  return CTitle_Click(tab);
}

ChartRefresh SetTitle(ChartsTab* tab, std::string_view text) {
  if (tab->Title == text) return ChartRefresh::kNone;
  tab->Title = text;
  return tab->CTitle ? ChartRefresh::kRestartDelay : ChartRefresh::kNow;
}

ChartRefresh SetCunit(ChartsTab* tab, std::string_view text) {
  if (tab->selection.cunit == text) return ChartRefresh::kNone;
  tab->selection.cunit = FilterNumericText(text, /*minus_allowed=*/false,
                                           /*decimals_allowed=*/true, /*exponent_allowed=*/true);
  return ChartRefresh::kRestartDelay;
}

ChartRefresh CopyTU_Click(ChartsTab* tab) {
  ChartRefresh refresh = ChartRefresh::kNone;
  if (tab->CopyTU) {
    refresh = SetCunit(tab, tab->selection.cm_texts[kSecondsPerTuParameter]);
    tab->cunit_color = ColorRole::kButtonFace;
  } else {
    tab->cunit_color = ColorRole::kWindow;
  }
  tab->cunit_read_only = tab->CopyTU;
  return refresh;
}

ChartRefresh SetCopyTU(ChartsTab* tab, bool checked) {
  tab->CopyTU = checked;
  return CopyTU_Click(tab);
}

}  // namespace trakvist
