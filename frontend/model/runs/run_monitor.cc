#include "frontend/model/runs/run_monitor.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "frontend/model/common/utilities.h"
#include "frontend/model/results/percentile_rows.h"
#include "frontend/model/runs/engine_limits.h"

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

std::string TooManyReplicatedRunsMessage(int replications) {
  return "The parameter ranges with " + std::to_string(replications) +
         " replications give more than " + std::to_string(kMaxRuns) +
         " runs, more than one simulation can hold. No simulation was run.";
}

// An engine that does not know -q: (an older simulator) writes no
// statistics; the sweep still has its other results.
std::string NoPercentilesNote(const std::string& problem) {
  return "The simulator wrote no usable waiting-time percentiles (" + problem +
         "), so the results hold the other metrics only.";
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

// What the simulator said of itself comes first: it is usually the reason.
std::string NoRowMessage(std::int64_t run, const std::string& command_line,
                         const std::string& said) {
  const std::string message =
      RunFailedMessage(run,
                       "ended without writing its results (the simulator may have been closed, "
                       "crashed or refused its input).",
                       command_line);
  return said.empty() ? message : "The simulator said: " + said + "\n\n" + message;
}

std::string NotDeletedAfterRunMessage(const std::string& path) {
  return "The temporary file " + path +
         " could not be deleted, so the next run's results could not be told from the last. " +
         std::string(kEarlierResultsKept);
}

std::string UnreadableMessage(const std::string& path) {
  return "The results file " + path + " could not be read. " + std::string(kEarlierResultsKept);
}

}  // namespace

SweepSetup SweepSetupFromPanel(const ParametersPanel& panel, std::string program_folder,
                               std::string simulator, std::vector<std::int32_t> links,
                               ManualRequestsCheck check_manual_requests) {
  SweepSetup setup;
  for (int k = 0; k < kParameterCount; ++k) setup.field_texts[k] = panel.cparam[k].text;
  setup.settings = RunSettingsFromPanel(panel);
  setup.replications = ReplicationPlanFromPanel(panel);
  setup.program_folder = std::move(program_folder);
  setup.simulator = std::move(simulator);
  setup.links = std::move(links);
  setup.jobs = panel.parallel_runs;
  setup.check_manual_requests = std::move(check_manual_requests);
  return setup;
}

SweepSetup SweepSetupFromPanel(const ParametersPanel& panel, std::string program_folder,
                               std::string simulator, std::int32_t link,
                               ManualRequestsCheck check_manual_requests) {
  SweepSetup setup =
      SweepSetupFromPanel(panel, std::move(program_folder), std::move(simulator),
                          std::vector<std::int32_t>{link}, std::move(check_manual_requests));
  setup.jobs = 1;
  return setup;
}

RunMonitor::RunMonitor(EngineRunner* runner, FileAccess* files) : runner_(runner), files_(files) {}

void RunMonitor::Start(SweepSetup setup) {
  if (busy_ || InProgress()) return;
  busy_ = true;
  if (PrepareSweep(std::move(setup))) StartEngines();
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

void RunMonitor::OnEngineSaid(EngineRunId run, std::string line) {
  Post({Event::Kind::kSaid, run, 0, std::move(line)});
}

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
  bool all_said_hello = true;
  bool post_failed = false;
  for (const Slot& slot : slots_) {
    if (!slot.engine) continue;
    all_said_hello = all_said_hello && slot.engine->thread_id.has_value();
    post_failed = post_failed || (slot.engine->thread_id && !slot.engine->stop_posted);
  }
  if (!Ending()) return all_said_hello ? RunState::kRunning : RunState::kWaitingForHello;
  if (post_failed) return RunState::kRetryPost;
  return all_said_hello ? RunState::kStopPosted : RunState::kStopRequested;
}

int RunMonitor::RunningEngines() const {
  return static_cast<int>(std::count_if(slots_.begin(), slots_.end(),
                                        [](const Slot& slot) { return slot.engine.has_value(); }));
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

// One pass of the wait: take the report, then deliver any pending stop.
void RunMonitor::Handle(const Event& event) {
  Slot* slot = nullptr;
  switch (event.kind) {
    case Event::Kind::kStop:
      if (InProgress()) stop_requested_ = true;
      break;
    case Event::Kind::kHello:
      if ((slot = SlotOf(event.run)) != nullptr) slot->engine->thread_id = event.value;
      break;
    case Event::Kind::kProgress:
      if (SlotOf(event.run) != nullptr) {
        progress_value_ = AddProgress(progress_value_, event.value, progress_.maximum);
      }
      break;
    case Event::Kind::kSaid:
      if ((slot = SlotOf(event.run)) != nullptr) slot->engine->said = event.text;
      break;
    case Event::Kind::kExited:
      if ((slot = SlotOf(event.run)) != nullptr) EngineEnded(slot);
      return;
    case Event::Kind::kTimerTick:
      if (timer_enabled_) Tick();
      break;
    case Event::Kind::kRetryTick:
      break;
  }
  TryPostStop();
}

// The slot whose engine makes `run`, while the sweep is in progress.
RunMonitor::Slot* RunMonitor::SlotOf(EngineRunId run) {
  if (!InProgress()) return nullptr;
  for (Slot& slot : slots_) {
    if (slot.engine && slot.engine->id == run) return &slot;
  }
  return nullptr;
}

bool RunMonitor::PrepareSweep(SweepSetup setup) {
  phase_ = Phase::kStarting;
  end_.reset();
  setup_ = std::move(setup);
  stop_requested_ = false;
  failure_.reset();
  run_count_ = 0;
  run_total_ = 0;
  progress_ = {};
  progress_value_ = 0;
  slots_.clear();
  run_rows_.clear();
  run_percentiles_.clear();
  command_line_.clear();
  elapsed_seconds_ = -1;
  Tick();
  timer_enabled_ = true;

  temporary_files_ = MakeTemporaryFiles(TemporaryFolder());
  DeleteTemporaryFiles(temporary_files_, files_);
  std::int32_t manual_request_count = 0;
  if (!FilesCleared(temporary_files_) || !TakeRequests(&manual_request_count) || !TakeRanges()) {
    return false;
  }
  if (!MakeSlots()) return false;
  const RunSettings& settings = setup_.settings;
  const std::int64_t requests = TotalRequests64(ranges_, settings.source, manual_request_count);
  progress_ = PlanProgress(requests * setup_.replications.count, GetInerTotal(ranges_),
                           settings.ofcfs);
  cursor_.emplace(ranges_, setup_.replications);
  return true;
}

std::string RunMonitor::TemporaryFolder() const {
  return setup_.temporary_folder.empty() ? setup_.program_folder : setup_.temporary_folder;
}

// min(jobs, links, combinations) slots. One slot writes the shared files;
// several write files of their own, cleared first like the shared ones.
bool RunMonitor::MakeSlots() {
  const std::int64_t links = std::max<std::int64_t>(1, std::ssize(setup_.links));
  const std::int64_t most = std::min<std::int64_t>(std::max(1, setup_.jobs), links);
  const std::int64_t count =
      std::max<std::int64_t>(1, EngineRunCount(ranges_, setup_.replications, most));
  own_files_ = count > 1;
  for (std::int64_t k = 0; k < count; ++k) {
    Slot slot;
    slot.link = setup_.links.empty() ? 0 : setup_.links[k];
    slot.files = temporary_files_;
    if (own_files_) {
      slot.files = MakeSlotFiles(TemporaryFolder(), static_cast<int>(k + 1));
      DeleteResultFiles(slot.files, files_);
      if (!FilesCleared(slot.files)) return false;
    }
    slots_.push_back(std::move(slot));
  }
  return true;
}

// The result files must start empty: rows left from an earlier sweep would
// be read as this sweep's.
bool RunMonitor::FilesCleared(const TemporaryFiles& files) {
  tallies_ = ResultFileTallies(files);
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
  if (requests.field_texts) setup_.field_texts = *requests.field_texts;
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
  if (EngineRunCount(ranges_, setup_.replications, kMaxRuns + 1) > kMaxRuns) {
    End(SweepEndKind::kFailed, TooManyReplicatedRunsMessage(setup_.replications.count));
    return false;
  }
  if (const std::optional<std::string> refused = CheckEngineLimits(ranges_)) {
    End(SweepEndKind::kFailed, *refused + " No simulation was run.");
    return false;
  }
  run_total_ = CombinationCount(ranges_, kMaxRuns);
  return true;
}

// Fills every free slot with the next combinations, in run order.
void RunMonitor::StartEngines() {
  for (Slot& slot : slots_) {
    if (Ending() || cursor_->Done()) break;
    if (!slot.engine && !StartEngine(&slot)) break;
  }
  if (failure_ && RunningEngines() == 0) End(SweepEndKind::kFailed, failure_->message);
}

bool RunMonitor::StartEngine(Slot* slot) {
  const std::string program = MakeAppFolder(setup_.program_folder) + setup_.simulator;
  const EngineTarget target{program, slot->files, requests_file_, slot->link, progress_.chunk};
  std::vector<EngineArgument> arguments =
      EngineArguments(LineSettings(setup_.settings, setup_.replications), cursor_->Values(), target);
  arguments.insert(arguments.end(), setup_.extra_arguments.begin(), setup_.extra_arguments.end());
  const EngineRunId id = next_id_++;
  const std::int64_t run = cursor_->Run();
  command_line_ = CommandLineText(program, arguments);
  cursor_->Next();
  if (own_files_) run_rows_.emplace_back();
  if (own_files_ && setup_.settings.percentiles) run_percentiles_.emplace_back();
  phase_ = Phase::kStarting;
  const EngineStart start = runner_->Start(id, ArgumentList(program, arguments));
  phase_ = Phase::kRunning;
  if (!start.started) {
    Fail(run, NotStartedMessage(run, start.error, command_line_), command_line_);
    return false;
  }
  slot->engine = Engine{id, run, std::nullopt, false, command_line_};
  return true;
}

// Each running engine gets the stop once it has said hello; a failed post is
// tried again on the next event.
void RunMonitor::TryPostStop() {
  if (phase_ != Phase::kRunning || !Ending()) return;
  for (Slot& slot : slots_) {
    if (!slot.engine || !slot.engine->thread_id || slot.engine->stop_posted) continue;
    slot.engine->stop_posted = runner_->PostStop(slot.engine->id, *slot.engine->thread_id);
  }
}

void RunMonitor::EngineEnded(Slot* slot) {
  const Engine engine = std::move(*slot->engine);
  slot->engine.reset();
  // An engine asked to stop ends without its rows. While a failure ends
  // the sweep, the engines that were not reached by a stop are still
  // judged, so that the first run that failed of itself is the one told.
  if (!stop_requested_ && !engine.stop_posted) TakeRun(*slot, engine);
  if (RunningEngines() > 0) {
    if (!Ending()) StartEngines();
    TryPostStop();
    return;
  }
  if (failure_) {
    End(SweepEndKind::kFailed, failure_->message);
  } else if (stop_requested_) {
    End(SweepEndKind::kStopped, "");
  } else if (cursor_->Done()) {
    Complete();
  } else {
    StartEngines();
  }
}

// Counts the run when it wrote its rows, and fails the sweep otherwise.
void RunMonitor::TakeRun(const Slot& slot, const Engine& engine) {
  if (own_files_ ? TakeSlotRows(slot, engine) : RowsWritten(engine.run)) {
    ++run_count_;
  } else if (!failure_ || failure_->run != engine.run) {
    Fail(engine.run, NoRowMessage(engine.run, engine.command_line, engine.said),
         engine.command_line);
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

// Keeps the rows the slot's engine wrote for its run and deletes its files
// for the slot's next run. False when the run wrote no proper rows, or when
// a file stays (the sweep then fails with a message of its own).
bool RunMonitor::TakeSlotRows(const Slot& slot, const Engine& engine) {
  const RunRowsRead read =
      ReadRunRows(*files_, {slot.files.seek, slot.files.avg_wait, slot.files.max_wait});
  if (read.status != RunRowsStatus::kRead) return false;
  run_rows_[static_cast<std::size_t>(engine.run - 1)] = read.rows;
  if (setup_.settings.percentiles) {
    const FileRead statistics = files_->ReadFile(slot.files.percentiles);
    run_percentiles_[static_cast<std::size_t>(engine.run - 1)] = statistics.content;
  }
  const std::vector<std::string> left = DeleteResultFiles(slot.files, files_);
  if (left.empty()) return true;
  Fail(engine.run, NotDeletedAfterRunMessage(left.front()), engine.command_line);
  return false;
}

// The sweep cannot go on: the other engines are asked to stop, and it ends
// with the message of the lowest run that failed once they have all ended.
void RunMonitor::Fail(std::int64_t run, std::string message, std::string command_line) {
  if (!failure_ || run < failure_->run) {
    failure_ = Failure{run, std::move(message), std::move(command_line)};
  }
  TryPostStop();
}

void RunMonitor::Complete() {
  progress_value_ = progress_.maximum;
  std::optional<SweepResults> results;
  if (own_files_) {
    results = JoinRunRows(run_rows_);
    run_rows_.clear();
  } else {
    std::string unreadable;
    results = ReadRunResults(files_, temporary_files_, run_count_, &unreadable);
    if (!results) {
      End(SweepEndKind::kFailed, UnreadableMessage(unreadable));
      return;
    }
  }
  End(SweepEndKind::kCompleted, "");
  if (setup_.settings.percentiles) TakePercentiles(&*results);
  const int count = setup_.replications.count;
  if (count > 1) {
    end_->results = ReplicationMeans(*results, count);
    end_->replications = Replications{setup_.replications, std::move(*results)};
  } else {
    end_->results = std::move(*results);
  }
  end_->result_ranges = ranges_;
  end_->result_distribution = static_cast<std::int16_t>(setup_.settings.dist_list);
}

// The statistics rows the runs wrote, into `results`; a note instead when
// there are none fit to read.
void RunMonitor::TakePercentiles(SweepResults* results) {
  std::string text;
  if (own_files_) {
    for (const std::string& rows : run_percentiles_) text += rows;
    run_percentiles_.clear();
  } else {
    const FileRead read = files_->ReadFile(temporary_files_.percentiles);
    if (read.status != FileReadStatus::kRead) {
      end_->message = NoPercentilesNote("the file " + temporary_files_.percentiles +
                                        " was not written");
      return;
    }
    text = read.content;
  }
  std::string problem;
  if (!ReadPercentileRows(text, results, &problem)) end_->message = NoPercentilesNote(problem);
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
    store->ReplaceResults(std::move(end.results), end.result_ranges, end.result_distribution,
                          std::move(end.replications));
    panel->publish_enabled = true;
  }
  Enable_StartControls(panel, true);
}

}  // namespace trakvist
