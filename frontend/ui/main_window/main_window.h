#ifndef TRAKVIST_FRONTEND_UI_MAIN_WINDOW_MAIN_WINDOW_H_
#define TRAKVIST_FRONTEND_UI_MAIN_WINDOW_MAIN_WINDOW_H_

#include <QMainWindow>
#include <memory>
#include <string>

#include "frontend/model/chart/x_axis.h"
#include "frontend/model/files/sim_file_session.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/panel/request_source.h"
#include "frontend/model/shell/main_state.h"
#include "frontend/model/traces/trace_readers.h"
#include "frontend/ui/charts/charts_page.h"
#include "frontend/ui/main_window/main_menus.h"
#include "frontend/ui/main_window/main_window_services.h"
#include "frontend/ui/simulation/simulation_page.h"

class QLabel;
class QTabWidget;

namespace trakvist {

class AboutBox;
class ChartsController;
class DiskPropertiesController;
class DiskPropertiesWindow;
class ImportingWindow;
class RunController;
class WindowMemory;

// The Trakvist main window: the "Simulation" and "Charts" tabs over the
// front end's model.
//
// The window holds the model's MainState and shows it on its controls.
// Every handler of a user action has one shape: read what the control now
// holds, call the model's rule, and show the state the model returns
// (ShowPanel). The "Charts" tab, the disk properties window and the runs
// have controllers of their own.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `state` is the start state (StartStateFor(services)); the services'
  // file access and runner must outlive the window.
  MainWindow(MainState state, MainWindowServices services, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Opens the simulation file at `path` as Open does with that file chosen.
  void OpenFile(const std::string& path);

  // Enables or disables what must not change while a run is in progress;
  // the window cannot be closed while `Startb` is disabled.
  void Enable_StartControls(bool enable);

  const MainState& state() const { return state_; }
  const ParametersPanel& panel() const { return state_.panel; }
  const XAxisState& x_axis() const { return state_.charts.x_axis; }
  const SimulationControls& simulation_controls() const { return sim_; }
  const ChartsControls& charts_controls() const { return charts_; }
  DiskPropertiesWindow* disk_properties_window() const { return disk_window_; }
  AboutBox* about_box() const { return about_box_; }
  ImportingWindow* wait_window() const { return wait_window_; }
  RunController* run_controller() const { return run_controller_; }
  const MainMenus& menus() const { return menus_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildTabs();
  void ConnectParameterFields();
  void ConnectRequestSource();
  void ConnectOptions();
  void ConnectDisks();
  void ConnectSimulators();
  void ConnectFiles();
  void ConnectWindows();
  void ConnectMenus();

  // Handlers of the "Simulation" tab.
  void OnCparamEdited(int index);
  void OnUpDown(int index, SpinDirection direction);
  void OnRequestSource(RequestSource source);
  void OnDistList(int index);
  void OnRtimer(bool checked);
  void OnDiskList(int index);
  void OnManualEdited();
  void OnImport();
  // The import of the requests file `path`, behind the wait window when long.
  void ImportRequestsFile(const std::string& path);
  // The import of a block trace: converted after the trace dialog into the
  // per-user data folder, whose requests file is then imported.
  void ImportTraceFile(const std::string& path, TraceFormat format);
  void OnSimList(int index);
  void OnSimRefresh();
  void OnSave();
  void OnSaveAs();
  void OnExportResults();
  void OnOpen();
  void OnOpenRecent(const std::string& path);
  void OnReadMe();
  void OnShortcuts();

  // Whether the results of the last sweep may be replaced or lost: true
  // when they were saved, or after the user saved or discarded them.
  bool ResultsMayGo();
  void RememberFile(const std::string& path);
  void ShowRecentFiles();
  void ShowStatus(const QString& text);

  AskPath SimulationFileDialog(bool for_open);
  void OpenWith(const AskPath& ask_path);
  void ShowSaveOutcome(const SaveOutcome& outcome);

  void ShowPanel();
  void ShowStart();
  void CloseOtherWindows();

  MainState state_;
  MainWindowServices services_;

  QTabWidget* tabs_ = nullptr;
  SimulationControls sim_;
  ChartsControls charts_;
  ChartsController* charts_controller_ = nullptr;
  DiskPropertiesWindow* disk_window_ = nullptr;
  DiskPropertiesController* disk_controller_ = nullptr;
  AboutBox* about_box_ = nullptr;
  ImportingWindow* wait_window_ = nullptr;
  RunController* run_controller_ = nullptr;
  MainMenus menus_;
  QLabel* status_text_ = nullptr;
  std::unique_ptr<WindowMemory> memory_;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_MAIN_WINDOW_MAIN_WINDOW_H_
