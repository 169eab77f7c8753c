// The engine runner with the real engine program: its reports, its stop and
// the programs it refuses.
#include "frontend/platform/process_engine_runner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "qt_test_support.h"

namespace trakvist {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

struct Report {
  enum Kind { kHello, kProgress, kExited } kind;
  EngineRunId run;
  std::uint32_t value;
};

class ProcessEngineRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(runner_.OpenLink());
    runner_.SetReports({[this](EngineRunId run, std::uint32_t id) {
                          Add({Report::kHello, run, id});
                        },
                        [this](EngineRunId run, std::uint32_t n) {
                          Add({Report::kProgress, run, n});
                        },
                        [this](EngineRunId run) {
                          Add({Report::kExited, run, 0});
                        },
                        [this](EngineRunId run, const std::string& line) { said_[run] = line; }});
  }

  void Add(const Report& report) {
    reports_.push_back(report);
    if (report.kind == Report::kExited && on_exited_) on_exited_(report.run);
  }

  // The engine with `line` and every answer it would otherwise ask for,
  // linked to the runner's link `link` (its first without one).
  std::vector<std::string> Engine(const std::string& line, std::int32_t link = -1) const {
    if (link < 0) link = runner_.LinkNumber();
    std::istringstream words(line + " -r:1 -i:0 -f:0 -wc:0 -rw:3 -o:1 -x:1 -b:2 -e:1 -st:0" +
                             " -m:1000 -rb:n -rs:n -hw:" + std::to_string(link));
    std::vector<std::string> arguments{SCHEDULE_PROGRAM};
    arguments.insert(arguments.end(), std::istream_iterator<std::string>(words), {});
    return arguments;
  }

  std::vector<Report> Of(EngineRunId run) const {
    std::vector<Report> of;
    std::copy_if(reports_.begin(), reports_.end(), std::back_inserter(of),
                 [run](const Report& r) { return r.run == run; });
    return of;
  }

  bool Exited(EngineRunId run) const {
    return std::any_of(reports_.begin(), reports_.end(), [run](const Report& r) {
      return r.run == run && r.kind == Report::kExited;
    });
  }

  // The reports of `run` are hello, progress messages adding up to `total`,
  // and the exit, last and once.
  void ExpectWholeRun(EngineRunId run, std::uint32_t total) const {
    const std::vector<Report> of = Of(run);
    ASSERT_GE(of.size(), 3u);
    EXPECT_EQ(of.front().kind, Report::kHello);
    EXPECT_NE(of.front().value, 0u) << "the engine's thread id";
    EXPECT_EQ(of.back().kind, Report::kExited);
    std::uint32_t sum = 0;
    for (std::size_t i = 1; i + 1 < of.size(); ++i) {
      EXPECT_EQ(of[i].kind, Report::kProgress) << i;
      sum += of[i].value;
    }
    EXPECT_EQ(sum, total);
  }

  ProcessEngineRunner runner_;
  std::vector<Report> reports_;
  std::function<void(EngineRunId)> on_exited_;
  std::map<EngineRunId, std::string> said_;
};

TEST(ProcessEngineRunnerLinkTest, EveryRunnerHasANumberOfItsOwn) {
  ProcessEngineRunner first;
  ProcessEngineRunner second;
  EXPECT_EQ(first.LinkNumber(), -1);
  EXPECT_FALSE(first.Start(1, {SCHEDULE_PROGRAM}).started) << "no run without a link";
  ASSERT_FALSE(first.OpenLink());
  ASSERT_FALSE(second.OpenLink()) << "the first choice is taken: another is found";
  EXPECT_TRUE(first.HasLink() && second.HasLink());
  EXPECT_GT(first.LinkNumber(), 0);
  EXPECT_GT(second.LinkNumber(), 0);
  EXPECT_NE(first.LinkNumber(), second.LinkNumber());
}

// Every message an engine sent reaches the reports before its exit, also
// when the exit is noticed before the messages are read; the next run may
// start from within the exit report and is kept apart from the first.
TEST_F(ProcessEngineRunnerTest, ReportsEachRunInOrderWithEveryMessageBeforeTheExit) {
  on_exited_ = [this](EngineRunId run) {
    if (run == 1) {
      EXPECT_TRUE(runner_.Start(2, Engine("-t:1000 -n:0 -c:1000 -FCFS")).started);
    }
  };
  ASSERT_EQ(runner_.Start(1, Engine("-t:1000 -n:0 -c:1000")).error, "");
  EXPECT_TRUE(runner_.Running());
  ASSERT_TRUE(RunEventsUntil([&] { return Exited(2); }));
  EXPECT_FALSE(runner_.Running());
  ExpectWholeRun(1, 7000);
  ExpectWholeRun(2, 6000);
  EXPECT_EQ(reports_.size(), Of(1).size() + Of(2).size());
}

// The last line of an engine's error stream is its reason for refusing a
// run; an engine that says nothing reports none.
TEST_F(ProcessEngineRunnerTest, ReportsTheEnginesLastErrorLine) {
  std::vector<std::string> refused = Engine("-t:5 -n:0");
  refused.push_back("-e:0");
  ASSERT_TRUE(runner_.Start(1, refused).started);
  ASSERT_TRUE(RunEventsUntil([&] { return Exited(1); }));
  EXPECT_EQ(said_[1], "schedule: the seek time (-e:) must be at least 1 TU, not 0");
  ASSERT_TRUE(runner_.Start(2, Engine("-t:5 -n:0")).started);
  ASSERT_TRUE(RunEventsUntil([&] { return Exited(2); }));
  EXPECT_EQ(said_.count(2), 0u);
}

// One engine at a time; the stop goes only to the current run's engine,
// which then ends well before its natural end.
TEST_F(ProcessEngineRunnerTest, StopReachesTheCurrentEngineOnly) {
  ASSERT_TRUE(runner_.Start(5, Engine("-t:3000000 -n:0 -c:2100000")).started);  // seconds of work
  ASSERT_TRUE(RunEventsUntil([&] { return !reports_.empty(); }));
  ASSERT_EQ(reports_.front().kind, Report::kHello);
  const std::uint32_t thread_id = reports_.front().value;

  const EngineStart second = runner_.Start(6, Engine("-t:10 -n:0"));
  EXPECT_FALSE(second.started);
  EXPECT_THAT(second.error, HasSubstr("still running"));
  EXPECT_FALSE(runner_.PostStop(4, thread_id)) << "not the current run";
  EXPECT_TRUE(runner_.PostStop(5, thread_id));
  ASSERT_TRUE(RunEventsUntil([&] { return Exited(5); }));
  std::uint32_t served = 0;
  for (const Report& r : Of(5)) served += r.kind == Report::kProgress ? r.value : 0;
  EXPECT_LT(served, 21000000u) << "stopped before serving every request";
  EXPECT_THAT(Of(6), IsEmpty());
  EXPECT_FALSE(runner_.PostStop(5, thread_id)) << "ended";
}

// Two engines at once, each on a link of its own: every message reaches
// the run it belongs to, a stop reaches only the engine it names, and each
// link serves one engine at a time.
TEST_F(ProcessEngineRunnerTest, TwoEnginesAtOnceEachOnItsOwnLink) {
  const std::vector<std::int32_t> links = runner_.LinkNumbersFor(2);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0], runner_.LinkNumber());
  EXPECT_NE(links[0], links[1]);
  EXPECT_EQ(runner_.LinkNumbersFor(2), links) << "the same links for the next sweep";
  EXPECT_EQ(runner_.LinkNumbersFor(1), std::vector<std::int32_t>{links[0]});

  // Seconds of work with progress all along, on the second link.
  ASSERT_EQ(runner_.Start(1, Engine("-t:3000000 -n:0 -c:100000", links[1])).error, "");
  ASSERT_TRUE(RunEventsUntil([&] { return !Of(1).empty(); }));
  ASSERT_EQ(Of(1).front().kind, Report::kHello);
  const std::uint32_t long_thread = Of(1).front().value;

  EXPECT_THAT(runner_.Start(9, Engine("-t:10 -n:0", links[1])).error, HasSubstr("still running"));
  EXPECT_THAT(runner_.Start(9, Engine("-t:10 -n:0", links[1] + 1)).error, HasSubstr("link"));
  ASSERT_EQ(runner_.Start(2, Engine("-t:20000 -n:0 -c:2000", links[0])).error, "");
  ASSERT_TRUE(RunEventsUntil([&] { return Exited(2); }));
  ExpectWholeRun(2, 140000);
  EXPECT_FALSE(Exited(1)) << "the long run goes on";
  EXPECT_NE(Of(2).front().value, long_thread);
  EXPECT_FALSE(runner_.PostStop(2, long_thread)) << "run 2 has ended";

  EXPECT_TRUE(runner_.PostStop(1, long_thread));
  ASSERT_TRUE(RunEventsUntil([&] { return Exited(1); }));
  std::uint32_t served = 0;
  for (const Report& r : Of(1)) served += r.kind == Report::kProgress ? r.value : 0;
  EXPECT_LT(served, 21000000u) << "stopped before serving every request";
  EXPECT_EQ(Of(1).back().kind, Report::kExited);
  EXPECT_FALSE(runner_.Running());
  EXPECT_THAT(Of(9), IsEmpty());
}

// A program that cannot run is refused with its reason and nothing is
// reported; one the system refuses only at the start, or that ends at once,
// ends with an exit report alone. No case hangs.
TEST_F(ProcessEngineRunnerTest, ProgramsThatCannotRunAreRefusedOrEndAtOnce) {
  ScratchFolder folder;
  const std::string dir = folder.folder();
  WriteFile(folder.path() / "not_executable", "#!/bin/sh\nexit 0\n", 0644);
  WriteFile(folder.path() / "not_a_program", "plain text, marked executable\n", 0755);
  WriteFile(folder.path() / "exits_at_once", "#!/bin/sh\nexit 3\n", 0755);
  std::filesystem::create_directory(folder.path() / "a_folder");

  const struct {
    std::string program;
    const char* refusal;  // nullptr: may start
  } cases[] = {{dir + "missing", "does not exist"}, {dir + "missing/schedule", "does not exist"},
               {dir + "a_folder", "is a folder"},   {dir + "not_executable", "is not executable"},
               {"", "no simulator program"},        {dir + "not_a_program", nullptr},
               {dir + "exits_at_once", nullptr}};
  EngineRunId run = 10;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program);
    const EngineStart start = runner_.Start(++run, {c.program, "-t:10"});
    if (c.refusal) {
      EXPECT_FALSE(start.started);
      EXPECT_THAT(start.error, HasSubstr(c.refusal));
      EXPECT_THAT(start.error, HasSubstr(c.program));
      EXPECT_FALSE(runner_.Running());
    } else if (start.started) {
      ASSERT_TRUE(RunEventsUntil([&] { return Exited(run); }));
      EXPECT_EQ(Of(run).size(), 1u) << "the exit alone";
    } else {
      EXPECT_THAT(start.error, ::testing::Not(IsEmpty()));
    }
  }
  for (const Report& r : reports_) EXPECT_EQ(r.kind, Report::kExited) << "run " << r.run;
}

}  // namespace
}  // namespace trakvist
