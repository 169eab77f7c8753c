#ifndef TRAKVIST_FRONTEND_UI_CHARTS_CHARTS_VIEW_H_
#define TRAKVIST_FRONTEND_UI_CHARTS_CHARTS_VIEW_H_

#include <Qt>

#include "frontend/model/chart/charts_tab.h"
#include "frontend/model/results/results_table.h"

class QListWidget;
class QTreeWidget;

namespace trakvist {

struct ChartsControls;

// Writing the "Charts" tab's state onto its controls, as panel_view.h does
// for the rest: nothing here decides anything, and setting a control from
// code emits none of the signals the tab treats as user input.

// Where a results-table row keeps its key ("K1" .. "K9"), in column 0.
inline constexpr int kRowKeyRole = Qt::UserRole;

// The results table: its rows in display order with their key, name and
// values, the first `columns` columns shown and the rest hidden, and the
// sort indicator (ascending) on the sorted column.
void ShowLTable(const LTable& table, int columns, QTreeWidget* view);

// The exclusion list's selection.
void ShowExclusion(const ExclusionList& list, QListWidget* view);

// The metric buttons with the statistics' enabling, the chart-type buttons, the title with its check box, the Y
// scale with its colour and read-only state, and the display check boxes.
void ShowChartsChoices(const ChartsTab& tab, const ChartsControls& controls);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_CHARTS_CHARTS_VIEW_H_
