#include "frontend/ui/head_path/path_runner.h"

#include <QDir>
#include <utility>

#include "frontend/model/common/file_access.h"
#include "frontend/model/common/utilities.h"
#include "frontend/ui/common/qt_text.h"

namespace trakvist {
namespace {

constexpr int kRetryMilliseconds = 100;

}  // namespace

PathRunner::PathRunner(QObject* parent)
    : QObject(parent), outcome_(std::make_unique<PathRunOutcome>()) {
  if (const std::error_code error = runner_.OpenLink()) link_error_ = error.message();
  connect(&elapsed_, &QTimer::timeout, this, [this] {
    if (monitor_) monitor_->OnTimerTick();
    Check();
  });
  connect(&retry_, &QTimer::timeout, this, [this] {
    if (monitor_ && monitor_->WantsRetryTick()) monitor_->OnRetryTick();
    Check();
  });
}

PathRunner::~PathRunner() = default;

void PathRunner::Fail(std::string message) {
  outcome_ = std::make_unique<PathRunOutcome>();
  outcome_->message = std::move(message);
  running_ = false;
  emit Finished();
}

void PathRunner::Start(MainState* state, FileAccess* files, const MainDialogs& dialogs) {
  if (running_) return;
  if (const std::string reason = StartBlockedReason(*state); !reason.empty()) {
    Fail(reason);
    return;
  }
  if (!link_error_.empty()) {
    Fail("The engine link could not be opened: " + link_error_);
    return;
  }
  const std::string base =
      state->TemporaryFolder.empty() ? state->AppFolder : state->TemporaryFolder;
  folder_ = MakeAppFolder(base) + "head-path/";
  if (!QDir().mkpath(ToQString(folder_))) {
    Fail("The folder " + folder_ + " for the head path's files could not be made.");
    return;
  }
  files_ = files;
  files->Remove(folder_ + std::string(kPathLogName));
  choice_ = ChoosePathRun(*state);
  running_ = true;
  monitor_ = std::make_unique<RunMonitor>(&runner_, files);
  runner_.SetReports(ReportsTo(monitor_.get(), [this] { Check(); }));
  elapsed_.start(1000);
  retry_.start(kRetryMilliseconds);
  monitor_->Start(PathRunSetup(state, choice_, files, dialogs, runner_.LinkNumber(), folder_));
  Check();
}

void PathRunner::Check() {
  if (!running_ || !monitor_) return;
  std::optional<SweepEnd> end = monitor_->TakeEnd();
  if (!end) return;
  elapsed_.stop();
  retry_.stop();
  auto outcome = std::make_unique<PathRunOutcome>();
  TakePathRun(std::move(*end), choice_, *files_, folder_, outcome.get());
  outcome_ = std::move(outcome);
  running_ = false;
  // The monitor is not destroyed here: this may be called from within it.
  emit Finished();
}

}  // namespace trakvist
