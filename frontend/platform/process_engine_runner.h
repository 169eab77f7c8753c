#ifndef TRAKVIST_FRONTEND_PLATFORM_PROCESS_ENGINE_RUNNER_H_
#define TRAKVIST_FRONTEND_PLATFORM_PROCESS_ENGINE_RUNNER_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "frontend/model/runs/engine_runner.h"
#include "frontend/platform/engine_link.h"

class QProcess;
class QSocketNotifier;

namespace trakvist {

class RunMonitor;

// Where the runner sends what it learns of a run. Unset ones are skipped.
struct EngineReports {
  std::function<void(EngineRunId run, std::uint32_t thread_id)> on_hello;
  std::function<void(EngineRunId run, std::uint32_t count)> on_progress;
  std::function<void(EngineRunId run)> on_exited;
};

// Reports for `monitor`, followed each time by `after` (the window shows
// the monitor's progress, elapsed time and end there).
EngineReports ReportsTo(RunMonitor* monitor, std::function<void()> after = {});

// Runs engine programs as child processes, one at a time, and talks to them
// over one engine link. The program gets its argument list as it is (no
// shell, no search of PATH) and no console: its input is empty and its
// output is dropped. A runner destroyed during a run kills its engine.
//
// Nothing here waits: the process's end and the link's messages arrive
// through the Qt event loop and are passed on to the reports as they come,
// so it needs a QCoreApplication (or QApplication) and a running event loop.
// A program that cannot be started is refused by Start() with a reason, or,
// when the system refuses it only after the start, reported as exited.
//
// When a process ends, every message it sent is reported before its exit.
// Reports of one run never arrive after its exit, nor before Start() has
// returned; the next Start() may be called from within the exit report.
class ProcessEngineRunner final : public EngineRunner {
 public:
  ProcessEngineRunner();
  ~ProcessEngineRunner() override;
  ProcessEngineRunner(const ProcessEngineRunner&) = delete;
  ProcessEngineRunner& operator=(const ProcessEngineRunner&) = delete;

  // Opens the link under a number no other running instance uses: first one
  // made from the process id, then others while a number is taken. Start()
  // refuses to run without a link, since an engine given a number that is
  // not ours would talk to another instance.
  std::error_code OpenLink();
  bool HasLink() const { return link_.is_open(); }
  // The link number to pass as -hw: (SweepSetup::link); -1 without a link.
  std::int32_t LinkNumber() const { return link_number_; }

  void SetReports(EngineReports reports) { reports_ = std::move(reports); }

  // Whether an engine process of an earlier Start() still runs.
  bool Running() const { return current_.has_value(); }

  EngineStart Start(EngineRunId run, const std::vector<std::string>& arguments) override;
  bool PostStop(EngineRunId run, std::uint32_t thread_id) override;

 private:
  struct Current {
    EngineRunId run = 0;
    std::unique_ptr<QProcess> process;
  };

  std::unique_ptr<QProcess> MakeProcess(const std::vector<std::string>& arguments);
  void ReadLink();
  void Report(const LinkMessage& message);
  void ProcessEnded();
  void RetireProcess();
  void DeleteRetired();

  EngineLink link_;
  std::int32_t link_number_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  EngineReports reports_;
  std::optional<Current> current_;
  // The error of a start that failed while Start() was still running.
  std::optional<std::string> start_error_;
  bool starting_ = false;                           // within QProcess::start()
  bool reporting_exit_ = false;                     // within the exit report
  std::vector<std::unique_ptr<QProcess>> retired_;  // ended, not yet deleted (two at most)
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_PLATFORM_PROCESS_ENGINE_RUNNER_H_
