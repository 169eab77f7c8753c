#include "frontend/model/headless/headless_view.h"

#include "frontend/model/chart/chart_update.h"
#include "frontend/model/common/number_text.h"
#include "frontend/model/runs/param_range.h"

namespace trakvist {
namespace {

// The entry of value list `k` that names the same number as `text`.
std::optional<int> EntryOf(const ValueList& list, const std::string& text) {
  const std::optional<double> wanted = FullNumber(text);
  for (int i = 0; i < static_cast<int>(list.entries.size()); ++i) {
    if (list.entries[i] == text || (wanted && FullNumber(list.entries[i]) == wanted)) return i;
  }
  return std::nullopt;
}

std::string Joined(const std::vector<std::string>& entries) {
  std::string text;
  for (const std::string& entry : entries) text += (text.empty() ? "" : ", ") + entry;
  return text;
}

ExclusionList ExclusionOf(const std::vector<std::string>& names) {
  ExclusionList list;
  list.selected.fill(false);
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    for (const std::string& name : names) {
      if (ResultsStore::AlgorithmNames(a) == name) list.selected[a - 1] = true;
    }
  }
  return list;
}

std::string ChooseValues(ChartsTab* tab, const ViewOptions& view) {
  for (const auto& [k, text] : view.values) {
    const ValueList& list = tab->lists.Cm[k];
    const std::optional<int> entry = EntryOf(list, text);
    if (!entry) {
      return "--value " + std::to_string(k) + "=" + text + ": not a stored value of parameter " +
             std::to_string(k) + " (" + Joined(list.entries) + ")";
    }
    ChooseCmValue(tab, k, *entry);
  }
  return "";
}

}  // namespace

int DefaultXAxis(const ResultsStore& store) {
  for (int k = 0; k < kParameterCount; ++k) {
    if (ValueCount(store.ResultRanges()[k], 2) > 1) return k;
  }
  return kNoXAxisVariable;
}

std::string ApplyViewOptions(MainState* state, const ViewOptions& view) {
  ChartsTab* tab = &state->charts;
  if (view.exclude) {
    // Exactly the algorithms named: a script says what it wants, so the
    // list's rule of keeping BO-PATH out once touched does not apply.
    tab->exclusion = ExclusionOf(*view.exclude);
    CreateLTable(&tab->table, tab->exclusion);
  }
  if (view.metric) ChooseMetric(tab, *view.metric);
  // A picture without the window around it names what it shows.
  SetCTitle(tab, view.title.has_value());
  if (view.title) SetTitle(tab, *view.title);
  if (view.scale) SetCunit(tab, *view.scale);
  if (std::string error = ChooseValues(tab, view); !error.empty()) return error;
  const int x_axis = view.x_axis.value_or(DefaultXAxis(state->store));
  if (view.formula.value_or(kFormulaNone) != kFormulaNone && x_axis == kNoXAxisVariable) {
    return "--formula combines the values along the X axis: it needs an X-axis parameter "
           "(--x 0 to 15) and a stored range of it";
  }
  const ChartLink link = ChartLinkFor(tab, &state->store);
  COption_Click(&tab->x_axis, x_axis, link);
  if (view.formula) SetFormula(&tab->x_axis, *view.formula, link);
  UpdateChart(tab, state->store);
  return "";
}

void ApplyFieldOptions(MainState* state, const HeadlessOptions& options) {
  for (const auto& [k, text] : options.fields) SetFieldText(&state->panel, k, text);
  if (options.jobs) state->panel.parallel_runs = *options.jobs;
}

}  // namespace trakvist
