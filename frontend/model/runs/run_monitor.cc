#include "frontend/model/runs/run_monitor.h"

#include <limits>
#include <utility>

#include "frontend/model/common/utilities.h"

namespace trakvist {
namespace {

// The results hold at most this many runs.
constexpr std::int64_t kMaxRuns = std::numeric_limits<std::int32_t>::max();

constexpr std::string_view kEarlierResultsKept =
    "The simulation was ended and the earlier results are kept.";

std::string NoCombinationMessage() {
  return "The parameter ranges give no combination to run: a range whose step leads away from "
         "its end value has no values. No simulation was run.";
}

std::string TooManyRunsMessage() {
  return "The parameter ranges give more than " + std::to_string(kMaxRuns) +
         " combinations, more than one simulation can hold. No simulation was run.";
}

std::string NotDeletedMessage(const std::string& path) {
  return "The temporary file " + path +
         " could not be deleted, so its old results would be taken for new ones. No simulation "
         "was run.";
}

std::string NoCheckMessage() {
  return "The manual requests could not be checked. No simulation was run.";
}

std::string RunFailedMessage(std::int64_t run, const std::string& what,
                             const std::string& command_line) {
  return "Run " + std::to_string(run) + " of the simulation " + what + "\n\n" +
         std::string(kEarlierResultsKept) + "\n\nCommand line:\n" + command_line;
}

std::string NotStartedMessage(std::int64_t run, const std::string& error,
                              const std::string& command_line) {
  const std::string reason = error.empty() ? "." : ": " + error;
  return RunFailedMessage(run, "could not be started" + reason, command_line);
}

std::string NoRowMessage(std::int64_t run, const std::string& command_line) {
  return RunFailedMessage(run,
                          "ended without writing its results (the simulator may have been closed, "
                          "crashed or refused its input).",
                          command_line);
}

std::string UnreadableMessage(const std::string& path) {
  return "The results file " + path + " could not be read. " + std::string(kEarlierResultsKept);
}

}  // namespace

SweepSetup SweepSetupFromPanel(const ParametersPanel& panel, std::string program_folder,
                               std::string simulator, std::int32_t link,
                               ManualRequestsCheck check_manual_requests) {
  SweepSetup setup;
  for (int k = 0; k < kParameterCount; ++k) setup.field_texts[k] = panel.cparam[k].text;
  setup.settings = RunSettingsFromPanel(panel);
  setup.program_folder = std::move(program_folder);
  setup.simulator = std::move(simulator);
  setup.link = link;
  setup.check_manual_requests = std::move(check_manual_requests);
  return setup;
}

RunMonitor::RunMonitor(EngineRunner* runner, FileAccess* files) : runner_(runner), files_(files) {}

void RunMonitor::Start(SweepSetup setup) {
  if (busy_ || InProgress()) return;
  busy_ = true;
  if (PrepareSweep(std::move(setup))) StartEngine();
  Drain();
}

void RunMonitor::StopPressed() { Post({Event::Kind::kStop}); }

void RunMonitor::OnHello(EngineRunId run, std::uint32_t thread_id) {
  Post({Event::Kind::kHello, run, thread_id});
}

void RunMonitor::OnProgress(EngineRunId run, std::uint32_t count) {
  Post({Event::Kind::kProgress, run, count});
}

void RunMonitor::OnExited(EngineRunId run) { Post({Event::Kind::kExited, run}); }

void RunMonitor::OnTimerTick() { Post({Event::Kind::kTimerTick}); }

void RunMonitor::OnRetryTick() { Post({Event::Kind::kRetryTick}); }

RunState RunMonitor::State() const {
  switch (phase_) {
    case Phase::kIdle:
      return RunState::kIdle;
    case Phase::kStarting:
      return RunState::kStarting;
    case Phase::kCompleted:
      return RunState::kCompleted;
    case Phase::kStopped:
      return RunState::kStopped;
    case Phase::kFailed:
      return RunState::kFailed;
    case Phase::kRunning:
      break;
  }
  if (!stop_requested_) return engine_.thread_id ? RunState::kRunning : RunState::kWaitingForHello;
  if (!engine_.thread_id) return RunState::kStopRequested;
  return stop_posted_ ? RunState::kStopPosted : RunState::kRetryPost;
}

std::optional<SweepEnd> RunMonitor::TakeEnd() { return std::exchange(end_, std::nullopt); }

void RunMonitor::Post(const Event& event) {
  queue_.push_back(event);
  if (busy_) return;
  busy_ = true;
  Drain();
}

void RunMonitor::Drain() {
  while (!queue_.empty()) {
    const Event event = queue_.front();
    queue_.pop_front();
    Handle(event);
  }
  busy_ = false;
}

// One pass of the wait: take the report, then deliver a pending stop.
void RunMonitor::Handle(const Event& event) {
  switch (event.kind) {
    case Event::Kind::kStop:
      if (InProgress()) stop_requested_ = true;
      break;
    case Event::Kind::kHello:
      if (IsCurrent(event.run)) engine_.thread_id = event.value;
      break;
    case Event::Kind::kProgress:
      if (IsCurrent(event.run)) {
        progress_value_ = AddProgress(progress_value_, event.value, progress_.maximum);
      }
      break;
    case Event::Kind::kExited:
      if (IsCurrent(event.run)) EngineEnded();
      return;
    case Event::Kind::kTimerTick:
      if (timer_enabled_) Tick();
      break;
    case Event::Kind::kRetryTick:
      break;
  }
  TryPostStop();
}

bool RunMonitor::IsCurrent(EngineRunId run) const { return InProgress() && run == engine_.id; }

bool RunMonitor::PrepareSweep(SweepSetup setup) {
  phase_ = Phase::kStarting;
  end_.reset();
  setup_ = std::move(setup);
  stop_requested_ = false;
  stop_posted_ = false;
  run_count_ = 0;
  progress_ = {};
  progress_value_ = 0;
  engine_ = {};
  elapsed_seconds_ = -1;
  Tick();
  timer_enabled_ = true;

  temporary_files_ = MakeTemporaryFiles(setup_.temporary_folder.empty() ? setup_.program_folder
                                                                        : setup_.temporary_folder);
  DeleteTemporaryFiles(temporary_files_, files_);
  std::int32_t manual_request_count = 0;
  if (!TemporaryFilesCleared() || !TakeRequests(&manual_request_count) || !TakeRanges()) {
    return false;
  }
  const RunSettings& settings = setup_.settings;
  progress_ = PlanProgress(TotalRequests64(ranges_, settings.source, manual_request_count),
                           GetInerTotal(ranges_), settings.ofcfs);
  cursor_.emplace(ranges_);
  return true;
}

// The result files must start empty: rows left from an earlier sweep would
// be read as this sweep's.
bool RunMonitor::TemporaryFilesCleared() {
  tallies_ = ResultFileTallies(temporary_files_);
  for (ResultFileTally& tally : tallies_) {
    if (TakeAppendedRows(files_, &tally).bytes > 0) {
      End(SweepEndKind::kFailed, NotDeletedMessage(tally.path));
      return false;
    }
  }
  return true;
}

bool RunMonitor::TakeRequests(std::int32_t* manual_request_count) {
  requests_file_ = temporary_files_.manual_requests;
  if (setup_.settings.source != RequestSource::kManual) return true;
  if (!setup_.check_manual_requests) {
    End(SweepEndKind::kFailed, NoCheckMessage());
    return false;
  }
  const ManualRequests requests = setup_.check_manual_requests(temporary_files_.manual_requests);
  if (!requests.passed) {
    End(SweepEndKind::kFailed, requests.message);
    return false;
  }
  requests_file_ = requests.requests_file;
  *manual_request_count = requests.request_count;
  return true;
}

bool RunMonitor::TakeRanges() {
  ranges_ = FillSweepRanges(setup_.field_texts, setup_.settings.source, setup_.settings.rtimer);
  if (!HasCombinations(ranges_)) {
    End(SweepEndKind::kFailed, NoCombinationMessage());
    return false;
  }
  if (CombinationCount(ranges_, kMaxRuns + 1) > kMaxRuns) {
    End(SweepEndKind::kFailed, TooManyRunsMessage());
    return false;
  }
  return true;
}

void RunMonitor::StartEngine() {
  const std::string program = MakeAppFolder(setup_.program_folder) + setup_.simulator;
  const EngineTarget target{program, temporary_files_, requests_file_, setup_.link,
                            progress_.chunk};
  const std::vector<EngineArgument> arguments =
      EngineArguments(setup_.settings, cursor_->Values(), target);
  engine_ = {next_id_++, cursor_->Run(), std::nullopt, CommandLineText(program, arguments)};
  phase_ = Phase::kStarting;
  const EngineStart start = runner_->Start(engine_.id, ArgumentList(program, arguments));
  if (!start.started) {
    End(SweepEndKind::kFailed, NotStartedMessage(engine_.run, start.error, engine_.command_line));
    return;
  }
  phase_ = Phase::kRunning;
}

// A failed post is tried again on the next event.
void RunMonitor::TryPostStop() {
  if (phase_ != Phase::kRunning || !stop_requested_ || !engine_.thread_id || stop_posted_) return;
  stop_posted_ = runner_->PostStop(engine_.id, *engine_.thread_id);
}

void RunMonitor::EngineEnded() {
  if (stop_requested_) {
    End(SweepEndKind::kStopped, "");
    return;
  }
  if (!RowsWritten(engine_.run)) {
    End(SweepEndKind::kFailed, NoRowMessage(engine_.run, engine_.command_line));
    return;
  }
  ++run_count_;
  cursor_->Next();
  if (cursor_->Done()) {
    Complete();
  } else {
    StartEngine();
  }
}

// Each result file must have gained exactly one row of ten fields; the first
// run also writes the label row. A run that wrote none would shift every
// later run's results into the wrong place.
bool RunMonitor::RowsWritten(std::int64_t run) {
  const std::int64_t expected = run == 1 ? 2 : 1;
  bool written = true;
  for (ResultFileTally& tally : tallies_) {
    const AppendedRows appended = TakeAppendedRows(files_, &tally);
    written = written && appended.readable && appended.well_formed && appended.rows == expected;
  }
  return written;
}

void RunMonitor::Complete() {
  progress_value_ = progress_.maximum;
  std::string unreadable;
  std::optional<SweepResults> results =
      ReadRunResults(files_, temporary_files_, run_count_, &unreadable);
  if (!results) {
    End(SweepEndKind::kFailed, UnreadableMessage(unreadable));
    return;
  }
  End(SweepEndKind::kCompleted, "");
  end_->results = std::move(*results);
  end_->result_ranges = ranges_;
  end_->result_distribution = static_cast<std::int16_t>(setup_.settings.dist_list);
}

void RunMonitor::End(SweepEndKind kind, std::string message) {
  switch (kind) {
    case SweepEndKind::kCompleted:
      phase_ = Phase::kCompleted;
      break;
    case SweepEndKind::kStopped:
      phase_ = Phase::kStopped;
      break;
    case SweepEndKind::kFailed:
      phase_ = Phase::kFailed;
      break;
  }
  stop_requested_ = false;
  timer_enabled_ = false;
  end_.emplace();
  end_->kind = kind;
  end_->message = std::move(message);
}

void RunMonitor::Tick() {
  if (elapsed_seconds_ < std::numeric_limits<std::int32_t>::max()) ++elapsed_seconds_;
  elapsed_text_ = trakvist::ElapsedText(elapsed_seconds_);
}

void ApplySweepEnd(SweepEnd end, ResultsStore* store, ParametersPanel* panel) {
  if (end.kind == SweepEndKind::kCompleted) {
    store->ReplaceResults(std::move(end.results), end.result_ranges, end.result_distribution);
    panel->publish_enabled = true;
  }
  Enable_StartControls(panel, true);
}

}  // namespace trakvist
