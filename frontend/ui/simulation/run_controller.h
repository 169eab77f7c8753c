#ifndef TRAKVIST_FRONTEND_UI_SIMULATION_RUN_CONTROLLER_H_
#define TRAKVIST_FRONTEND_UI_SIMULATION_RUN_CONTROLLER_H_

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

#include "frontend/model/runs/run_monitor.h"
#include "frontend/model/shell/main_state.h"
#include "frontend/model/shell/window_status.h"
#include "frontend/ui/main_window/main_window_services.h"
#include "frontend/ui/simulation/simulation_page.h"

class QTimer;
class QWidget;

namespace trakvist {

class ImportingWindow;

// "Start" and "Stop" on the "Simulation" tab: runs the sweep through the
// model's run monitor and the services' engine runner, and shows where it
// stands on `Progress1` and `LTime`. Nothing here waits: the runner's
// reports, `Timer2` and the retry timer feed the monitor as they come.
class RunController : public QObject {
  Q_OBJECT

 public:
  // `state`, the services' runner and file access, the controls and the
  // windows must outlive the controller. `window` is the owner of the
  // questions and messages, `wait` the "Wait !!" window.
  RunController(MainState* state, const MainWindowServices& services,
                const SimulationControls& controls, QWidget* window, ImportingWindow* wait);

  void Start();
  void Stop();

  // Asked before a sweep starts; false keeps it from starting. The window
  // asks there whether the unsaved results of the last sweep may go.
  void SetStartCheck(std::function<bool()> check) { start_check_ = std::move(check); }

  const RunMonitor& monitor() const { return monitor_; }

 signals:
  // The start controls were switched (a sweep began or ended).
  void PanelChanged();
  // A sweep ended and its end was applied to the state: a completed one
  // replaced the stored results.
  void SweepEnded();
  // The status line: where the running sweep stands, or how it ended.
  void StatusChanged(const QString& text);

 private:
  void ShowRunState();
  void ShowTimers();
  void ApplyEnd(SweepEnd end);
  SweepStanding Standing() const;

  MainState* state_;
  FileAccess* files_;
  ProcessEngineRunner* runner_;
  SimulationControls controls_;
  QWidget* window_;
  ImportingWindow* wait_;
  RunMonitor monitor_;
  QTimer* retry_timer_;
  std::function<bool()> start_check_;
  QElapsedTimer clock_;  // since "Start"
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_SIMULATION_RUN_CONTROLLER_H_
