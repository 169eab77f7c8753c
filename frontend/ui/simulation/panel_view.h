#ifndef TRAKVIST_FRONTEND_UI_SIMULATION_PANEL_VIEW_H_
#define TRAKVIST_FRONTEND_UI_SIMULATION_PANEL_VIEW_H_

#include <string>
#include <vector>

#include "frontend/model/chart/x_axis.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/results/value_lists.h"

class QComboBox;
class QPushButton;

namespace trakvist {

struct ChartsControls;
struct SimulationControls;

// Writing the model's state onto the controls. Nothing here decides
// anything: each function copies texts, checks, selections, enabling and
// background colours as the model holds them. Setting a control from code
// emits none of the signals that the main window treats as user input.

// The buttons of the "Charts" tab that act on the stored results; their
// enabling is the panel's.
struct ResultsButtons {
  QPushButton* publish = nullptr;
  QPushButton* export_results = nullptr;
};

// The parameters panel on the "Simulation" tab, with the results buttons.
void ShowPanel(const ParametersPanel& panel, const SimulationControls& controls,
               const ResultsButtons& results);

// Shows `entries` in a drop-down list (replacing its items only when they
// differ) with `selected` chosen; nothing is chosen when `selected` is not
// one of them. Used for the disk type and simulator lists.
void ShowListEntries(QComboBox* list, const std::vector<std::string>& entries,
                     const std::string& selected);

// The X-axis choice, title boxes, value list enabling, formula and chart type.
void ShowXAxisState(const XAxisState& state, const ChartsControls& controls);

// The value lists with their entries, choice and colour, and the captions of
// the X-axis choices named after the distribution. A list the X-axis state
// has disabled keeps the button-face colour.
void ShowValueLists(const ValueLists& lists, const XAxisState& state,
                    const ChartsControls& controls);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_SIMULATION_PANEL_VIEW_H_
