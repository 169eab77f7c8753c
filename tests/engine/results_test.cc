// The metrics of a run, the console report, the CSV rows, and what the
// front end sees over the link while a run goes on or is stopped.
#include "engine/results.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

using ::testing::EndsWith;

TEST(ComputeResultsTest, BlockTotalSkippedFcfsAndEmptyRuns) {
  // (1000001 - 1) x 3000 = 3000000000 wraps to 3000000000 - 2^32. A skipped
  // FCFS averages 0 whatever its accounts say.
  std::vector<Accounts> accounts(kAlgoCount, Accounts{0, 777, 0});
  RunResults results = ComputeResults(accounts, 1000001, 3000, true);
  EXPECT_EQ(results[kBoPathColumn].seek_with_blocks, 3000000000LL - 4294967296LL);
  EXPECT_EQ(results[kFcfs].average_wait, 0.0);
  // Without requests the averages are 0 and the block total is (0 - 1) x 2.
  RunResults empty = ComputeResults(std::vector<Accounts>(kAlgoCount), 0, 2, false);
  EXPECT_EQ(empty[kSstf].average_wait, 0.0);
  EXPECT_EQ(empty[kSstf].seek_with_blocks, -2);
}

// Head 0, block time 1 and a manual list typed at the console: `requests`
// "3" makes every simulated scheduler seek 3 and wait 3.
AppRun RunOnList(std::vector<std::string> more, const std::string& requests = "3") {
  std::vector<std::string> arguments = Quiet({"-t:0", "-b:1"});
  arguments.insert(arguments.end(), more.begin(), more.end());
  return RunApp(arguments, "0\n" + requests + " -1\n");
}

TEST(ReportTest, ConsoleReportListsEightColumnsThenSatf) {
  // 3 served at tick 3, transfer in ticks 3-5, 5 served at tick 8; every
  // seek total gains (2 - 1) x 3 for the block transfers. A result file
  // that cannot be opened counts as not given.
  AppRun run = RunOnList({"-b:3", "-s:/nonexistent/folder/s.csv"}, "3 5");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, ReadFile(TEST_DATA_DIR "/report.golden"));  // a mismatch prints a diff
}

TEST(ReportTest, SameSeedSameReport) {
  auto report = [](const char* seed) {
    return RunApp(Quiet({"-t:300", "-n:3", "-p:40", "-m:300", seed})).out;
  };
  EXPECT_EQ(report("-r:17"), report("-r:17"));
  EXPECT_NE(report("-r:17"), report("-r:18"));
}

TEST(CsvTest, OnlyASeekFileGetsItsLabelRowOnceAndOneDataRowPerRun) {
  TempDir dir;
  for (int run = 0; run < 2; ++run) {
    AppRun result = RunOnList({"-s:" + dir / "s.csv"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_THAT(result.out, EndsWith("\nSimulation Started....\n"));  // no report
  }
  EXPECT_EQ(ReadFile(dir / "s.csv"),
            std::string(kLabelRow) + "\n,3,3,3,3,3,3,3,0,0\n,3,3,3,3,3,3,3,0,0\n");
}

TEST(CsvTest, NoLabelsFirstColumnValuesAndSkippedFcfs) {
  TempDir dir;
  AppRun run = RunOnList({"-d", "-FCFS", "-w:" + dir / "w.csv", "-cw:40", "-s:" + dir / "s.csv",
                          "-cs:seek", "-xw:" + dir / "x.csv", "-cx:1.5"},
                         "3 5");
  EXPECT_EQ(run.status, 0) << run.err;
  // 3 at tick 3, 5 at tick 6 for everyone but the skipped FCFS.
  EXPECT_EQ(ReadFile(dir / "w.csv"), "40,0,4.5,4.5,4.5,4.5,4.5,4.5,0,0\n");
  EXPECT_EQ(ReadFile(dir / "s.csv"), "seek,0,5,5,5,5,5,5,0,0\n");
  EXPECT_EQ(ReadFile(dir / "x.csv"), "1.5,0,6,6,6,6,6,6,0,0\n");
  // An empty list still writes a row, with zero averages.
  RunOnList({"-d", "-w:" + dir / "empty.csv"}, "");
  EXPECT_EQ(ReadFile(dir / "empty.csv"), ",0,0,0,0,0,0,0,0,0\n");
}

TEST(LinkTest, ProgressCountsEveryServiceOfEveryScheduler) {
  // 1000 requests at tick 0: 7000 services, 6000 with -FCFS, posted after
  // the hello in chunks of 100 and a final message with the rest (0 here).
  // Without a chunk (-1) only the final message is posted; any other chunk
  // below 1 reports every service on its own.
  const struct {
    const char* option;
    uint32_t served;
    size_t posts;
  } kCases[] = {{"-c:100", 7000, 72}, {"-FCFS", 6000, 62}, {"-c:-1", 0, 2}, {"-c:-2", 7000, 7002}};
  for (const auto& c : kCases) {
    AppRun run = RunApp(Quiet({"-hw:3", "-c:100", "-t:1000", "-n:0", "-r:5", c.option}));
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.posts.size(), c.posts) << c.option;
    EXPECT_EQ(run.posts.front().message, kHelloMessage);
    EXPECT_EQ(run.posts.front().wparam, 4242u);
    uint32_t served = 0;
    for (size_t i = 1; i < run.posts.size(); ++i) {
      EXPECT_EQ(run.posts[i].message, kProgressMessage);
      served += run.posts[i].wparam;
    }
    EXPECT_EQ(served, c.served) << c.option;
  }
}

TEST(LinkTest, StoppedRunWritesNoDataRow) {
  TempDir dir;
  AppRun run = RunApp(Quiet({"-hw:3", "-t:20", "-n:0", "-r:5", "-s:" + dir / "s.csv"}), "",
                      /*stop=*/true);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadFile(dir / "s.csv"), std::string(kLabelRow) + "\n");
  ASSERT_FALSE(run.posts.empty());
  EXPECT_EQ(run.posts.back().message, kProgressMessage);
}

// A stop takes effect wherever the run spends its time: while millions of
// requests join the queues in the first tick, while the schedulers serve
// them, and while the workload is scanned for a rare arrival. The channel
// asks for a stop from its `first_stop`-th poll on; every poll is due.
TEST(LinkTest, StopReachesEveryPartOfALargeRun) {
  const struct {
    std::vector<std::string> arguments;
    int first_stop;
    bool some_served;
    const char* where;
  } kCases[] = {
      {{"-t:3000000", "-n:0"}, 2, false, "adding 3000000 requests in tick 0"},
      {{"-t:100000", "-n:0"}, 30, true, "serving 100000 requests"},
      {{"-t:1", "-n:1", "-p:0.0000001"}, 3, false, "scanning for an arrival (1 in 10^9 ticks)"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.where);
    TempDir dir;
    std::vector<std::string> arguments = Quiet(c.arguments);
    for (const char* more : {"-hw:3", "-c:1000000000", "-r:5"}) arguments.push_back(more);
    arguments.push_back("-s:" + dir / "s.csv");
    std::vector<PostedMessage> posts;
    AppRun run = RunApp(arguments, "", false, RunClock,
                        std::make_unique<FakeChannel>(&posts, true, c.first_stop));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(dir / "s.csv"), std::string(kLabelRow) + "\n");  // no data row
    // Hello, then the last progress message with every service so far.
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_EQ(posts.back().message, kProgressMessage);
    EXPECT_EQ(posts.back().wparam > 0, c.some_served);
    EXPECT_LT(posts.back().wparam, 7u * 100000u);
  }
}

}  // namespace
}  // namespace schedule
