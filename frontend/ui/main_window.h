#ifndef TRAKVIST_FRONTEND_UI_MAIN_WINDOW_H_
#define TRAKVIST_FRONTEND_UI_MAIN_WINDOW_H_

#include <QMainWindow>

#include "frontend/model/chart/x_axis.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/panel/request_source.h"
#include "frontend/model/results/results_store.h"
#include "frontend/model/results/sweep_results.h"
#include "frontend/model/results/value_lists.h"
#include "frontend/ui/charts_page.h"
#include "frontend/ui/simulation_page.h"

class QTabWidget;

namespace trakvist {

class AboutBox;
class DiskPropertiesWindow;
class WaitWindow;

// The Trakvist main window: the "Simulation" and "Charts" tabs over the
// front end's model.
//
// The window holds the model's state structs and shows them on its
// controls. Every handler of a user action has one shape: read what the
// control now holds, call the model's rule, and show the state the model
// returns (ShowPanel, ShowXAxis). Later layers plug in the same way: the run
// monitor calls Enable_StartControls and owns Startb/Stopb, the disk
// catalogue owns DiskList and the disk properties window, the files layer
// owns OpenS/SaveS/SaveAs, and the chart layer replaces UpdateChart and the
// `MChart` placeholder.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // Enables or disables what must not change while a run is in progress;
  // the window cannot be closed while `Startb` is disabled.
  void Enable_StartControls(bool enable);

  const ParametersPanel& panel() const { return panel_; }
  const XAxisState& x_axis() const { return x_axis_; }
  const SimulationControls& simulation_controls() const { return sim_; }
  const ChartsControls& charts_controls() const { return charts_; }
  DiskPropertiesWindow* disk_properties_window() const { return disk_window_; }
  AboutBox* about_box() const { return about_box_; }
  WaitWindow* wait_window() const { return wait_window_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildTabs();
  void ConnectParameterFields();
  void ConnectRequestSource();
  void ConnectOptions();
  void ConnectWindows();
  void ConnectXAxis();
  void ConnectChartChoices();

  // Handlers of the "Simulation" tab.
  void OnCparamEdited(int index);
  void OnUpDown(int index, SpinDirection direction);
  void OnRequestSource(RequestSource source);
  void OnDistList(int index);
  void OnRtimer(bool checked);
  void OnDiskList(int index);

  // Handlers of the "Charts" tab.
  void OnCOption(int index);
  void OnFormula(int index);
  void OnPCheck(int index, bool checked);
  void OnChartType(ChartType type);
  void OnMetric(Metric metric);
  void OnPicture1();

  // The chart and table refresh; the chart layer fills it in. Until then
  // the results hold nothing to draw.
  void UpdateChart();

  ChartLink MakeChartLink();
  void ShowPanel();
  void ShowXAxis();
  void CloseOtherWindows();

  ParametersPanel panel_;
  ResultsSelection selection_;
  ResultsStore store_;
  ValueLists value_lists_;
  XAxisState x_axis_;

  QTabWidget* tabs_ = nullptr;
  SimulationControls sim_;
  ChartsControls charts_;
  DiskPropertiesWindow* disk_window_ = nullptr;
  AboutBox* about_box_ = nullptr;
  WaitWindow* wait_window_ = nullptr;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_MAIN_WINDOW_H_
