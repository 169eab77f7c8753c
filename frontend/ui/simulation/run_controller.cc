#include "frontend/ui/simulation/run_controller.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <utility>

#include "frontend/model/shell/main_actions.h"
#include "frontend/platform/process_engine_runner.h"
#include "frontend/ui/common/message_box.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/main_window/importing_window.h"

namespace trakvist {
namespace {

// How soon a stop that could not be delivered is tried again.
constexpr std::chrono::milliseconds kRetryInterval{50};

}  // namespace

RunController::RunController(MainState* state, const MainWindowServices& services,
                             const SimulationControls& controls, QWidget* window,
                             ImportingWindow* wait)
    : QObject(window),
      state_(state),
      files_(services.files),
      runner_(services.runner),
      controls_(controls),
      window_(window),
      wait_(wait),
      monitor_(services.runner, services.files),
      retry_timer_(new QTimer(this)) {
  retry_timer_->setInterval(kRetryInterval);
  runner_->SetReports(ReportsTo(&monitor_, [this] { ShowRunState(); }));
  connect(controls_.timer2, &QTimer::timeout, this, [this] {
    monitor_.OnTimerTick();
    ShowRunState();
  });
  connect(retry_timer_, &QTimer::timeout, this, [this] {
    monitor_.OnRetryTick();
    ShowRunState();
  });
  connect(controls_.startb, &QPushButton::clicked, this, &RunController::Start);
  connect(controls_.stopb, &QPushButton::clicked, this, &RunController::Stop);
  ShowRunState();
}

void RunController::Start() {
  if (!StartAvailable(*state_)) return;
  if (start_check_ && !start_check_()) return;
  clock_.start();
  MainDialogs dialogs;
  dialogs.ask_yes_no = [this](std::string_view question) { return AskQuestion(window_, question); };
  dialogs.wait.show = [this] { wait_->ShowAndPaint(); };
  dialogs.wait.close = [this] { wait_->hide(); };
  SweepSetup setup =
      BeginSweep(state_, runner_->LinkNumbersFor(state_->panel.parallel_runs), files_, dialogs);
  emit PanelChanged();
  monitor_.Start(std::move(setup));
  emit PanelChanged();  // the manual requests check may have raised the cylinders
  ShowRunState();
}

void RunController::Stop() {
  monitor_.StopPressed();
  ShowRunState();
}

void RunController::ShowRunState() {
  const ProgressBarView progress = monitor_.Progress();
  controls_.progress1->setRange(0, progress.maximum);
  controls_.progress1->setValue(progress.value);
  controls_.ltime->setText(ToQString(monitor_.ElapsedText()));
  ShowTimers();
  if (monitor_.InProgress()) emit StatusChanged(ToQString(RunningStatusText(Standing())));
  if (std::optional<SweepEnd> end = monitor_.TakeEnd()) ApplyEnd(std::move(*end));
}

SweepStanding RunController::Standing() const {
  const ProgressBarView progress = monitor_.Progress();
  SweepStanding standing;
  standing.runs_done = monitor_.RunCount();
  standing.run_total = monitor_.RunTotal();
  standing.elapsed_seconds = clock_.isValid() ? static_cast<double>(clock_.elapsed()) / 1000 : 0;
  standing.done_fraction = static_cast<double>(progress.value) / progress.maximum;
  return standing;
}

void RunController::ShowTimers() {
  if (monitor_.TimerEnabled() != controls_.timer2->isActive()) {
    monitor_.TimerEnabled() ? controls_.timer2->start() : controls_.timer2->stop();
  }
  if (monitor_.WantsRetryTick() != retry_timer_->isActive()) {
    monitor_.WantsRetryTick() ? retry_timer_->start() : retry_timer_->stop();
  }
}

void RunController::ApplyEnd(SweepEnd end) {
  emit StatusChanged(ToQString(SweepEndStatusText(end.kind, Standing(), end.message)));
  const std::string message = FinishSweep(state_, std::move(end));
  emit PanelChanged();
  emit SweepEnded();
  if (message.empty()) return;
  // Shown once the runner's report that ended the sweep has returned, so
  // that the box's event loop never runs inside it.
  QTimer::singleShot(0, window_, [window = window_, message] { ShowMessage(window, message); });
}

}  // namespace trakvist
