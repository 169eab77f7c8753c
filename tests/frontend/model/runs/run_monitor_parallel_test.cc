// The run monitor with several engines at once, against the fake runner.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/model/runs/run_monitor.h"
#include "run_test_support.h"

namespace trakvist {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr char kFolder[] = "/opt/trakvist/";

// The value of the argument that starts with `option`, empty without one.
std::string ArgumentValue(const std::vector<std::string>& arguments, const std::string& option) {
  for (const std::string& argument : arguments) {
    if (argument.rfind(option, 0) == 0) return argument.substr(option.size());
  }
  return "";
}

// The result files an engine was told to write.
TemporaryFiles FilesOf(const std::vector<std::string>& arguments) {
  return {ArgumentValue(arguments, "-w:"), ArgumentValue(arguments, "-s:"),
          ArgumentValue(arguments, "-xw:"), ArgumentValue(arguments, "-in:")};
}

// Public: the table-driven cases below act on the fixture.
class ParallelMonitorTest : public ::testing::Test {
 public:
  // The start-up panel with `requests` in field 0, `jobs` engines at once
  // and `links` link numbers (31, 32, ...).
  SweepSetup Setup(const std::string& requests, int jobs, int links = 4) {
    ParametersPanel panel = StartParametersPanel();
    panel.cparam[0].text = requests;
    panel.parallel_runs = jobs;
    std::vector<std::int32_t> numbers;
    for (int k = 0; k < links; ++k) numbers.push_back(31 + k);
    return SweepSetupFromPanel(panel, kFolder, "schedule", numbers, nullptr);
  }

  // Start number `start` (0 first): its run id and arguments.
  EngineRunId Id(std::size_t start) const { return runner_.starts.at(start).run; }
  const std::vector<std::string>& Arguments(std::size_t start) const {
    return runner_.starts.at(start).arguments;
  }

  // The engine of start `start` writes its rows as run `run` into its own
  // files and ends.
  void Finish(std::size_t start, int run, bool writes_rows = true) {
    if (writes_rows) WriteRunRows(&files_, FilesOf(Arguments(start)), run);
    monitor_.OnExited(Id(start));
  }

  SweepEnd End() {
    std::optional<SweepEnd> end = monitor_.TakeEnd();
    EXPECT_TRUE(end);
    return end ? std::move(*end) : SweepEnd{};
  }

  FakeFiles files_;
  FakeRunner runner_;
  RunMonitor monitor_{&runner_, &files_};
};

// Engines that end out of order: each slot takes the next combination as
// its engine ends, the rows are kept by run number, and the results are
// those of the same runs appended one after the other to one set of files.
TEST_F(ParallelMonitorTest, RowsOfRunsEndingOutOfOrderAreJoinedInRunOrder) {
  const TemporaryFiles shared = MakeTemporaryFiles(kFolder);
  const TemporaryFiles slot2 = MakeSlotFiles(kFolder, 2);
  files_.contents[slot2.seek] = "rows of an earlier sweep\n";
  monitor_.Start(Setup("100,100,500", 2));
  EXPECT_FALSE(files_.contents.count(slot2.seek)) << "deleted when the sweep starts";
  ASSERT_EQ(runner_.starts.size(), 2u);
  EXPECT_EQ(monitor_.RunningEngines(), 2);
  EXPECT_EQ(ArgumentValue(Arguments(0), "-hw:"), "31");
  EXPECT_EQ(ArgumentValue(Arguments(1), "-hw:"), "32");
  EXPECT_EQ(FilesOf(Arguments(1)).avg_wait, slot2.avg_wait);
  EXPECT_NE(FilesOf(Arguments(0)).avg_wait, shared.avg_wait);
  EXPECT_NE(FilesOf(Arguments(0)).avg_wait, slot2.avg_wait);

  // Progress of both engines adds up; hellos of both make it "running".
  monitor_.OnHello(Id(0), 1);
  EXPECT_EQ(monitor_.State(), RunState::kWaitingForHello);
  monitor_.OnHello(Id(1), 2);
  EXPECT_EQ(monitor_.State(), RunState::kRunning);
  monitor_.OnProgress(Id(0), 30);
  monitor_.OnProgress(Id(1), 12);
  EXPECT_EQ(monitor_.Progress().value, 42);

  Finish(1, 2);  // run 2 ends first; run 3 takes its slot
  EXPECT_FALSE(files_.contents.count(slot2.seek)) << "its files are deleted once read";
  ASSERT_EQ(runner_.starts.size(), 3u);
  EXPECT_EQ(ArgumentValue(Arguments(2), "-t:"), "300");
  EXPECT_EQ(ArgumentValue(Arguments(2), "-hw:"), "32");
  Finish(2, 3);  // run 4 in slot 2
  Finish(0, 1);  // run 5 in slot 1
  ASSERT_EQ(runner_.starts.size(), 5u);
  EXPECT_EQ(ArgumentValue(Arguments(4), "-t:"), "500");
  EXPECT_EQ(ArgumentValue(Arguments(4), "-hw:"), "31");
  Finish(4, 5);
  EXPECT_EQ(monitor_.State(), RunState::kWaitingForHello) << "run 4 has not said hello";
  EXPECT_EQ(monitor_.RunCount(), 4);
  Finish(3, 4);
  EXPECT_EQ(monitor_.State(), RunState::kCompleted);
  EXPECT_EQ(runner_.starts.size(), 5u);
  const SweepEnd end = End();
  ASSERT_EQ(end.kind, SweepEndKind::kCompleted) << end.message;

  FakeFiles one_set;  // the same runs appended in run order
  for (int run = 1; run <= 5; ++run) WriteRunRows(&one_set, shared, run);
  std::string unreadable;
  const std::optional<SweepResults> expected = ReadRunResults(&one_set, shared, 5, &unreadable);
  ASSERT_TRUE(expected);
  ASSERT_EQ(end.results.RunCount(), 5);
  for (Metric metric :
       {Metric::kTotalSeekTime, Metric::kAverageWaitingTime, Metric::kMaximumWaitingTime}) {
    for (int run = 1; run <= 5; ++run) {
      for (int a = 1; a <= kAlgorithmCount; ++a) {
        EXPECT_EQ(end.results.Get(metric, a, run), expected->Get(metric, a, run));
      }
    }
  }
  EXPECT_EQ(end.results.Get(Metric::kTotalSeekTime, 2, 4), 4002);
}

// The engines at once are the fewest of jobs, links and combinations; one
// engine writes the shared files, as without parallel runs.
TEST_F(ParallelMonitorTest, EnginesAtOnceAreTheFewestOfJobsLinksAndRuns) {
  const struct {
    const char* requests;
    int jobs;
    int links;
    int engines;
  } kCases[] = {
      {"1,1,5", 4, 2, 2}, {"1,1,5", 2, 4, 2}, {"1,1,2", 8, 8, 2},
      {"7", 4, 4, 1},     {"1,1,5", 1, 4, 1}, {"1,1,5", 3, 0, 1},
  };
  const TemporaryFiles shared = MakeTemporaryFiles(kFolder);
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.requests) + " jobs " + std::to_string(c.jobs));
    FakeRunner runner;
    FakeFiles files;
    RunMonitor monitor(&runner, &files);
    monitor.Start(Setup(c.requests, c.jobs, c.links));
    EXPECT_EQ(monitor.RunningEngines(), c.engines);
    ASSERT_EQ(runner.starts.size(), static_cast<std::size_t>(c.engines));
    const bool shared_files = FilesOf(runner.starts[0].arguments).seek == shared.seek;
    EXPECT_EQ(shared_files, c.engines == 1);
  }
}

// "Stop" reaches every engine that has said hello at once and each other
// one when its hello arrives; no further run starts, and the sweep ends
// stopped once the last engine has gone, the stored results kept.
TEST_F(ParallelMonitorTest, StopReachesEveryEngineAndEndsWhenAllHaveGone) {
  monitor_.Start(Setup("1,1,9", 3));
  ASSERT_EQ(runner_.starts.size(), 3u);
  monitor_.OnHello(Id(0), 100);
  monitor_.OnHello(Id(2), 300);
  runner_.post_results = {true, false};  // the second post fails once
  monitor_.StopPressed();
  EXPECT_EQ(runner_.posts.size(), 2u);
  EXPECT_EQ(monitor_.State(), RunState::kRetryPost);
  EXPECT_TRUE(monitor_.WantsRetryTick());
  monitor_.OnRetryTick();
  EXPECT_EQ(monitor_.State(), RunState::kStopRequested) << "engine 2 has not said hello";
  monitor_.OnHello(Id(1), 200);
  EXPECT_EQ(monitor_.State(), RunState::kStopPosted);
  EXPECT_THAT(runner_.posts, Contains(std::make_pair(Id(0), 100u)));
  EXPECT_THAT(runner_.posts, Contains(std::make_pair(Id(1), 200u)));
  EXPECT_THAT(runner_.posts, Contains(std::make_pair(Id(2), 300u)));
  EXPECT_EQ(runner_.posts.size(), 4u);

  Finish(1, 2);  // ended with its rows all the same
  Finish(0, 1, false);
  EXPECT_EQ(monitor_.State(), RunState::kStopPosted);
  EXPECT_EQ(runner_.starts.size(), 3u) << "nothing more starts";
  Finish(2, 3, false);
  EXPECT_EQ(runner_.starts.size(), 3u);
  EXPECT_EQ(runner_.posts.size(), 4u);
  const SweepEnd end = End();
  EXPECT_EQ(end.kind, SweepEndKind::kStopped);
  EXPECT_THAT(end.message, IsEmpty());
}

// A run that fails stops the others; the sweep waits for them and then
// fails with that run's message and command line, storing nothing.
TEST_F(ParallelMonitorTest, FailingRunStopsTheOthersAndEndsTheSweepWithItsMessage) {
  const struct {
    const char* name;
    void (*fail)(ParallelMonitorTest*);  // makes the second start's run fail
  } kCases[] = {
      {"no rows", [](ParallelMonitorTest* t) { t->Finish(1, 2, false); }},
      {"two rows",
       [](ParallelMonitorTest* t) {
         WriteRunRows(&t->files_, FilesOf(t->Arguments(1)), 2);
         t->Finish(1, 2);
       }},
      {"rows cut short",
       [](ParallelMonitorTest* t) {
         WriteRunRows(&t->files_, FilesOf(t->Arguments(1)), 2);
         t->files_.contents[FilesOf(t->Arguments(1)).max_wait].pop_back();
         t->monitor_.OnExited(t->Id(1));
       }},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    files_ = FakeFiles();
    runner_ = FakeRunner();
    monitor_.Start(Setup("1,1,9", 3));
    ASSERT_EQ(runner_.starts.size(), 3u);
    const std::string line = Arguments(1)[1];
    monitor_.OnHello(Id(0), 100);
    Finish(2, 3);  // run 4 takes the third slot
    ASSERT_EQ(runner_.starts.size(), 4u);
    c.fail(this);
    EXPECT_EQ(runner_.starts.size(), 4u) << "nothing more starts";
    EXPECT_THAT(runner_.posts, Contains(std::make_pair(Id(0), 100u)));
    EXPECT_EQ(monitor_.State(), RunState::kStopRequested) << "run 4 has not said hello";
    monitor_.OnHello(Id(3), 400);
    EXPECT_THAT(runner_.posts, Contains(std::make_pair(Id(3), 400u)));
    Finish(0, 1);
    EXPECT_FALSE(monitor_.TakeEnd()) << "run 4 still runs";
    monitor_.OnExited(Id(3));
    const SweepEnd end = End();
    EXPECT_EQ(end.kind, SweepEndKind::kFailed);
    EXPECT_THAT(end.message, HasSubstr("Run 2 of the simulation ended without writing"));
    EXPECT_THAT(end.message, HasSubstr(" -t:2 "));
    EXPECT_THAT(end.message, HasSubstr(MakeSlotFiles(kFolder, 2).seek));
    EXPECT_THAT(end.message, HasSubstr("earlier results are kept"));
    EXPECT_EQ(end.results.RunCount(), 0);
  }
}

// Engines that fail of themselves, never reached by a stop, are all judged:
// the lowest failing run is told, whatever the order of their ends; one
// stopped for the failure is not.
TEST_F(ParallelMonitorTest, LowestRunThatFailedOfItselfIsTold) {
  monitor_.Start(Setup("1,1,9", 3));
  ASSERT_EQ(runner_.starts.size(), 3u);
  monitor_.OnHello(Id(0), 100);
  Finish(2, 3, false);  // run 3 fails first
  EXPECT_THAT(monitor_.CommandLine(), HasSubstr(" -t:3 "));
  Finish(1, 2, false);  // then run 2, which had no stop
  EXPECT_THAT(monitor_.CommandLine(), HasSubstr(" -t:2 "));
  Finish(0, 1, false);  // run 1 was stopped: no failure of its own
  const SweepEnd end = End();
  EXPECT_EQ(end.kind, SweepEndKind::kFailed);
  EXPECT_THAT(end.message, HasSubstr("Run 2 of the simulation ended without writing"));
  EXPECT_THAT(monitor_.CommandLine(), HasSubstr(" -t:2 "));
}

// An engine that cannot start while others run, or result files that stay
// after their run, end the sweep the same way, once the others have gone.
TEST_F(ParallelMonitorTest, EngineThatCannotStartOrFilesThatStayEndTheSweep) {
  runner_.start_errors = {"", "", "the program is gone"};
  monitor_.Start(Setup("1,1,4", 2));
  Finish(0, 1);
  ASSERT_EQ(runner_.starts.size(), 3u);
  EXPECT_EQ(monitor_.RunningEngines(), 1);
  EXPECT_FALSE(monitor_.TakeEnd());
  Finish(1, 2);
  SweepEnd end = End();
  EXPECT_EQ(end.kind, SweepEndKind::kFailed);
  EXPECT_THAT(end.message, HasSubstr("Run 3 of the simulation could not be started: the program"));

  runner_ = FakeRunner();
  const TemporaryFiles slot1 = MakeSlotFiles(kFolder, 1);
  files_.undeletable.insert(slot1.avg_wait);
  monitor_.Start(Setup("1,1,4", 2));
  Finish(0, 1);
  EXPECT_EQ(runner_.starts.size(), 2u) << "slot 1 cannot take another run";
  Finish(1, 2);
  end = End();
  EXPECT_EQ(end.kind, SweepEndKind::kFailed);
  EXPECT_THAT(end.message, HasSubstr(slot1.avg_wait + " could not be deleted"));

  // Left over from an earlier sweep, it ends the next one before any run.
  runner_ = FakeRunner();
  monitor_.Start(Setup("1,1,4", 2));
  EXPECT_THAT(runner_.starts, IsEmpty());
  EXPECT_THAT(End().message, HasSubstr(slot1.avg_wait + " could not be deleted"));
  files_.undeletable.clear();
  monitor_.Start(Setup("1,1,4", 2));
  EXPECT_THAT(runner_.starts, Not(IsEmpty()));
}

}  // namespace
}  // namespace trakvist
