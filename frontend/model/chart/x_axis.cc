#include "frontend/model/chart/x_axis.h"

namespace trakvist {
namespace {

// Raises the shared redraw hold for its lifetime and then puts back the
// value it found, so holds nest.
class RedrawHold {
 public:
  explicit RedrawHold(bool* flag) : flag_(flag) {
    if (flag_ == nullptr) return;
    saved_ = *flag_;
    *flag_ = true;
  }
  ~RedrawHold() {
    if (flag_ != nullptr) *flag_ = saved_;
  }
  RedrawHold(const RedrawHold&) = delete;
  RedrawHold& operator=(const RedrawHold&) = delete;

 private:
  bool* flag_;
  bool saved_ = false;
};

void Redraw(const ChartLink& link) {
  if (link.update_chart) link.update_chart();
}

void SetChartType(XAxisState* state, ChartType type, const ChartLink& link) {
  if (state->chart_type == type) return;
  state->chart_type = type;
  if (link.chart_type_changed) link.chart_type_changed();
}

// The remembered chart type of the mode the X-axis choice is in.
ChartType* RememberedChartType(XAxisState* state) {
  return state->x_axis_parameter == kNoXAxisVariable ? &state->no_variable_chart_type
                                                     : &state->parameter_chart_type;
}

void DisableParameterChoice(XAxisState* state, int index) {
  state->coption_enabled[index] = false;
  state->cm_enabled[index] = false;
  state->cm_color[index] = ColorRole::kButtonFace;
  state->pcheck_enabled[index] = false;
}

// Adjusts the chart type for a move of the X-axis choice from `from` to `to`.
void AdjustChartTypeForMove(XAxisState* state, int from, int to, const ChartLink& link) {
  if (state->formula != kFormulaNone) {
    SetChartType(state, ChartType::kBars, link);
  } else if (from == kNoXAxisVariable && to != kNoXAxisVariable) {
    state->no_variable_chart_type = state->chart_type;
    SetChartType(state, state->parameter_chart_type, link);
  } else if (from != kNoXAxisVariable && to == kNoXAxisVariable) {
    state->parameter_chart_type = state->chart_type;
    SetChartType(state, state->no_variable_chart_type, link);
  }
}

}  // namespace

XAxisState StartXAxisState(const ChartLink& link) {
  XAxisState state;
  state.coption_enabled.fill(true);
  state.pcheck_enabled.fill(true);
  state.cm_enabled.fill(true);
  state.cm_color.fill(ColorRole::kWindow);
  DisableParameterChoice(&state, kThresholdParameter);
  DisableParameterChoice(&state, kDepthParameter);
  state.coption_checked[kNoXAxisVariable] = true;
  COption_Click(&state, kNoXAxisVariable, link);
  return state;
}

void COption_Click(XAxisState* state, int index, const ChartLink& link) {
  if (index < 0 || index >= kXAxisChoiceCount) return;
  const int previous = state->x_axis_parameter;
  // The previous variable's value is fixed again and may go into the title;
  // the new one varies along the axis. "No X-axis Variable" has no box.
  if (IsParameterIndex(previous)) state->pcheck_enabled[previous] = true;
  if (IsParameterIndex(index)) state->pcheck_enabled[index] = false;
  if (previous != index && previous >= 0 && previous < kXAxisChoiceCount) {
    state->coption_checked[previous] = false;
    state->coption_enabled[index] = true;
  }
  state->coption_checked[index] = true;

  const bool has_variable = index != kNoXAxisVariable;
  state->formula_enabled = has_variable;
  state->formula_color = BackgroundFor(has_variable);
  {
    RedrawHold hold(link.update_suspended);
    AdjustChartTypeForMove(state, previous, index, link);
    state->x_axis_parameter = index;
  }
  Redraw(link);
  state->showx_enabled = has_variable;
}

void Formula_Click(XAxisState* state, const ChartLink& link) {
  {
    RedrawHold hold(link.update_suspended);
    if (state->formula == kFormulaNone) {
      // "None" always brings back the chart type remembered for the mode,
      // whether or not a formula was in force.
      SetChartType(state, *RememberedChartType(state), link);
      state->formula_mode = false;
    } else {
      // Remember the user's choice once, when a formula first comes into
      // force; switching between formulas keeps it.
      if (!state->formula_mode) *RememberedChartType(state) = state->chart_type;
      state->formula_mode = true;
      SetChartType(state, ChartType::kBars, link);
    }
  }
  Redraw(link);
}

void SetFormula(XAxisState* state, int position, const ChartLink& link) {
  if (position < 0 || position >= static_cast<int>(kFormulaItems.size())) return;
  state->formula = position;
  Formula_Click(state, link);
}

void PCheck_Click(const ChartLink& link) { Redraw(link); }

}  // namespace trakvist
