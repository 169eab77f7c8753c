#include "engine/schedule_app.h"

#include <ctime>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "engine/link.h"
#include "engine/manual_requests.h"
#include "engine/options.h"
#include "engine/path_log.h"
#include "engine/prompts.h"
#include "engine/random.h"
#include "engine/results.h"
#include "engine/run_config.h"
#include "engine/simulation.h"
#include "engine/usage.h"
#include "engine/validation.h"
#include "engine/wait_statistics.h"
#include "engine/workload.h"

namespace schedule {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUnusableInput = 1;

int Refuse(const AppStreams& streams, const std::string& message) {
  std::fprintf(streams.err, "schedule: %s\n", message.c_str());
  return kExitUnusableInput;
}

// Poisson mode needs both a rate and seconds per TU above 0; it then
// replaces the maximum per TU and the probability. Otherwise both are unset.
void ApplyPoissonCheck(RunConfig& config) {
  if (config.arrival_rate > 0 && config.seconds_per_tu > 0) {
    config.max_per_tu = 0;
  } else {
    config.arrival_rate = -1.0;
    config.seconds_per_tu = -1.0;
  }
}

class App {
 public:
  App(const AppStreams& streams, std::unique_ptr<LinkChannel> channel, const ClockModel& clock)
      : streams_(streams), link_(std::move(channel)), clock_(clock) {
    generators_.Seed(static_cast<uint32_t>(std::time(nullptr)));
  }

  int Run(std::span<const std::string> arguments);

 private:
  int Configure(std::span<const std::string> arguments, ManualList* manual);
  int Simulate(ManualList manual);
  // The waiting-time statistics (-q:) and the head-path log (-l:) of a
  // completed run; the first problem, if any, after trying both.
  std::optional<std::string> WriteExtraFiles(const SimulationOutcome& outcome);

  const AppStreams& streams_;
  FrontEndLink link_;
  const ClockModel& clock_;
  Generators generators_;
  RunConfig config_;
};

int App::Configure(std::span<const std::string> arguments, ManualList* manual) {
  std::string error;
  ParseEffects effects{&generators_, &link_, streams_.out};
  switch (ParseOptions(arguments, config_, effects, &error)) {
    case ParseOutcome::kShowUsage:
      PrintUsage(streams_.out);
      return kExitOk;
    case ParseOutcome::kFailed:
      return Refuse(streams_, error);
    case ParseOutcome::kContinue:
      break;
  }
  ApplyPoissonCheck(config_);
  if (config_.blocks_per_track == -1) config_.blocks_per_track = 600;
  if (config_.latency_given && !config_.window_given) {
    return Refuse(streams_, "rotational latency (-mt:) is not modelled by this engine");
  }
  if (auto problem = CheckDisk(config_)) return Refuse(streams_, *problem);
  if (config_.path_log) {
    if (auto problem = CheckPathLogFile(*config_.path_log)) return Refuse(streams_, *problem);
  }
  // A total given on the command line is checked before anything is written.
  if (auto problem = CheckMemory(config_, nullptr)) return Refuse(streams_, *problem);
  WriteLabelRows(config_);

  std::FILE* in = config_.input_file ? config_.input_file.get() : streams_.in;
  PromptResult prompts =
      AskMissing(config_, PromptStreams{in, streams_.out, !config_.input_file}, manual);
  if (prompts.lba_with_blocks) {
    std::fputs("\n\nInput file uses LBA, but some requests are using block numbers!!",
               streams_.out);
    return kExitUnusableInput;
  }
  if (!prompts.ok) return Refuse(streams_, prompts.error);
  if (auto problem = CheckWorkload(config_)) return Refuse(streams_, *problem);
  if (auto problem = CheckMemory(config_, manual)) return Refuse(streams_, *problem);
  return -1;
}

std::optional<std::string> App::WriteExtraFiles(const SimulationOutcome& outcome) {
  std::optional<std::string> problem;
  if (outcome.waits) {
    problem = WriteStatisticsRows(config_, ComputeWaitStatistics(*outcome.waits));
  }
  if (outcome.path_log) {
    auto log_problem = outcome.path_log->Write(*config_.path_log);
    if (!problem) problem = log_problem;
  }
  return problem;
}

int App::Simulate(ManualList manual) {
  try {
    Workload workload(config_, generators_, std::move(manual));
    std::fputs("\nSimulation Started....\n", streams_.out);
    std::fflush(streams_.out);
    SimulationOutcome outcome = clock_(config_, workload, &link_);
    if (!outcome.stopped) {
      RunResults results =
          ComputeResults(outcome.accounts, outcome.served, config_.block_time, config_.skip_fcfs);
      if (HasResultFiles(config_)) {
        WriteDataRows(config_, results);
      } else {
        PrintReport(streams_.out, results);
      }
      if (auto problem = WriteExtraFiles(outcome)) {
        link_.Finish();
        return Refuse(streams_, *problem);
      }
    }
  } catch (const std::bad_alloc&) {
    link_.Finish();
    return Refuse(streams_,
                  "not enough memory to simulate " + std::to_string(config_.total) + " requests");
  }
  link_.Finish();
  return kExitOk;
}

int App::Run(std::span<const std::string> arguments) {
  ManualList manual;
  int status = Configure(arguments, &manual);
  if (status >= 0) return status;
  return Simulate(std::move(manual));
}

}  // namespace

int RunSchedule(std::span<const std::string> arguments, const AppStreams& streams,
                std::unique_ptr<LinkChannel> channel, const ClockModel& clock) {
  App app(streams, std::move(channel), clock);
  int status = app.Run(arguments);
  std::fflush(streams.out);
  return status;
}

}  // namespace schedule
