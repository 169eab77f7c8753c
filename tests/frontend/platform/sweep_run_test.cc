// Whole sweeps: the run monitor with the process runner and the real engine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/results/results_store.h"
#include "frontend/model/runs/run_files.h"
#include "frontend/model/runs/run_monitor.h"
#include "frontend/platform/app_folders.h"
#include "frontend/platform/process_engine_runner.h"
#include "qt_test_support.h"

namespace trakvist {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// Passes the monitor's calls to the real runner and records them.
class RecordingRunner : public EngineRunner {
 public:
  explicit RecordingRunner(EngineRunner* runner) : runner_(runner) {}

  EngineStart Start(EngineRunId run, const std::vector<std::string>& arguments) override {
    starts.push_back(arguments);
    return runner_->Start(run, arguments);
  }
  bool PostStop(EngineRunId run, std::uint32_t thread_id) override {
    const bool delivered = runner_->PostStop(run, thread_id);
    stops_delivered += delivered ? 1 : 0;
    return delivered;
  }

  std::vector<std::vector<std::string>> starts;
  int stops_delivered = 0;

 private:
  EngineRunner* runner_;
};

// The engine's arguments with its three result files moved to `files`.
std::vector<std::string> WritingTo(std::vector<std::string> arguments,
                                   const TemporaryFiles& files) {
  for (std::string& argument : arguments) {
    for (const auto& [option, path] :
         {std::pair{"-w:", &files.avg_wait}, std::pair{"-s:", &files.seek},
          std::pair{"-xw:", &files.max_wait}}) {
      if (argument.rfind(option, 0) == 0) argument = option + *path;
    }
  }
  return arguments;
}

// Runs an engine directly, outside the runner, and waits for its end.
bool RunDirectly(const std::vector<std::string>& arguments) {
  QProcess process;
  process.setProgram(QString::fromStdString(arguments[0]));
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    process.setArguments(process.arguments() << QString::fromStdString(arguments[i]));
  }
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.start();
  return process.waitForFinished(static_cast<int>(kHangGuard.count())) &&
         process.exitStatus() == QProcess::NormalExit;
}

// The data rows of the three result files, label row first.
std::vector<std::vector<std::string>> ResultLines(const TemporaryFiles& files) {
  return {Lines(ReadFile(files.seek)), Lines(ReadFile(files.avg_wait)),
          Lines(ReadFile(files.max_wait))};
}

class SweepRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(runner_.OpenLink());
    std::string error;
    instance_ = InstanceFolder::Create(scratch_.folder(), &error);
    ASSERT_TRUE(instance_) << error;
    runner_.SetReports(ReportsTo(&monitor_, [this] {
      if (after_report_) after_report_();
    }));
  }

  // The start-up panel with `requests` typed into field 0, run by
  // `simulator` in `program_folder`.
  SweepSetup Setup(const std::string& requests,
                   const std::string& program_folder = FolderOfExecutable(SCHEDULE_PROGRAM),
                   const std::string& simulator = fs::path(SCHEDULE_PROGRAM).filename()) {
    ParametersPanel panel = StartParametersPanel();
    SetFieldText(&panel, 0, requests);
    SweepSetup setup =
        SweepSetupFromPanel(panel, program_folder, simulator, runner_.LinkNumber(), nullptr);
    setup.temporary_folder = instance_->path();
    return setup;
  }

  // Starts the sweep, runs the event loop until it has ended and takes its
  // end.
  SweepEnd Run(SweepSetup setup, const std::function<void()>& after_start = {}) {
    monitor_.Start(std::move(setup));
    if (after_start) after_start();
    EXPECT_TRUE(RunEventsUntil([&] { return !monitor_.InProgress(); }));
    std::optional<SweepEnd> end = monitor_.TakeEnd();
    EXPECT_TRUE(end);
    return end ? std::move(*end) : SweepEnd{};
  }

  TemporaryFiles SweepFiles() const { return MakeTemporaryFiles(instance_->path()); }

  ScratchFolder scratch_;
  std::unique_ptr<InstanceFolder> instance_;
  ProcessEngineRunner runner_;
  RecordingRunner recording_{&runner_};
  DiskFileAccess files_;
  RunMonitor monitor_{&recording_, &files_};
  std::function<void()> after_report_;
};

// Each of the three runs stores the rows that the engine writes when run
// by hand with the same arguments, and the results read back hold them.
TEST_F(SweepRunTest, CompletedSweepStoresTheRowsOfDirectRuns) {
  const SweepEnd end = Run(Setup("100,100,300"));
  ASSERT_EQ(end.kind, SweepEndKind::kCompleted) << end.message;
  EXPECT_EQ(monitor_.RunCount(), 3);
  ASSERT_EQ(end.results.RunCount(), 3);
  EXPECT_EQ(monitor_.Progress().value, monitor_.Progress().maximum);
  ASSERT_EQ(recording_.starts.size(), 3u);

  const std::vector<std::vector<std::string>> sweep = ResultLines(SweepFiles());
  for (const std::vector<std::string>& lines : sweep) ASSERT_EQ(lines.size(), 4u);
  for (std::int32_t run = 1; run <= 3; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const std::vector<std::string>& arguments = recording_.starts[run - 1];
    EXPECT_EQ(arguments[1], "-t:" + std::to_string(100 * run));
    ScratchFolder direct;
    const TemporaryFiles direct_files = MakeTemporaryFiles(direct.folder());
    ASSERT_TRUE(RunDirectly(WritingTo(arguments, direct_files)));
    const std::vector<std::vector<std::string>> rows = ResultLines(direct_files);
    for (std::size_t f = 0; f < rows.size(); ++f) {
      ASSERT_EQ(rows[f].size(), 2u) << "file " << f;
      EXPECT_EQ(rows[f][0], sweep[f][0]) << "label row";
      EXPECT_EQ(rows[f][1], sweep[f][run]);
    }
    std::string unreadable;
    const std::optional<SweepResults> alone = ReadRunResults(&files_, direct_files, 1, &unreadable);
    ASSERT_TRUE(alone) << unreadable;
    for (Metric metric :
         {Metric::kTotalSeekTime, Metric::kAverageWaitingTime, Metric::kMaximumWaitingTime}) {
      for (int a = 1; a <= kAlgorithmCount; ++a) {
        EXPECT_EQ(end.results.Get(metric, a, run), alone->Get(metric, a, 1)) << a;
      }
    }
  }
  EXPECT_GT(end.results.Get(Metric::kTotalSeekTime, 1, 3), 0);
}

// "Stop", pressed before the first engine has said hello or while it
// serves, ends the sweep with that engine: the engine stops early (it
// writes no row), no later engine starts, and nothing of the sweep is kept.
TEST_F(SweepRunTest, StopDuringALongSweepEndsItAndKeepsNothing) {
  for (bool before_hello : {true, false}) {
    SCOPED_TRACE(before_hello ? "stop before the hello" : "stop while the engine serves");
    recording_.starts.clear();
    recording_.stops_delivered = 0;
    bool pressed = false;
    after_report_ = [&] {
      if (pressed || monitor_.Progress().value == 0) return;
      monitor_.StopPressed();
      pressed = true;
    };
    // Two runs of 1,000,000 requests with seeds 1 and 2: seconds each; the
    // first progress report comes after a fiftieth of the sweep's work.
    SweepSetup setup = Setup("1000000");
    setup.field_texts[1] = "1,1,2";
    const SweepEnd end = Run(std::move(setup), [&] {
      if (!before_hello) return;
      monitor_.StopPressed();
      pressed = true;
      EXPECT_EQ(monitor_.State(), RunState::kStopRequested);
    });
    EXPECT_TRUE(pressed);
    EXPECT_EQ(end.kind, SweepEndKind::kStopped) << end.message;
    EXPECT_EQ(end.message, "");
    EXPECT_EQ(end.results.RunCount(), 0);
    EXPECT_EQ(monitor_.RunCount(), 0);
    EXPECT_EQ(recording_.starts.size(), 1u) << "no engine after the stopped one";
    EXPECT_EQ(recording_.stops_delivered, 1);
    for (const std::vector<std::string>& lines : ResultLines(SweepFiles())) {
      EXPECT_LE(lines.size(), 1u) << "a data row: the engine ran to its end";
    }

    ResultsStore store;
    store.ReplaceResults(SweepResults(2), {}, 0);
    ParametersPanel panel = StartParametersPanel();
    ApplySweepEnd(end, &store, &panel);
    EXPECT_EQ(store.RunCount(), 2) << "the earlier results stay";
  }
}

// The same sweep with two engines at once: both run together, and the
// results are those of one engine at a time, with no result file left.
TEST_F(SweepRunTest, TwoEnginesAtOnceStoreTheResultsOfOneAtATime) {
  const SweepEnd one = Run(Setup("100,100,800"));
  ASSERT_EQ(one.kind, SweepEndKind::kCompleted) << one.message;

  int most_at_once = 0;
  after_report_ = [&] { most_at_once = std::max(most_at_once, monitor_.RunningEngines()); };
  SweepSetup setup = Setup("100,100,800");
  setup.links = runner_.LinkNumbersFor(2);
  setup.jobs = 2;
  const SweepEnd two = Run(std::move(setup));
  ASSERT_EQ(two.kind, SweepEndKind::kCompleted) << two.message;
  EXPECT_EQ(most_at_once, 2);
  EXPECT_EQ(monitor_.Progress().value, monitor_.Progress().maximum);
  ASSERT_EQ(two.results.RunCount(), 8);
  for (Metric metric :
       {Metric::kTotalSeekTime, Metric::kAverageWaitingTime, Metric::kMaximumWaitingTime}) {
    for (int run = 1; run <= 8; ++run) {
      for (int a = 1; a <= kAlgorithmCount; ++a) {
        EXPECT_EQ(two.results.Get(metric, a, run), one.results.Get(metric, a, run)) << run;
      }
    }
  }
  for (int slot = 1; slot <= 2; ++slot) {
    const TemporaryFiles files = MakeSlotFiles(instance_->path(), slot);
    for (const std::string* path : {&files.seek, &files.avg_wait, &files.max_wait}) {
      EXPECT_FALSE(fs::exists(*path)) << *path;
    }
  }
}

// "Stop" during a sweep of two engines at once reaches both; nothing more
// starts and the sweep ends stopped once both have gone.
TEST_F(SweepRunTest, StopDuringAParallelSweepReachesEveryEngine) {
  bool pressed = false;
  after_report_ = [&] {
    if (pressed || monitor_.Progress().value == 0) return;
    monitor_.StopPressed();
    pressed = true;
  };
  SweepSetup setup = Setup("1000000");
  setup.field_texts[1] = "1,1,3";  // three runs of seconds each
  setup.links = runner_.LinkNumbersFor(2);
  setup.jobs = 2;
  const SweepEnd end = Run(std::move(setup));
  EXPECT_TRUE(pressed);
  EXPECT_EQ(end.kind, SweepEndKind::kStopped) << end.message;
  EXPECT_EQ(end.results.RunCount(), 0);
  EXPECT_EQ(recording_.starts.size(), 2u) << "no engine after the stopped ones";
  EXPECT_EQ(recording_.stops_delivered, 2);
  EXPECT_FALSE(runner_.Running());
}

// A simulator that cannot be started, or ends without writing its rows,
// ends the sweep with the message naming the run and its command line.
TEST_F(SweepRunTest, SimulatorThatCannotRunEndsTheSweepWithItsMessage) {
  ScratchFolder programs;
  WriteFile(programs.path() / "not_executable", "#!/bin/sh\nexit 0\n", 0644);
  WriteFile(programs.path() / "exits_at_once", "#!/bin/sh\nexit 0\n", 0755);
  WriteFile(programs.path() / "not_a_program", "plain text, marked executable\n", 0755);
  fs::create_directory(programs.path() / "a_folder");
  const struct {
    const char* simulator;
    const char* what;
  } cases[] = {{"missing", "could not be started: the program "},
               {"not_executable", "could not be started: the program "},
               {"a_folder", "could not be started: "},
               {"exits_at_once", "ended without writing its results"},
               {"not_a_program", ""}};  // refused at once or only by the system
  for (const auto& c : cases) {
    SCOPED_TRACE(c.simulator);
    const SweepEnd end = Run(Setup("100,100,300", programs.folder(), c.simulator));
    EXPECT_EQ(end.kind, SweepEndKind::kFailed);
    EXPECT_THAT(end.message, StartsWith(std::string("Run 1 of the simulation ") + c.what));
    EXPECT_THAT(end.message, HasSubstr(programs.folder() + c.simulator));
    EXPECT_THAT(end.message,
                HasSubstr("The simulation was ended and the earlier results are kept."));
    EXPECT_THAT(end.message, HasSubstr("Command line:\n" + monitor_.CommandLine()));
    EXPECT_EQ(monitor_.RunCount(), 0);
  }
}

}  // namespace
}  // namespace trakvist
