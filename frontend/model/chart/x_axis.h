#ifndef TRAKVIST_FRONTEND_MODEL_CHART_X_AXIS_H_
#define TRAKVIST_FRONTEND_MODEL_CHART_X_AXIS_H_

#include <array>
#include <functional>
#include <string_view>

#include "frontend/model/common/color_role.h"
#include "frontend/model/panel/parameters.h"

namespace trakvist {

// Number of X-axis choices: one per parameter plus "No X-axis Variable".
inline constexpr int kXAxisChoiceCount = kParameterCount + 1;

// Formula list: applied over the X-axis variable's range.
inline constexpr std::array<std::string_view, 4> kFormulaItems = {"None", "Average", "Minimum",
                                                                  "Maximum"};
inline constexpr int kFormulaNone = 0;
inline constexpr std::string_view kFormulaToolTip = "Apply formula over range";

inline constexpr std::string_view kBarsCaption = "Bars";
inline constexpr std::string_view kLinesCaption = "Lines";
inline constexpr std::string_view kShowxCaption = "X-axis Title";

// The exclusive "Bars" / "Lines" choice of the chart.
enum class ChartType { kBars, kLines };

// Selection state of the "Charts" tab: X-axis variable, title check boxes,
// value lists' enabling, formula and chart type.
struct XAxisState {
  int x_axis_parameter = kNoXAxisVariable;  // `XAxisParameter`

  std::array<bool, kXAxisChoiceCount> coption_enabled{};
  std::array<bool, kXAxisChoiceCount> coption_checked{};
  std::array<bool, kParameterCount> pcheck_enabled{};
  std::array<bool, kParameterCount> pcheck_checked{};
  std::array<bool, kParameterCount> cm_enabled{};
  std::array<ColorRole, kParameterCount> cm_color{};

  int formula = kFormulaNone;  // `Formula` position
  bool formula_enabled = true;
  ColorRole formula_color = ColorRole::kWindow;

  ChartType chart_type = ChartType::kBars;
  // Chart type the user last had with no X-axis variable, and with a
  // parameter on the X axis; each is restored on returning to that mode.
  ChartType no_variable_chart_type = ChartType::kBars;
  ChartType parameter_chart_type = ChartType::kBars;
  // A formula other than "None" is in force; the chart type of the mode it
  // was entered from has been remembered.
  bool formula_mode = false;

  bool showx_enabled = true;
};

// What the selection handlers need of the chart.
struct ChartLink {
  // `ChartUpdateSuspended`, shared with the results: raised while the chart
  // type is adjusted and restored before the redraw. May be null.
  bool* update_suspended = nullptr;
  // `UpdateChart`: the chart and table refresh. May be empty.
  std::function<void()> update_chart;
  // Called whenever a handler changes `chart_type`, while redraws are held,
  // so a view can update its "Bars"/"Lines" controls. May be empty.
  std::function<void()> chart_type_changed;
};

// The state as the main window starts: "No X-axis Variable" selected and
// applied as if clicked, formula "None", the choices, value lists and title
// check boxes of parameters 6 and 7 (BO-PATH) disabled.
XAxisState StartXAxisState(const ChartLink& link);

// Chooses X-axis choice `index` (0..16); other indices are ignored.
void COption_Click(XAxisState* state, int index, const ChartLink& link);

// Applies the formula at `state->formula` to the chart type and redraws.
void Formula_Click(XAxisState* state, const ChartLink& link);

// Selects a formula position from code and runs Formula_Click; positions
// outside the list are ignored.
void SetFormula(XAxisState* state, int position, const ChartLink& link);

// A title check box changed: redraw.
void PCheck_Click(const ChartLink& link);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_CHART_X_AXIS_H_
