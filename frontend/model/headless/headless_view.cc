#include "frontend/model/headless/headless_view.h"

#include <algorithm>

#include "frontend/model/chart/chart_update.h"
#include "frontend/model/chart/charts_tab.h"
#include "frontend/model/common/number_text.h"
#include "frontend/model/panel/numeric_filter.h"
#include "frontend/model/panel/parameters.h"
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

// Ticks the title check box of every parameter the view holds at one of
// several stored values, and says so in `notes`.
void NameHeldValues(ChartsTab* tab, const ResultsStore& store, int x_axis,
                    std::vector<std::string>* notes) {
  for (int k = 0; k < kParameterCount; ++k) {
    const ValueList& list = tab->lists.Cm[k];
    if (k == x_axis || ValueCount(store.ResultRanges()[k], 2) < 2 || list.selected < 0) continue;
    if (tab->x_axis.pcheck_enabled[k]) tab->x_axis.pcheck_checked[k] = true;
    if (notes == nullptr) continue;
    const std::string name = COptionCaption(*tab, k);
    notes->push_back("the table and chart show " + name + "=" + list.entries[list.selected] +
                     ", one of its " + std::to_string(list.entries.size()) + " stored values (" +
                     list.entries.front() + " to " + list.entries.back() +
                     "); choose another with --value " + std::to_string(k) + "=VALUE");
  }
}

// Why `text` cannot go into field `k` as it stands; empty when it can.
// Blanks may stand between the numbers, as the field drops them.
std::string FieldTextProblem(int k, const std::string& text, int distribution) {
  const bool decimals = DecimalsAllowed(k, distribution);
  const bool minus = MinusAllowed(k);
  std::string bare = text;
  std::erase(bare, ' ');
  const auto commas = std::count(bare.begin(), bare.end(), ',');
  bool numbers = commas == 0 || commas == 2;
  for (std::size_t start = 0; numbers && start <= bare.size();) {
    const std::size_t end = std::min(bare.find(',', start), bare.size());
    numbers = FullNumber(std::string_view(bare).substr(start, end - start)).has_value();
    start = end + 1;
  }
  if (numbers && FilterNumericText(bare, minus, decimals, decimals) == bare) return "";
  const std::string kind = std::string(decimals ? "a number" : "a whole number") +
                           (minus ? "" : " that is not negative");
  return "--set " + std::to_string(k) + "=" + text + ": " + ParameterLabel(k, distribution) +
         " takes " + kind + ", or a range from,step,to of such numbers";
}

}  // namespace

int DefaultXAxis(const ResultsStore& store) {
  for (int k = 0; k < kParameterCount; ++k) {
    if (ValueCount(store.ResultRanges()[k], 2) > 1) return k;
  }
  return kNoXAxisVariable;
}

std::string ApplyViewOptions(MainState* state, const ViewOptions& view,
                             std::vector<std::string>* notes) {
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
  NameHeldValues(tab, state->store, x_axis, notes);
  UpdateChart(tab, state->store);
  return "";
}

std::string ApplyFieldOptions(MainState* state, const HeadlessOptions& options,
                              std::vector<std::string>* notes) {
  const int distribution = state->panel.dist_list;
  for (const auto& [k, text] : options.fields) {
    if (std::string problem = FieldTextProblem(k, text, distribution); !problem.empty()) {
      return problem;
    }
  }
  for (const auto& [k, text] : options.fields) {
    SetFieldText(&state->panel, k, text);
    const ParamRange range = ParseParamRange(text);
    if (notes != nullptr && std::count(text.begin(), text.end(), ',') == 2 &&
        LeadingNumber(text.substr(text.find(',') + 1)) == 0) {
      notes->push_back("--set " + std::to_string(k) + "=" + text + ": a step of 0 is read as " +
                       NumberText(range.Step) + ", giving " + NumberText(range.From) + "," +
                       NumberText(range.Step) + "," + NumberText(range.To));
    }
  }
  if (options.jobs) state->panel.parallel_runs = *options.jobs;
  if (options.head_down) state->panel.head_down = *options.head_down;
  if (options.percentiles) state->panel.percentiles = true;
  if (options.replications) state->panel.replications = *options.replications;
  return "";
}

}  // namespace trakvist
