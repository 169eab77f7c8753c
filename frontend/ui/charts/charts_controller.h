#ifndef TRAKVIST_FRONTEND_UI_CHARTS_CHARTS_CONTROLLER_H_
#define TRAKVIST_FRONTEND_UI_CHARTS_CHARTS_CONTROLLER_H_

#include <QObject>
#include <cstdint>
#include <string_view>
#include <vector>

#include "frontend/model/chart/chart_update.h"
#include "frontend/model/chart/x_axis.h"
#include "frontend/model/results/sweep_results.h"
#include "frontend/model/shell/main_state.h"
#include "frontend/ui/charts/charts_page.h"

class QTimer;

namespace trakvist {

class ChartCopyWindow;

// The "Charts" tab: shows the tab's model state (`MainState::charts` over
// the stored results) on its controls and passes the user's choices to the
// model's rules. Like the main window, a handler reads its control, calls
// the model and shows what the model returns. It also keeps the published
// chart windows, one per entry of `MainState::chart_copies`, in the same
// order.
class ChartsController : public QObject {
  Q_OBJECT

 public:
  // The delay between typing in `Title` or `cunit` and the refresh.
  static constexpr int kTimer1Interval = 1000;

  // `state` and the controls must outlive the controller. Published chart
  // windows are children of the controls' window.
  ChartsController(MainState* state, const ChartsControls& controls, QObject* parent = nullptr);

  // Shows the whole tab again after the model changed it from outside: a
  // sweep ended or a file was opened.
  void ShowAll();

  // `Timer1`, running while a typed change waits for its refresh.
  QTimer* timer1() const { return timer1_; }
  // The open chart windows; the one at index i has number i + 1.
  const std::vector<ChartCopyWindow*>& chart_windows() const { return chart_windows_; }

 private:
  void ConnectXAxis();
  void ConnectChartChoices();
  void ConnectTexts();
  void ConnectButtons();

  void OnCOption(int index);
  void OnFormula(int index);
  void OnPCheck(int index, bool checked);
  void OnCm(int index, int entry);
  void OnList1();
  void OnColumnClick(int section);
  void OnTitleEdited(const QString& text);
  void OnCunitEdited(const QString& text);
  void OnTimer1();
  void OnPicture1();
  void OnCopy();
  void OnSaveChart();
  void OnPublish();
  void OnChartWindowClosed(std::int16_t number);

  // Does what a control change asked of the refresh, then shows the tab's
  // choices, which the change may have rewritten.
  void Apply(ChartRefresh refresh);
  // The chart and table refresh; returns whether it ran.
  bool UpdateChart();
  // Shows what a refresh rebuilt: the chart and the table.
  void ShowResults();

  ChartLink MakeChartLink();
  void ShowXAxis();

  MainState* state_;
  ChartsControls controls_;
  QTimer* timer1_ = nullptr;
  std::vector<ChartCopyWindow*> chart_windows_;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_CHARTS_CHARTS_CONTROLLER_H_
