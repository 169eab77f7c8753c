#include "frontend/model/chart/charts_tab.h"

#include "frontend/model/chart/chart_update.h"
#include "frontend/model/panel/parameters.h"

namespace trakvist {

ChartsTab StartChartsTab() {
  ChartsTab tab;
  tab.selection.ChartUpdateSuspended = true;
  // Nothing is drawn at start-up: the X-axis handlers' redraw is held.
  ChartLink held;
  held.update_suspended = &tab.selection.ChartUpdateSuspended;
  tab.x_axis = StartXAxisState(held);
  tab.table = StartLTable();
  tab.chart = StartChartModel();
  CTitle_Click(&tab);
  return tab;
}

std::string COptionCaption(const ChartsTab& tab, int index) {
  if (index == 2) return tab.lists.captions.parameter2;
  if (index == 3) return tab.lists.captions.parameter3;
  return XAxisName(index, -1);
}

}  // namespace trakvist
