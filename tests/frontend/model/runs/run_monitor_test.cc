#include "frontend/model/runs/run_monitor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_test_support.h"

namespace trakvist {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr char kFolder[] = "/opt/trakvist/";

class RunMonitorTest : public ::testing::Test {
 protected:
  // The start-up panel with `requests` in field 0.
  SweepSetup Setup(const std::string& requests) {
    ParametersPanel panel = StartParametersPanel();
    panel.cparam[0].text = requests;
    return SweepSetupFromPanel(panel, kFolder, "schedule", 7, nullptr);
  }

  EngineRunId Current() const { return runner_.last_run(); }

  // The current engine says hello, reports progress and ends; with
  // `writes_rows` it first writes its rows as run `run`.
  void FinishRun(int run, bool writes_rows = true) {
    monitor_.OnHello(Current(), 4000 + run);
    monitor_.OnProgress(Current(), 100);
    if (writes_rows) WriteRunRows(&files_, paths_, run);
    monitor_.OnExited(Current());
  }

  SweepEnd End() {
    std::optional<SweepEnd> end = monitor_.TakeEnd();
    EXPECT_TRUE(end);
    return end ? std::move(*end) : SweepEnd{};
  }

  FakeFiles files_;
  FakeRunner runner_;
  RunMonitor monitor_{&runner_, &files_};
  const TemporaryFiles paths_ = MakeTemporaryFiles(kFolder);
};

TEST_F(RunMonitorTest, RunsEveryCombinationAndReadsTheRows) {
  files_.contents[paths_.seek] = "rows of an earlier sweep\n";
  monitor_.Start(Setup("100,100,300"));
  EXPECT_EQ(monitor_.ElapsedText(), "0:0:0");
  EXPECT_TRUE(monitor_.TimerEnabled());
  EXPECT_EQ(monitor_.Progress(), (ProgressBarView{0, 4800 + 2 * 96}));
  for (int run = 1; run <= 3; ++run) {
    ASSERT_EQ(runner_.starts.size(), static_cast<std::size_t>(run));
    EXPECT_EQ(runner_.starts.back().arguments[1], "-t:" + std::to_string(100 * run));
    EXPECT_EQ(monitor_.State(), RunState::kWaitingForHello);
    FinishRun(run);
  }
  EXPECT_EQ(monitor_.State(), RunState::kCompleted);
  EXPECT_EQ(monitor_.Progress().value, monitor_.Progress().maximum);
  EXPECT_FALSE(monitor_.TimerEnabled());
  SweepEnd end = End();
  EXPECT_EQ(end.kind, SweepEndKind::kCompleted);
  EXPECT_THAT(end.message, IsEmpty());
  EXPECT_EQ(end.results.RunCount(), 3);
  EXPECT_EQ(end.results.Get(Metric::kTotalSeekTime, 2, 3), 3002);
  EXPECT_EQ(end.results.Get(Metric::kAverageWaitingTime, 1, 1), 101);
  EXPECT_EQ(end.results.Get(Metric::kMaximumWaitingTime, 9, 2), 29);
  EXPECT_EQ(end.result_ranges[0].To, 300);

  ResultsStore store;
  ParametersPanel panel = StartParametersPanel();
  Enable_StartControls(&panel, false);
  ApplySweepEnd(std::move(end), &store, &panel);
  EXPECT_EQ(store.RunCount(), 3);
  EXPECT_TRUE(panel.startb_enabled && panel.publish_enabled && panel.saves_enabled);
}

// An instance's own temporary folder takes the result and requests files;
// the engine is still the one in the program folder.
TEST_F(RunMonitorTest, TemporaryFolderHoldsTheTemporaryFiles) {
  const TemporaryFiles own = MakeTemporaryFiles("/tmp/instance");
  files_.contents[own.avg_wait] = "rows of an earlier sweep\n";
  SweepSetup setup = Setup("100");
  setup.temporary_folder = "/tmp/instance/";
  monitor_.Start(std::move(setup));
  EXPECT_FALSE(files_.contents.count(own.avg_wait)) << "deleted when the sweep starts";
  ASSERT_EQ(runner_.starts.size(), 1u);
  const std::vector<std::string>& arguments = runner_.starts.back().arguments;
  EXPECT_EQ(arguments[0], std::string(kFolder) + "schedule");
  EXPECT_THAT(arguments, ::testing::Contains("-w:" + own.avg_wait));
  WriteRunRows(&files_, own, 1);
  monitor_.OnExited(Current());
  EXPECT_EQ(End().kind, SweepEndKind::kCompleted);
}

TEST_F(RunMonitorTest, StopBeforeHelloIsPostedWhenTheHelloArrives) {
  monitor_.Start(Setup("500"));
  monitor_.StopPressed();
  EXPECT_EQ(monitor_.State(), RunState::kStopRequested);
  EXPECT_THAT(runner_.posts, IsEmpty());
  monitor_.OnHello(Current(), 4321);
  ASSERT_EQ(runner_.posts.size(), 1u);
  EXPECT_EQ(runner_.posts[0], std::make_pair(Current(), 4321u));
  EXPECT_EQ(monitor_.State(), RunState::kStopPosted);
  monitor_.OnProgress(Current(), 5);
  monitor_.OnExited(Current());  // ended early, without rows
  EXPECT_EQ(monitor_.State(), RunState::kStopped);
  EXPECT_EQ(runner_.posts.size(), 1u);
  const SweepEnd end = End();
  EXPECT_EQ(end.kind, SweepEndKind::kStopped);
  EXPECT_THAT(end.message, IsEmpty());
}

TEST_F(RunMonitorTest, StopDuringTheThirdOfFiveRunsKeepsTheEarlierResults) {
  ResultsStore store;
  store.ReplaceResults(SweepResults(4), {}, 1);
  ParametersPanel panel = StartParametersPanel();

  monitor_.Start(Setup("1,1,5"));
  FinishRun(1);
  FinishRun(2);
  monitor_.OnHello(Current(), 77);
  EXPECT_EQ(monitor_.State(), RunState::kRunning);
  monitor_.StopPressed();
  EXPECT_EQ(runner_.posts.size(), 1u);
  monitor_.OnExited(Current());
  EXPECT_EQ(runner_.starts.size(), 3u);
  EXPECT_EQ(monitor_.RunCount(), 2);
  ApplySweepEnd(End(), &store, &panel);
  EXPECT_EQ(store.RunCount(), 4);
  EXPECT_EQ(store.ResultDistribution(), 1);
  EXPECT_TRUE(panel.startb_enabled);
  EXPECT_FALSE(panel.publish_enabled);
}

TEST_F(RunMonitorTest, FailedStopPostIsTriedAgainOnTheNextEvent) {
  const struct {
    const char* name;
    void (*next_event)(RunMonitor*, EngineRunId);
  } kCases[] = {
      {"retry tick", [](RunMonitor* m, EngineRunId) { m->OnRetryTick(); }},
      {"timer tick", [](RunMonitor* m, EngineRunId) { m->OnTimerTick(); }},
      {"progress", [](RunMonitor* m, EngineRunId run) { m->OnProgress(run, 1); }},
  };
  for (const auto& c : kCases) {
    FakeRunner runner;
    RunMonitor monitor(&runner, &files_);
    monitor.Start(Setup("500"));
    monitor.OnHello(runner.last_run(), 9);
    runner.post_results = {false, false};
    monitor.StopPressed();
    EXPECT_EQ(monitor.State(), RunState::kRetryPost) << c.name;
    EXPECT_TRUE(monitor.WantsRetryTick()) << c.name;
    c.next_event(&monitor, runner.last_run());  // fails again
    c.next_event(&monitor, runner.last_run());  // delivered
    EXPECT_EQ(monitor.State(), RunState::kStopPosted) << c.name;
    EXPECT_FALSE(monitor.WantsRetryTick()) << c.name;
    c.next_event(&monitor, runner.last_run());  // posted once only
    EXPECT_EQ(runner.posts.size(), 3u) << c.name;
    monitor.OnExited(runner.last_run());
    EXPECT_EQ(monitor.State(), RunState::kStopped) << c.name;
  }
}

TEST_F(RunMonitorTest, RunWithoutItsRowsEndsTheSweepNamingRunAndLine) {
  const struct {
    const char* name;
    void (*damage)(FakeFiles*, const TemporaryFiles&);
  } kCases[] = {
      {"no row at all", [](FakeFiles*, const TemporaryFiles&) {}},
      {"one file short",
       [](FakeFiles* f, const TemporaryFiles& p) {
         WriteRunRows(f, p, 2);
         f->contents[p.max_wait].resize(f->contents[p.max_wait].size() - DataRow(20).size());
       }},
      {"a row cut short",
       [](FakeFiles* f, const TemporaryFiles& p) {
         WriteRunRows(f, p, 2);
         f->contents[p.seek].pop_back();
       }},
      {"two rows", [](FakeFiles* f, const TemporaryFiles& p) {
         WriteRunRows(f, p, 2);
         WriteRunRows(f, p, 3);
       }}};
  for (const auto& c : kCases) {
    FakeRunner runner;
    FakeFiles files;
    RunMonitor monitor(&runner, &files);
    monitor.Start(Setup("1,1,3"));
    WriteRunRows(&files, paths_, 1);
    monitor.OnExited(runner.last_run());
    const std::string line = monitor.CommandLine();  // run 2's
    c.damage(&files, paths_);
    monitor.OnExited(runner.last_run());
    EXPECT_EQ(runner.starts.size(), 2u) << c.name;
    const std::optional<SweepEnd> end = monitor.TakeEnd();
    ASSERT_TRUE(end) << c.name;
    EXPECT_EQ(end->kind, SweepEndKind::kFailed) << c.name;
    EXPECT_THAT(end->message, HasSubstr("Run 2 of the simulation ended without writing")) << c.name;
    EXPECT_THAT(end->message, HasSubstr("\n" + line)) << c.name;
    EXPECT_THAT(line, HasSubstr(" -t:2 ")) << c.name;
  }
}

TEST_F(RunMonitorTest, SimulatorThatCannotStartOrExitsAtOnce) {
  runner_.start_errors = {"No such file or directory"};
  monitor_.Start(Setup("500"));
  SweepEnd end = End();
  EXPECT_EQ(end.kind, SweepEndKind::kFailed);
  EXPECT_THAT(end.message, HasSubstr("Run 1 of the simulation could not be started: No such file"));
  EXPECT_THAT(end.message, HasSubstr("\"/opt/trakvist/schedule\" -t:500 -a:60"));
  EXPECT_FALSE(monitor_.TimerEnabled());

  // Reports from within Start() are taken once it has returned.
  runner_.on_start = [this](EngineRunId run) { monitor_.OnExited(run); };
  monitor_.Start(Setup("500"));
  EXPECT_THAT(End().message, HasSubstr("Run 1 of the simulation ended without writing"));

  // What the engine said of its refusal comes first.
  runner_.on_start = [this](EngineRunId run) {
    monitor_.OnEngineSaid(run, "schedule: the disk is on fire");
    monitor_.OnExited(run);
  };
  monitor_.Start(Setup("500"));
  EXPECT_THAT(End().message, ::testing::StartsWith("The simulator said: schedule: the disk is on "
                                                   "fire\n\nRun 1 of the simulation ended"));
}

TEST_F(RunMonitorTest, EndsBeforeAnyRunWhenNothingCanBeRun) {
  const struct {
    const char* name;
    std::string requests;
    bool leftover;
    const char* message;
    const char* inner = "";  // fields 8 and 9, when given
    int field = -1;          // and this field's text, when given
    const char* text = "";
  } kCases[] = {
      {"a seek time the engine refuses", "500", false,
       "Cylinder Seek Time (TU) is 0 in this simulation, but it must be at least 1. No "
       "simulation was run.",
       "", 9, "0"},
      {"no combination", "10,1,0", false, "no combination to run"},
      {"undeletable results", "500", true, "ssim_tmp$$~1.csv could not be deleted"},
      {"too many combinations", "100,1,1099", false,
       "more than 2147483647 combinations, more than one simulation can hold. No simulation was "
       "run.",
       "1,1,2000"},
  };
  for (const auto& c : kCases) {
    FakeRunner runner;
    FakeFiles files;
    if (c.leftover) {
      files.contents[paths_.seek] = kLabelRow;
      files.undeletable.insert(paths_.seek);
    }
    RunMonitor monitor(&runner, &files);
    SweepSetup setup = Setup(c.requests);
    if (*c.inner != '\0') setup.field_texts[8] = setup.field_texts[9] = c.inner;
    if (c.field >= 0) setup.field_texts[c.field] = c.text;
    monitor.Start(std::move(setup));
    EXPECT_THAT(runner.starts, IsEmpty()) << c.name;
    const std::optional<SweepEnd> end = monitor.TakeEnd();
    ASSERT_TRUE(end) << c.name;
    EXPECT_EQ(end->kind, SweepEndKind::kFailed) << c.name;
    EXPECT_THAT(end->message, HasSubstr(c.message)) << c.name;
  }
}

TEST_F(RunMonitorTest, ManualRequestsCheckDecidesTheRequestsFileAndTotal) {
  std::string asked;
  SweepSetup setup = Setup("500");
  setup.settings.source = RequestSource::kManual;
  setup.check_manual_requests = [&asked](const std::string& temporary) {
    asked = temporary;
    return ManualRequests{true, "/home/u/requests.txt", 1000, ""};
  };
  monitor_.Start(setup);
  EXPECT_EQ(asked, paths_.manual_requests);
  ASSERT_EQ(runner_.starts.size(), 1u);
  const std::vector<std::string>& args = runner_.starts[0].arguments;
  EXPECT_EQ(args[1], "-t:0");
  EXPECT_EQ(args[2], "-a:0");
  EXPECT_EQ(args[args.size() - 2], "-in:/home/u/requests.txt");
  EXPECT_EQ(monitor_.Progress().maximum, 8000 + 2 * 160);
  FinishRun(1);
  EXPECT_EQ(End().kind, SweepEndKind::kCompleted);

  setup.check_manual_requests = [](const std::string&) { return ManualRequests{}; };
  monitor_.Start(setup);
  EXPECT_EQ(runner_.starts.size(), 1u);
  const SweepEnd end = End();
  EXPECT_EQ(end.kind, SweepEndKind::kFailed);
  EXPECT_THAT(end.message, IsEmpty());  // the check has shown its own
}

TEST_F(RunMonitorTest, IgnoresWhatDoesNotBelongToTheCurrentRun) {
  monitor_.StopPressed();  // no sweep: no effect
  monitor_.OnTimerTick();
  EXPECT_EQ(monitor_.State(), RunState::kIdle);
  EXPECT_EQ(monitor_.ElapsedText(), "00:00:00");

  monitor_.Start(Setup("10,10,20"));
  const EngineRunId first = Current();
  FinishRun(1);
  monitor_.OnProgress(first, 1000);  // late reports of the ended engine
  monitor_.OnHello(first, 5);
  monitor_.OnExited(first);
  EXPECT_EQ(monitor_.State(), RunState::kWaitingForHello);
  EXPECT_EQ(monitor_.Progress().value, 100);
  monitor_.Start(Setup("500"));  // already running
  EXPECT_EQ(runner_.starts.size(), 2u);
  for (int i = 0; i < 125; ++i) monitor_.OnTimerTick();
  EXPECT_EQ(monitor_.ElapsedText(), "0:2:5");
  FinishRun(2);
  monitor_.OnTimerTick();  // the timer is off
  EXPECT_EQ(monitor_.ElapsedText(), "0:2:5");
  EXPECT_EQ(End().kind, SweepEndKind::kCompleted);
}

}  // namespace
}  // namespace trakvist
