// The metrics of a run, the console report, the CSV rows, and what the
// front end sees over the link while a run goes on or is stopped.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/results.h"
#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

std::vector<Accounts> SevenAccounts() {
  std::vector<Accounts> accounts;
  for (int i = 0; i < kAlgoCount; ++i) {
    accounts.push_back(Accounts{100 + i, uint64_t(4000 + 1000 * i), uint32_t(50 + i)});
  }
  return accounts;
}

TEST(ComputeResultsTest, BlockTimeOfAllButOneRequestIsAddedToEverySeek) {
  // N = 1000, block 2: (1000 - 1) x 2 = 1998.
  RunResults results = ComputeResults(SevenAccounts(), 1000, 2, false);
  for (int i = 0; i < kAlgoCount; ++i) {
    EXPECT_EQ(results[i].seek, 100 + i);
    EXPECT_EQ(results[i].seek_with_blocks, 100 + i + 1998);
    EXPECT_EQ(results[i].max_wait, uint32_t(50 + i));
    EXPECT_DOUBLE_EQ(results[i].average_wait, (4000 + 1000 * i) / 1000.0);
  }
  // BO-PATH is not simulated: only the block total.
  EXPECT_EQ(results[kBoPathColumn].seek, 0);
  EXPECT_EQ(results[kBoPathColumn].seek_with_blocks, 1998);
  EXPECT_EQ(results[kBoPathColumn].max_wait, 0u);
  EXPECT_EQ(results[kBoPathColumn].average_wait, 0.0);
}

TEST(ComputeResultsTest, SkippedFcfsAndEmptyRunsAverageZero) {
  std::vector<Accounts> accounts = SevenAccounts();
  accounts[kFcfs] = Accounts{0, 777, 0};
  RunResults skipped = ComputeResults(accounts, 10, 3, true);
  EXPECT_EQ(skipped[kFcfs].average_wait, 0.0);
  EXPECT_EQ(skipped[kFcfs].seek_with_blocks, 27);
  EXPECT_DOUBLE_EQ(skipped[kSstf].average_wait, 500.0);

  RunResults empty = ComputeResults(std::vector<Accounts>(kAlgoCount), 0, 2, false);
  for (const ColumnResult& column : empty) EXPECT_EQ(column.average_wait, 0.0);
  EXPECT_EQ(empty[kSstf].seek_with_blocks, -2);  // (0 - 1) x 2
}

TEST(ComputeResultsTest, BlockTotalIsA32BitProduct) {
  // 1000000 x 3000 = 3000000000, which wraps to 3000000000 - 2^32.
  RunResults results = ComputeResults(SevenAccounts(), 1000001, 3000, false);
  EXPECT_EQ(results[kBoPathColumn].seek_with_blocks, 3000000000LL - 4294967296LL);
}

// Head 0, one request on cylinder 3, block time 1: every simulated
// scheduler seeks 3 and waits 3.
std::vector<std::string> OneRequest(std::vector<std::string> more = {}) {
  std::vector<std::string> arguments = Quiet({"-t:0", "-b:1"});
  arguments.insert(arguments.end(), more.begin(), more.end());
  return arguments;
}
constexpr char kOneRequest[] = "0\n3 -1\n";

TEST(ReportTest, ConsoleReportListsEightColumnsThenSatf) {
  AppRun run = RunApp(OneRequest(), kOneRequest);
  ASSERT_EQ(run.status, 0) << run.err;
  std::string expected = "\nSimulation Started....\n";
  for (const char* name : {"FCFS", "SSTF", "SCAN", "C-SCAN", "LOOK", "C-LOOK", "S-LOOK"}) {
    expected += std::string("\n") + name + " total seek = 3\n" + name +
                " total seek (including block time) = 3\n" + name + " maximum waiting time = 3\n" +
                name + " average waiting time = 3.000000\n";
  }
  expected +=
      "\nBO-PATH total seek = 0\nBO-PATH total seek (including block time) = 0\n"
      "BO-PATH maximum waiting time = 0\nBO-PATH average waiting time = 0.000000\n"
      "\nYou should #define USE_SATF to get SATF results.\n";
  EXPECT_THAT(run.out, EndsWith(expected));
}

TEST(ReportTest, EmptyRequestListReportsZeroAverages) {
  AppRun run = RunApp(OneRequest(), "0\n-1\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("\nTotal number of requests=0\n"));
  EXPECT_THAT(run.out, HasSubstr("\nSSTF average waiting time = 0.000000\n"));
  TempDir dir;
  AppRun csv = RunApp(OneRequest({"-d", "-w:" + dir / "w.csv"}), "0\n-1\n");
  EXPECT_EQ(ReadFile(dir / "w.csv"), ",0,0,0,0,0,0,0,0,0\n");
}

TEST(ReportTest, SameSeedSameReport) {
  auto report = [](const char* seed) {
    return RunApp(Quiet({"-t:300", "-n:3", "-p:40", "-m:300", seed})).out;
  };
  EXPECT_EQ(report("-r:17"), report("-r:17"));
  EXPECT_NE(report("-r:17"), report("-r:18"));
}

TEST(CsvTest, NewFilesGetTheLabelRowOnceThenOneDataRowPerRun) {
  TempDir dir;
  auto files = OneRequest({"-w:" + dir / "w.csv", "-s:" + dir / "s.csv", "-xw:" + dir / "x.csv"});
  for (int run = 0; run < 2; ++run) {
    AppRun result = RunApp(files, kOneRequest);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_THAT(result.out, Not(HasSubstr("total seek")));
  }
  EXPECT_EQ(ReadFile(dir / "s.csv"),
            std::string(kLabelRow) + "\n,3,3,3,3,3,3,3,0,0\n,3,3,3,3,3,3,3,0,0\n");
  EXPECT_EQ(ReadFile(dir / "w.csv"),
            std::string(kLabelRow) + "\n,3,3,3,3,3,3,3,0,0\n,3,3,3,3,3,3,3,0,0\n");
  EXPECT_EQ(ReadFile(dir / "x.csv"),
            std::string(kLabelRow) + "\n,3,3,3,3,3,3,3,0,0\n,3,3,3,3,3,3,3,0,0\n");
}

TEST(CsvTest, NoLabelsAndFirstColumnValues) {
  TempDir dir;
  AppRun run = RunApp(OneRequest({"-d", "-w:" + dir / "w.csv", "-cw:40", "-s:" + dir / "s.csv",
                                  "-cs:seek", "-xw:" + dir / "x.csv", "-cx:1.5"}),
                      "0\n3 5 -1\n");
  ASSERT_EQ(run.status, 0) << run.err;
  // 3 at tick 3, 5 at tick 6 for everyone: average 4.5, maximum 6.
  EXPECT_EQ(ReadFile(dir / "w.csv"), "40,4.5,4.5,4.5,4.5,4.5,4.5,4.5,0,0\n");
  EXPECT_EQ(ReadFile(dir / "s.csv"), "seek,5,5,5,5,5,5,5,0,0\n");
  EXPECT_EQ(ReadFile(dir / "x.csv"), "1.5,6,6,6,6,6,6,6,0,0\n");
}

TEST(CsvTest, OnlyASeekFileSuppressesTheWholeReport) {
  TempDir dir;
  AppRun run = RunApp(OneRequest({"-s:" + dir / "s.csv"}), kOneRequest);
  EXPECT_THAT(run.out, Not(HasSubstr("waiting time")));
  EXPECT_THAT(run.out, Not(HasSubstr("USE_SATF")));
  std::vector<std::string> lines = Lines(ReadFile(dir / "s.csv"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Fields(lines[0]).size(), 10u);
  EXPECT_EQ(Fields(lines[1]).size(), 10u);
  EXPECT_EQ(Fields(lines[1]).back(), "0");
}

TEST(CsvTest, UnopenableFileCountsAsNotGiven) {
  AppRun run = RunApp(OneRequest({"-s:/nonexistent/folder/s.csv"}), kOneRequest);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("\nSSTF total seek = 3\n"));
}

TEST(CsvTest, SkippedFcfsReportsZeroes) {
  TempDir dir;
  AppRun run = RunApp(OneRequest({"-FCFS", "-d", "-w:" + dir / "w.csv", "-s:" + dir / "s.csv"}),
                      kOneRequest);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFile(dir / "s.csv"), ",0,3,3,3,3,3,3,0,0\n");
  EXPECT_EQ(ReadFile(dir / "w.csv"), ",0,3,3,3,3,3,3,0,0\n");
}

TEST(LinkTest, ProgressCountsEveryServiceOfEveryScheduler) {
  // 1000 requests at tick 0, chunk 100: 7000 services, -FCFS leaves 6000.
  for (bool skip : {false, true}) {
    std::vector<std::string> arguments = Quiet({"-hw:3", "-c:100", "-t:1000", "-n:0", "-r:5"});
    if (skip) arguments.push_back("-FCFS");
    AppRun run = RunApp(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_FALSE(run.posts.empty());
    EXPECT_EQ(run.posts.front().message, kHelloMessage);
    EXPECT_EQ(run.posts.front().wparam, 4242u);
    uint32_t served = 0;
    for (size_t i = 1; i < run.posts.size(); ++i) {
      EXPECT_EQ(run.posts[i].message, kProgressMessage);
      served += run.posts[i].wparam;
    }
    EXPECT_EQ(served, skip ? 6000u : 7000u);
  }
}

TEST(LinkTest, WithoutChunkOnlyTheLastProgressIsPosted) {
  AppRun run = RunApp(Quiet({"-hw:3", "-t:20", "-n:0", "-r:5"}));
  ASSERT_EQ(run.posts.size(), 2u);
  EXPECT_EQ(run.posts[1].message, kProgressMessage);
  EXPECT_EQ(run.posts[1].wparam, 0u);
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

}  // namespace
}  // namespace schedule
