#ifndef TRAKVIST_FRONTEND_MODEL_RUNS_RUN_MONITOR_H_
#define TRAKVIST_FRONTEND_MODEL_RUNS_RUN_MONITOR_H_

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "frontend/model/panel/parameters.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/results/results_store.h"
#include "frontend/model/results/sweep_results.h"
#include "frontend/model/runs/command_line.h"
#include "frontend/model/runs/engine_runner.h"
#include "frontend/model/runs/engine_runs.h"
#include "frontend/model/runs/run_files.h"
#include "frontend/model/runs/run_progress.h"
#include "frontend/model/runs/run_rows.h"
#include "frontend/model/runs/sweep.h"

namespace trakvist {

// What the manual requests check yields.
struct ManualRequests {
  // False when the requests are not fit to run: the sweep ends before any
  // engine starts, with `message` (empty when the user has been told why
  // already, by declining a question).
  bool passed = false;
  std::string requests_file;  // passed with -in:
  std::int32_t request_count = 0;
  std::string message;
  // The parameter field texts as the check left them (it may raise the
  // number of cylinders); the sweep is made from these when given.
  std::optional<std::array<std::string, kParameterCount>> field_texts = std::nullopt;
};

// The manual requests check, given the temporary requests file to write the
// typed requests into.
using ManualRequestsCheck = std::function<ManualRequests(const std::string& temporary_file)>;

// Everything a sweep needs from the main window when "Start" is pressed.
struct SweepSetup {
  std::array<std::string, kParameterCount> field_texts;
  RunSettings settings;
  std::string program_folder;  // the front end's folder, where the engine programs live
  // Where the temporary files go; empty: the program folder. Each running
  // instance gives its own, so that two never share their files.
  std::string temporary_folder;
  std::string simulator;  // the `SimList` text: the engine program's file name
  // The front end's link numbers, one per engine that may run at once; each
  // engine is passed its slot's number as -hw:.
  std::vector<std::int32_t> links = {0};
  // How many engines may run at once ("Parallel runs"). The sweep runs
  // min(jobs, links, combinations) of them; with one, a single set of result
  // files takes every run's rows, as it always has.
  std::int32_t jobs = 1;
  ManualRequestsCheck check_manual_requests;  // asked with manual entry only
  // Appended to every run's arguments (the head-path log's -l:, say).
  std::vector<EngineArgument> extra_arguments{};
  // How often each combination runs, and the seeds drawn for the
  // replications with "Randomize By Timer".
  ReplicationPlan replications{};
};

// The setup for the panel's fields and "Parallel runs", with one engine link
// per slot.
SweepSetup SweepSetupFromPanel(const ParametersPanel& panel, std::string program_folder,
                               std::string simulator, std::vector<std::int32_t> links,
                               ManualRequestsCheck check_manual_requests);
// The same with one link: one engine at a time, whatever the panel says.
SweepSetup SweepSetupFromPanel(const ParametersPanel& panel, std::string program_folder,
                               std::string simulator, std::int32_t link,
                               ManualRequestsCheck check_manual_requests);

enum class SweepEndKind {
  kCompleted,  // every run wrote its rows; the results were read
  kStopped,    // "Stop" ended it; the stored results stay as they were
  kFailed,     // it could not go on; the stored results stay as they were
};

// How a sweep ended, for the main window to apply.
struct SweepEnd {
  SweepEndKind kind = SweepEndKind::kFailed;
  // Shown in a message box when not empty.
  std::string message;
  // With kCompleted: the results (the replications' means) and the grid
  // and distribution that made them, and the replications themselves.
  SweepResults results;
  SweepRanges result_ranges{};
  std::int16_t result_distribution = 0;
  Replications replications{};
};

// Where a sweep stands.
enum class RunState {
  kIdle,             // no sweep has been started
  kStarting,         // preparing the sweep, or starting an engine
  kWaitingForHello,  // an engine runs whose thread id is not known yet
  kRunning,          // every running engine has said hello
  kStopRequested,    // "Stop" was pressed; the stop waits for an engine's hello
  kStopPosted,       // the stop was delivered to each; waiting for them to end
  kRetryPost,        // delivering a stop failed; it is tried again on every event
  kCompleted,
  kStopped,
  kFailed,
};

// The run monitor: runs the engine once for every combination of a sweep,
// up to the setup's number of engines at once, follows their progress,
// passes "Stop" on, and reads the results when every run has written its
// rows.
//
// With one engine at a time every run appends its rows to one set of result
// files, checked after each run and read at the end. With several, each
// engine slot has result files of its own: when its engine ends, the run's
// rows are read and checked, kept by run number and the files deleted, and
// the slot takes the next combination; the kept rows are joined in run
// order at the end, so the results are the same either way. A run that
// fails stops the other engines, and once all have ended the sweep fails
// with that run's message.
//
// It never waits. The window feeds it what happens (the buttons, the
// runner's reports, the timers) and after each call shows Progress(),
// ElapsedText() and TimerEnabled(), and applies TakeEnd() once it yields.
// A call made while the monitor is busy (from within a runner call, say) is
// queued and handled right after the one in progress.
class RunMonitor {
 public:
  // Both must outlive the monitor.
  RunMonitor(EngineRunner* runner, FileAccess* files);

  // "Start": deletes the temporary files, checks the requests, plans the
  // progress and starts the first engine. Ignored while a sweep is in
  // progress. The caller disables the start controls first.
  void Start(SweepSetup setup);

  // "Stop": the stop goes to every running engine (to each once it has said
  // hello) and the sweep ends once all have ended. Without a sweep in
  // progress it has no effect.
  void StopPressed();

  // The runner's reports.
  void OnHello(EngineRunId run, std::uint32_t thread_id);
  void OnProgress(EngineRunId run, std::uint32_t count);
  void OnExited(EngineRunId run);
  // The last line the engine of `run` wrote to its error stream, reported
  // before its exit; a run that fails is told with it first.
  void OnEngineSaid(EngineRunId run, std::string line);

  // `Timer2`, every second while TimerEnabled(): the elapsed time.
  void OnTimerTick();
  // A short timer the window runs while WantsRetryTick(): another attempt
  // to deliver the stop.
  void OnRetryTick();

  RunState State() const;
  bool InProgress() const { return phase_ == Phase::kStarting || phase_ == Phase::kRunning; }
  bool TimerEnabled() const { return timer_enabled_; }
  bool WantsRetryTick() const { return State() == RunState::kRetryPost; }

  ProgressBarView Progress() const { return ShownProgress(progress_value_, progress_.maximum); }
  const std::string& ElapsedText() const { return elapsed_text_; }

  // Engine runs of this sweep that ended with their rows written.
  std::int32_t RunCount() const { return run_count_; }
  // The runs of this sweep, one per combination; 0 until its ranges are
  // known.
  std::int64_t RunTotal() const { return run_total_; }
  // The command line of the engine run started last; once a run has
  // failed, that run's.
  const std::string& CommandLine() const {
    return failure_ ? failure_->command_line : command_line_;
  }
  // Engines running now.
  int RunningEngines() const;

  // How the sweep ended, once, after it has ended.
  std::optional<SweepEnd> TakeEnd();

 private:
  enum class Phase { kIdle, kStarting, kRunning, kCompleted, kStopped, kFailed };

  struct Event {
    enum class Kind { kStop, kHello, kProgress, kExited, kSaid, kTimerTick, kRetryTick };
    Kind kind;
    EngineRunId run = 0;
    std::uint32_t value = 0;
    std::string text{};  // with kSaid
  };

  // The engine of one run.
  struct Engine {
    EngineRunId id = 0;
    std::int64_t run = 0;  // its run number in the sweep
    std::optional<std::uint32_t> thread_id;
    bool stop_posted = false;  // the stop was delivered to it
    std::string command_line;
    std::string said{};  // the last line of its error stream
  };

  // A run that failed: the sweep ends with its message.
  struct Failure {
    std::int64_t run = 0;
    std::string message;
    std::string command_line;
  };

  // A place for one engine at a time: its link number and result files.
  struct Slot {
    std::int32_t link = 0;
    TemporaryFiles files;
    std::optional<Engine> engine;  // while one runs here
  };

  void Post(const Event& event);
  void Drain();
  void Handle(const Event& event);
  Slot* SlotOf(EngineRunId run);
  bool Ending() const { return stop_requested_ || failure_.has_value(); }

  bool PrepareSweep(SweepSetup setup);
  std::string TemporaryFolder() const;
  bool MakeSlots();
  bool FilesCleared(const TemporaryFiles& files);
  bool TakeRequests(std::int32_t* manual_request_count);
  bool TakeRanges();
  void StartEngines();
  bool StartEngine(Slot* slot);
  void TryPostStop();
  void EngineEnded(Slot* slot);
  void TakeRun(const Slot& slot, const Engine& engine);
  bool RowsWritten(std::int64_t run);
  bool TakeSlotRows(const Slot& slot, const Engine& engine);
  void Fail(std::int64_t run, std::string message, std::string command_line);
  void Complete();
  void TakePercentiles(SweepResults* results);
  void End(SweepEndKind kind, std::string message);
  void Tick();

  EngineRunner* runner_;
  FileAccess* files_;

  std::deque<Event> queue_;
  bool busy_ = false;

  Phase phase_ = Phase::kIdle;
  SweepSetup setup_;
  TemporaryFiles temporary_files_;
  std::array<ResultFileTally, 3> tallies_;
  std::string requests_file_;
  SweepRanges ranges_{};
  std::optional<EngineRunCursor> cursor_;
  ProgressPlan progress_;
  std::int64_t progress_value_ = 0;
  std::int32_t run_count_ = 0;
  std::int64_t run_total_ = 0;

  bool stop_requested_ = false;  // `StopRequested`
  // The first run that failed, told once every engine has ended.
  std::optional<Failure> failure_;
  std::vector<Slot> slots_;
  // Each slot writes files of its own; their rows are kept here, by run.
  bool own_files_ = false;
  std::vector<RunRows> run_rows_;
  // With -q:, the statistics rows each slot's run wrote, by run.
  std::vector<std::string> run_percentiles_;
  std::string command_line_;
  EngineRunId next_id_ = 1;

  bool timer_enabled_ = false;  // `Timer2`
  std::int32_t elapsed_seconds_ = -1;
  std::string elapsed_text_{kLTimeStartText};

  std::optional<SweepEnd> end_;
};

// Applies the end of a sweep to the main window's state: a completed sweep
// replaces the stored results and enables Publish, Save and Save As; every
// end enables the start controls again. The caller then rebuilds the value
// lists and redraws the chart when results were replaced, and shows the
// message, if any, in a "Trakvist" box.
void ApplySweepEnd(SweepEnd end, ResultsStore* store, ParametersPanel* panel);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RUNS_RUN_MONITOR_H_
