#ifndef TRAKVIST_FRONTEND_UI_CHARTS_CONTROLLER_H_
#define TRAKVIST_FRONTEND_UI_CHARTS_CONTROLLER_H_

#include <QObject>

#include "frontend/model/chart/x_axis.h"
#include "frontend/model/results/sweep_results.h"
#include "frontend/model/shell/main_state.h"
#include "frontend/ui/charts_page.h"

namespace trakvist {

// The "Charts" tab: shows the tab's model state (`MainState::charts` over
// the stored results) on its controls and passes the user's choices to the
// model's rules. Like the main window, a handler reads its control, calls
// the model and shows what the model returns.
class ChartsController : public QObject {
  Q_OBJECT

 public:
  // `state` and the controls must outlive the controller.
  ChartsController(MainState* state, const ChartsControls& controls, QObject* parent = nullptr);

  // Shows the whole tab again after the model changed it from outside: a
  // sweep ended or a file was opened.
  void ShowAll();

 private:
  void ConnectXAxis();
  void ConnectChartChoices();

  void OnCOption(int index);
  void OnFormula(int index);
  void OnPCheck(int index, bool checked);
  void OnChartType(ChartType type);
  void OnMetric(Metric metric);
  void OnPicture1();

  // The chart and table refresh.
  void UpdateChart();

  ChartLink MakeChartLink();
  void ShowXAxis();

  MainState* state_;
  ChartsControls controls_;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_CHARTS_CONTROLLER_H_
