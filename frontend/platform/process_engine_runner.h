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
  // The last line the engine wrote to its error stream, reported just
  // before its exit when there is one: its own reason for refusing a run.
  std::function<void(EngineRunId run, const std::string& line)> on_error_line;
};

// Reports for `monitor`, followed each time by `after` (the window shows
// the monitor's progress, elapsed time and end there).
EngineReports ReportsTo(RunMonitor* monitor, std::function<void()> after = {});

// Runs engine programs as child processes, up to one per engine link at a
// time, and talks to each over its own link. The program gets its argument
// list as it is (no shell, no search of PATH) and no console: its input is
// empty and its output is dropped; of its error stream only the last line
// is kept and reported (on_error_line). A runner destroyed during a run kills its
// engines.
//
// Each link listens under its own number; a run goes to the link whose
// number its -hw: argument names (the first link when it names none), so
// that every engine's hello and progress reach the link that serves it
// alone. A link serves one engine at a time.
//
// Nothing here waits: the processes' ends and the links' messages arrive
// through the Qt event loop and are passed on to the reports as they come,
// so it needs a QCoreApplication (or QApplication) and a running event loop.
// A program that cannot be started is refused by Start() with a reason, or,
// when the system refuses it only after the start, reported as exited.
//
// When a process ends, every message it sent is reported before its exit.
// Reports of one run never arrive after its exit, nor before Start() has
// returned; the next Start() may be called from within an exit report.
class ProcessEngineRunner final : public EngineRunner {
 public:
  ProcessEngineRunner();
  ~ProcessEngineRunner() override;
  ProcessEngineRunner(const ProcessEngineRunner&) = delete;
  ProcessEngineRunner& operator=(const ProcessEngineRunner&) = delete;

  // Opens the first link (closing any open ones) under a number no other
  // running instance uses: first one made from the process id, then others
  // while a number is taken. Start() refuses to run without a link, since an
  // engine given a number that is not ours would talk to another instance.
  // Refused while an engine runs.
  std::error_code OpenLink();
  bool HasLink() const { return !links_.empty(); }
  // The first link's number, to pass as -hw: (SweepSetup::links); -1
  // without a link.
  std::int32_t LinkNumber() const { return links_.empty() ? -1 : links_.front()->number; }
  // The numbers of `count` links, opening more as needed; fewer when no
  // more can be opened, and {LinkNumber()} at the least.
  std::vector<std::int32_t> LinkNumbersFor(int count);

  void SetReports(EngineReports reports) { reports_ = std::move(reports); }

  // Whether an engine process of an earlier Start() still runs.
  bool Running() const;

  EngineStart Start(EngineRunId run, const std::vector<std::string>& arguments) override;
  bool PostStop(EngineRunId run, std::uint32_t thread_id) override;

 private:
  struct Current {
    EngineRunId run = 0;
    std::unique_ptr<QProcess> process;
    std::string error_tail{};  // the end of what it wrote to its error stream
  };

  // One link and the engine it serves.
  struct Link {
    EngineLink link;
    std::int32_t number = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    std::optional<Current> current;
  };

  std::error_code OpenNextLink();
  Link* LinkFor(const std::vector<std::string>& arguments);
  std::unique_ptr<QProcess> MakeProcess(const std::vector<std::string>& arguments);
  void ReadLink(Link* link);
  void ReadErrors(Link* link);
  void Report(Link* link, const LinkMessage& message);
  void ProcessEnded(Link* link);
  void RetireProcess(Link* link);
  void DeleteRetired();

  // Stable addresses: the notifiers' and processes' handlers keep them.
  std::vector<std::unique_ptr<Link>> links_;
  std::int32_t next_choice_ = 0;  // the next link number to try, counted from the first
  EngineReports reports_;
  // The error of a start that failed while Start() was still running.
  std::optional<std::string> start_error_;
  Link* starting_ = nullptr;                        // within its QProcess::start()
  QProcess* reporting_exit_ = nullptr;              // within the exit report of this process
  std::vector<std::unique_ptr<QProcess>> retired_;  // ended, not yet deleted
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_PLATFORM_PROCESS_ENGINE_RUNNER_H_
