// The waiting-time statistics rows (-q:): checked against the waits of the
// head-path log on random runs of every kind, by hand on a small list, and
// for their label row, zeros, refusals and the memory they take. Giving -q:
// changes nothing else, to the byte.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr const char* kColumns[] = {"FCFS", "SSTF",   "SCAN",   "C-SCAN",
                                    "LOOK", "C-LOOK", "S-LOOK", "BO-PATH"};  // SATF is always 0

// One in-process run with the head-path log, and -q: when asked.
struct StatisticsRun {
  AppRun run;
  std::string statistics;  // the -q: file
  std::string log;
  std::string csv;  // the result files, when asked for
  std::vector<Accounts> accounts;
};

StatisticsRun RunWithStatistics(std::vector<std::string> arguments, const std::string& console,
                                bool statistics, bool files) {
  TempDir dir;
  arguments.push_back("-l:" + dir / "path.csv");
  if (statistics) arguments.push_back("-q:" + dir / "q.csv");
  if (files) {
    for (const char* option : {"-w:", "-s:", "-xw:"}) arguments.push_back(option + dir / option);
  }
  StatisticsRun result;
  ClockModel clock = [&result](const RunConfig& c, Workload& w, FrontEndLink* link) {
    SimulationOutcome outcome = RunClock(c, w, link);
    result.accounts = outcome.accounts;
    return outcome;
  };
  result.run = RunApp(arguments, console, false, clock);
  result.statistics = ReadFile(dir / "q.csv");
  result.log = ReadFile(dir / "path.csv");
  for (const char* option : {"-w:", "-s:", "-xw:"}) result.csv += ReadFile(dir / option);
  return result;
}

// Each algorithm's waits, from the serve rows of the log: tu - arrival.
std::map<std::string, std::vector<uint64_t>> LoggedWaits(const std::string& log) {
  std::map<std::string, std::vector<uint64_t>> waits;
  std::stringstream in(log);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> f;
    std::stringstream fields(line);
    std::string field;
    while (std::getline(fields, field, ',')) f.push_back(field);
    if (f.size() == 6 && f[3] == "serve") {
      waits[f[0]].push_back(std::stoull(f[1]) - std::stoull(f[5]));
    }
  }
  return waits;
}

// The smallest wait w such that at least p % of the requests waited w or
// less, taken at its word.
uint64_t Percentile(std::vector<uint64_t> waits, uint64_t p) {
  std::sort(waits.begin(), waits.end());
  for (uint64_t w : waits) {
    const uint64_t at_most =
        static_cast<uint64_t>(std::upper_bound(waits.begin(), waits.end(), w) - waits.begin());
    if (at_most * 100 >= p * waits.size()) return w;
  }
  return 0;  // no requests
}

std::string Deviation(const std::vector<uint64_t>& waits) {
  long double sum = 0;
  for (uint64_t w : waits) sum += static_cast<long double>(w);
  const long double mean = sum / static_cast<long double>(waits.size());
  long double squares = 0;
  for (uint64_t w : waits) squares += (w - mean) * (w - mean);
  char text[64];
  std::snprintf(text, sizeof text, "%g",
                waits.empty() ? 0.0 : static_cast<double>(std::sqrt(squares / waits.size())));
  return text;
}

// The five rows the waits call for.
std::string ExpectedRows(std::map<std::string, std::vector<uint64_t>> waits) {
  std::string rows;
  for (uint64_t p : {50, 90, 95, 99}) {
    rows += "p" + std::to_string(p);
    for (const char* column : kColumns) rows += "," + std::to_string(Percentile(waits[column], p));
    rows += ",0\n";
  }
  rows += "sd";
  for (const char* column : kColumns) rows += "," + Deviation(waits[column]);
  return rows + ",0\n";
}

// A random run: any workload mode, disk and timing, -FCFS, -u:0, -id, and
// sometimes a caller to report progress to.
struct RandomCase {
  std::vector<std::string> arguments;
  std::string console;
};

RandomCase DrawCase(std::mt19937_64& rng) {
  auto uniform = [&rng](int64_t low, int64_t high) {
    return std::uniform_int_distribution<int64_t>(low, high)(rng);
  };
  auto n = [](int64_t v) { return std::to_string(v); };
  RandomCase c;
  const int64_t highest = std::vector<int64_t>{0, 9, 99, 499}[uniform(0, 3)];
  c.arguments =
      Quiet({"-m:" + n(highest + 1), "-i:" + n(uniform(0, highest)), "-e:" + n(uniform(1, 3)),
             "-st:" + n(uniform(0, 1) * uniform(0, 6)), "-b:" + n(uniform(1, 4)),
             "-f:" + n(std::vector<int64_t>{-2, 0, 1, 3}[uniform(0, 3)]),
             "-wc:" + n(uniform(0, 20)), "-rw:" + n(uniform(1, 3)), "-r:" + n(uniform(1, 100000))});
  const int64_t total = uniform(1, 80);
  switch (uniform(0, 3)) {
    case 0:  // manual list
      c.arguments.push_back("-t:0");
      c.console = "0\n";
      for (int64_t i = uniform(0, 40); i > 0; --i) {
        c.console += uniform(0, 4) == 0 ? " t" + n(uniform(0, 30)) + " " : " ";
        c.console += n(uniform(0, highest));
      }
      c.console += " -1\n";
      break;
    case 1:  // all at time zero
      c.arguments.insert(c.arguments.end(), {"-t:" + n(total), "-n:0"});
      break;
    case 2:  // probability
      c.arguments.insert(c.arguments.end(),
                         {"-t:" + n(total), "-n:" + n(uniform(1, 3)), "-p:" + n(uniform(5, 100))});
      break;
    default:  // Poisson
      c.arguments.insert(c.arguments.end(),
                         {"-t:" + n(total), "-a:" + n(uniform(20, 2000)), "-tu:0.001"});
  }
  if (uniform(0, 4) == 0) c.arguments.push_back("-FCFS");
  if (uniform(0, 1) == 0) c.arguments.push_back("-u:0");
  if (uniform(0, 2) == 0) c.arguments.push_back("-id");
  if (uniform(0, 2) == 0) c.arguments.insert(c.arguments.end(), {"-hw:7", "-c:3"});
  return c;
}

void ExpectSamePosts(const AppRun& a, const AppRun& b) {
  ASSERT_EQ(a.posts.size(), b.posts.size());
  for (size_t i = 0; i < a.posts.size(); ++i) {
    EXPECT_EQ(a.posts[i].message, b.posts[i].message);
    EXPECT_EQ(a.posts[i].wparam, b.posts[i].wparam);
  }
}

// The rows are the statistics of the logged waits (FCFS's in physical time,
// adding up to its wait total like every other algorithm's), and the run's
// other output is the same without -q:.
TEST(WaitStatisticsTest, RowsAreTheStatisticsOfTheLoggedWaits) {
  std::mt19937_64 rng(20);
  for (int index = 0; index < 120; ++index) {
    const RandomCase c = DrawCase(rng);
    const bool files = index % 2 == 1;
    SCOPED_TRACE("case " + std::to_string(index) + ": " + ::testing::PrintToString(c.arguments) +
                 " <<< " + c.console);
    StatisticsRun with = RunWithStatistics(c.arguments, c.console, true, files);
    ASSERT_EQ(with.run.status, 0) << with.run.err;
    const auto waits = LoggedWaits(with.log);
    EXPECT_EQ(with.statistics, std::string(kLabelRow) + "\n" + ExpectedRows(waits));
    for (size_t algo = 0; algo < with.accounts.size(); ++algo) {
      auto logged = waits.find(kColumns[algo]);
      if (logged == waits.end()) continue;  // FCFS under -FCFS, or no requests
      uint64_t sum = 0;
      for (uint64_t w : logged->second) sum += w;
      EXPECT_EQ(sum, with.accounts[algo].wait_total) << kColumns[algo];
    }
    StatisticsRun without = RunWithStatistics(c.arguments, c.console, false, files);
    EXPECT_EQ(with.run.out, without.run.out);
    EXPECT_EQ(with.run.err, without.run.err);
    EXPECT_EQ(with.csv, without.csv);
    EXPECT_EQ(with.log, without.log);
    ExpectSamePosts(with.run, without.run);
  }
}

// Head 0, one cylinder per TU, one-TU transfers, requests on cylinders 1 to
// 4 at TU 0: every algorithm serves them upwards after waits of 1, 3, 5 and
// 7 TU (mean 4, variance (9 + 1 + 1 + 9) / 4 = 5). -FCFS and a run without
// requests give zeros; -d leaves out the label row, and a file with content
// gets none.
TEST(WaitStatisticsTest, HandWorkedRowsZerosAndTheLabelRow) {
  const std::string kRows =
      "p50,3,3,3,3,3,3,3,0,0\n"
      "p90,7,7,7,7,7,7,7,0,0\n"
      "p95,7,7,7,7,7,7,7,0,0\n"
      "p99,7,7,7,7,7,7,7,0,0\n"
      "sd,2.23607,2.23607,2.23607,2.23607,2.23607,2.23607,2.23607,0,0\n";
  const std::string kRowsWithoutFcfs =
      "p50,0,3,3,3,3,3,3,0,0\n"
      "p90,0,7,7,7,7,7,7,0,0\n"
      "p95,0,7,7,7,7,7,7,0,0\n"
      "p99,0,7,7,7,7,7,7,0,0\n"
      "sd,0,2.23607,2.23607,2.23607,2.23607,2.23607,2.23607,0,0\n";
  const std::string kZeros =
      "p50,0,0,0,0,0,0,0,0,0\np90,0,0,0,0,0,0,0,0,0\np95,0,0,0,0,0,0,0,0,0\n"
      "p99,0,0,0,0,0,0,0,0,0\nsd,0,0,0,0,0,0,0,0,0\n";
  const std::string kLabel = std::string(kLabelRow) + "\n";
  const std::vector<std::string> kRun = Quiet({"-t:0", "-i:0", "-m:10", "-e:1", "-st:0", "-b:1"});
  const struct {
    const char* option;
    std::vector<std::string> more;
    std::string list;
    std::string rows;  // after two runs
  } kCases[] = {
      {"-q:", {}, "0\n1 2 3 4 -1\n", kLabel + kRows + kRows},
      {"-Q:", {}, "0\n1 2 3 4 -1\n", kLabel + kRows + kRows},  // the letter in any case
      {"-q:", {"-d"}, "0\n1 2 3 4 -1\n", kRows + kRows},
      {"-q:", {"-FCFS"}, "0\n1 2 3 4 -1\n", kLabel + kRowsWithoutFcfs + kRowsWithoutFcfs},
      {"-q:", {}, "0\n-1\n", kLabel + kZeros + kZeros},
      {"-q:", {"-d", "-FCFS"}, "0\n-1\n", kZeros + kZeros},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.option + ::testing::PrintToString(c.more) + " <<< " + c.list);
    TempDir dir;
    std::vector<std::string> arguments = kRun;
    arguments.insert(arguments.end(), c.more.begin(), c.more.end());
    arguments.push_back(c.option + dir / "q.csv");
    for (int run = 0; run < 2; ++run) ASSERT_EQ(RunApp(arguments, c.list).status, 0);
    EXPECT_EQ(ReadFile(dir / "q.csv"), c.rows);
  }
}

// A stopped run writes no rows: the file keeps its label row. A file that
// cannot be opened or written is a failure, not a success.
TEST(WaitStatisticsTest, StoppedRunsAndFilesThatCannotBeWritten) {
  TempDir dir;
  const std::vector<std::string> kRun = Quiet({"-t:50", "-n:0", "-r:1", "-hw:7"});
  std::vector<std::string> stopped = kRun;
  stopped.push_back("-q:" + dir / "q.csv");
  EXPECT_EQ(RunApp(stopped, "", true).status, 0);
  EXPECT_EQ(ReadFile(dir / "q.csv"), std::string(kLabelRow) + "\n");
  for (const std::string& bad : std::vector<std::string>{
           "-q:", "-q", "-qx:a.csv", "-q:/nonexistent/folder/q.csv", "-q:" + dir.path().string()}) {
    SCOPED_TRACE(bad);
    std::vector<std::string> arguments = kRun;
    arguments.push_back(bad);
    AppRun run = RunApp(arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, StartsWith("schedule: "));
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;  // one line
    EXPECT_THAT(run.out, ::testing::Not(HasSubstr("Simulation Started")));
  }
  if (std::filesystem::exists("/dev/full")) {
    AppRun full = RunApp(Quiet({"-t:50", "-n:0", "-r:1", "-d", "-q:/dev/full"}));
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err,
              "schedule: the waiting-time statistics file \"/dev/full\" could not be written "
              "completely\n");
  }
}

// The waits take 4 bytes per request and algorithm, counted before the run.
TEST(WaitStatisticsTest, MemoryCheckCountsTheWaits) {
  TempDir dir;
  auto gigabytes = [](const std::vector<std::string>& arguments) {
    AppRun run = RunApp(arguments);
    EXPECT_EQ(run.status, 1);
    const size_t at = run.err.find(" requests need ");
    EXPECT_NE(at, std::string::npos) << run.err;
    return at == std::string::npos ? 0.0 : std::stod(run.err.substr(at + 15));
  };
  const double plain = gigabytes({"-t:2000000000", "-n:0"});
  const double with = gigabytes({"-t:2000000000", "-n:0", "-q:" + dir / "q.csv"});
  EXPECT_NEAR(with - plain, 2e9 * 7 * 4 / 1e9, 0.11);
}

}  // namespace
}  // namespace schedule
