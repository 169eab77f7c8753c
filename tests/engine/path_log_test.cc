// The initial direction (-u:) and the head-path log (-l:): the textbook
// exercise in both directions, the log checked against the totals and the
// timing model on runs of every kind, -u:0 as the up-run on the mirrored
// disk on random lists full of ties, and the refusals.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr const char* kNames[kAlgoCount] = {"FCFS", "SSTF",   "SCAN",  "C-SCAN",
                                            "LOOK", "C-LOOK", "S-LOOK"};

struct LogRow {
  std::string algorithm;
  uint64_t tu;
  int64_t cylinder;
  std::string event;
  std::string request;  // empty but on serve rows
  std::string arrival;
};

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, ',')) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.push_back("");
  return fields;
}

std::vector<LogRow> ParseLog(const std::string& text) {
  std::vector<LogRow> rows;
  std::stringstream in(text);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "algorithm,tu,cylinder,event,request,arrival");
  while (std::getline(in, line)) {
    std::vector<std::string> f = Split(line);
    EXPECT_EQ(f.size(), 6u) << line;
    if (f.size() != 6) continue;
    rows.push_back({f[0], std::stoull(f[1]), std::stoll(f[2]), f[3], f[4], f[5]});
  }
  EXPECT_TRUE(text.empty() || text.back() == '\n');
  return rows;
}

std::string FormatLog(const std::vector<LogRow>& rows) {
  std::string text = "algorithm,tu,cylinder,event,request,arrival\n";
  for (const LogRow& r : rows) {
    text += r.algorithm + "," + std::to_string(r.tu) + "," + std::to_string(r.cylinder) + "," +
            r.event + "," + r.request + "," + r.arrival + "\n";
  }
  return text;
}

// One in-process run with -l:, with what the clock handed to the results.
struct LoggedRun {
  AppRun run;
  std::string csv;  // the result files' text, when asked for
  std::string log;
  bool logged = false;  // the log file exists
  std::vector<Accounts> accounts;
  int32_t served = 0;
  int32_t seek = 0, settle = 0, block = 0, head = 0, highest = 0;
  bool fcfs_skipped = false;
  bool down = false;
};

LoggedRun RunLogged(std::vector<std::string> arguments, const std::string& console = "",
                    bool with_log = true, bool files = false) {
  TempDir dir;
  LoggedRun result;
  if (with_log) arguments.push_back("-l:" + dir / "path.csv");
  if (files) {
    for (const char* option : {"-w:", "-s:", "-xw:"}) arguments.push_back(option + dir / option);
  }
  ClockModel clock = [&result](const RunConfig& c, Workload& w, FrontEndLink* link) {
    SimulationOutcome outcome = RunClock(c, w, link);
    result.accounts = outcome.accounts;
    result.served = outcome.served;
    result.seek = c.seek_time;
    result.settle = c.settle_time;
    result.block = c.block_time;
    result.head = c.initial_head;
    result.highest = c.highest_cylinder;
    result.fcfs_skipped = c.skip_fcfs;
    result.down = c.start_down;
    return outcome;
  };
  result.run = RunApp(arguments, console, false, clock);
  result.logged = std::filesystem::exists(dir / "path.csv");
  result.log = ReadFile(dir / "path.csv");
  for (const char* option : {"-w:", "-s:", "-xw:"}) result.csv += ReadFile(dir / option);
  return result;
}

// The rows of one algorithm make its head's path: start on the initial
// head, then straight lines, moving one cylinder per seek period between
// move or turn and the next arrive or turn, standing still otherwise; a
// settle only after the head arrived; the serve rows account for every
// request and for the totals.
void CheckPath(const LoggedRun& r, Algo algo, const std::vector<LogRow>& rows) {
  SCOPED_TRACE(kNames[algo]);
  const Accounts& a = r.accounts[algo];
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows.front().event, "start");
  EXPECT_EQ(rows.front().tu, 0u);
  EXPECT_EQ(rows.front().cylinder, r.head);
  EXPECT_EQ(rows.back().event, "end");
  uint64_t moved = 0;
  uint64_t settled = 0;
  std::set<int64_t> requests;
  uint64_t wait_total = 0;
  uint64_t max_wait = 0;
  for (size_t i = 1; i < rows.size(); ++i) {
    const LogRow& p = rows[i - 1];
    const LogRow& q = rows[i];
    SCOPED_TRACE("row " + std::to_string(i) + ": " + q.event + " at " + std::to_string(q.tu));
    ASSERT_LE(p.tu, q.tu);
    EXPECT_TRUE(q.event != "start" && (q.event != "end" || i + 1 == rows.size()));
    const uint64_t distance = static_cast<uint64_t>(std::abs(q.cylinder - p.cylinder));
    const uint64_t span = q.tu - p.tu;
    moved += distance;
    if (p.event == "move" || p.event == "turn") {
      EXPECT_GT(distance, 0u);
      if (q.event == "end") {
        // A C-SCAN return still under way: its last move is counted whole.
        EXPECT_LE(span, distance * r.seek);
        EXPECT_GT(span + r.seek, distance * r.seek);
      } else {
        EXPECT_TRUE(q.event == "arrive" || q.event == "turn");
        EXPECT_EQ(span, distance * r.seek);
      }
    } else {
      EXPECT_EQ(distance, 0u);
      EXPECT_TRUE(q.event != "arrive" && q.event != "turn");
    }
    // Standing still between arriving and serving is the settle, unless
    // C-SCAN came back to cylinder 0 with nothing to serve until a request
    // arrived there.
    const bool cscan_bottom = algo == kCScan && q.cylinder == (r.down ? r.highest : 0);
    if (p.event == "arrive" && q.event == "serve" && span != 0 && !cscan_bottom) {
      EXPECT_EQ(span, static_cast<uint64_t>(r.settle));
      ++settled;
    }
    if (p.event == "serve") {
      EXPECT_GE(span, static_cast<uint64_t>(r.block));
    }
    if (q.event == "serve") {
      const uint64_t arrival = std::stoull(q.arrival);
      ASSERT_LE(arrival, q.tu);
      EXPECT_TRUE(requests.insert(std::stoll(q.request)).second) << "served twice";
      wait_total += q.tu - arrival;
      max_wait = std::max(max_wait, q.tu - arrival);
    } else {
      EXPECT_EQ(q.request + q.arrival, "");
    }
  }
  EXPECT_EQ(requests.size(), static_cast<size_t>(r.served));
  if (!requests.empty()) {
    EXPECT_EQ(*requests.begin(), 0);
    EXPECT_EQ(*requests.rbegin(), r.served - 1);
  }
  EXPECT_EQ(wait_total, a.wait_total);
  // FCFS's maximum is measured on the shortened clock (its rows are not).
  if (algo == kFcfs) {
    EXPECT_GE(max_wait, a.max_wait);
  } else {
    EXPECT_EQ(max_wait, a.max_wait);
  }
  // The seek total is the moves plus whole settles: those counted above,
  // and those of a C-SCAN back on cylinder 0, which are not told apart
  // there from standing idle.
  EXPECT_GE(static_cast<uint64_t>(a.seek_total), moved * r.seek + settled * r.settle);
  EXPECT_EQ((static_cast<uint64_t>(a.seek_total) - moved * r.seek) % std::max(r.settle, 1), 0u);
  if (r.settle == 0) {
    EXPECT_EQ(static_cast<uint64_t>(a.seek_total), moved * r.seek);
  }
}

// Every simulated algorithm has its rows, in column order, each a path that
// accounts for its totals; a request has one cylinder and arrival in all.
void CheckLog(const LoggedRun& r) {
  ASSERT_EQ(r.run.status, 0) << r.run.err;
  ASSERT_TRUE(r.logged);
  std::vector<LogRow> rows = ParseLog(r.log);
  std::vector<std::string> order;
  std::map<std::string, std::vector<LogRow>> by_algorithm;
  for (const LogRow& row : rows) {
    if (order.empty() || order.back() != row.algorithm) order.push_back(row.algorithm);
    by_algorithm[row.algorithm].push_back(row);
  }
  std::vector<std::string> expected(kNames + (r.fcfs_skipped ? 1 : 0), kNames + kAlgoCount);
  ASSERT_EQ(order, expected);
  std::map<std::string, std::pair<int64_t, std::string>> requests;
  for (int algo = r.fcfs_skipped ? kSstf : kFcfs; algo < kAlgoCount; ++algo) {
    CheckPath(r, static_cast<Algo>(algo), by_algorithm[kNames[algo]]);
    for (const LogRow& row : by_algorithm[kNames[algo]]) {
      if (row.event != "serve") continue;
      auto [it, fresh] = requests.try_emplace(row.request, row.cylinder, row.arrival);
      EXPECT_EQ(it->second, std::make_pair(row.cylinder, row.arrival)) << row.request;
    }
  }
}

// The exercise every textbook works: head 53, cylinders 0 to 199, all
// requests at time 0. With seek time 1 and settle time 0 the seek total is
// the number of cylinders crossed (the block time adds only to the total
// with block time), so the totals are the books' figures.
TEST(DirectionTest, TextbookExerciseInBothDirections) {
  const std::string kRequests = "0\n98 183 37 122 14 124 65 67 -1\n";
  const struct {
    const char* direction;
    int64_t seek[kAlgoCount];
  } kCases[] = {
      // S-LOOK (factor 0, constant 0) turns at once towards 14, the nearer
      // extreme, so it goes down either way.
      {"-u:1", {640, 236, 331, 382, 299, 322, 208}},
      {"-u:0", {640, 236, 236, 386, 208, 326, 208}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.direction);
    LoggedRun r =
        RunLogged(Quiet({"-t:0", "-i:53", "-m:200", "-e:1", "-st:0", "-b:1", "-wc:0", c.direction}),
                  kRequests);
    ASSERT_EQ(r.run.status, 0) << r.run.err;
    for (int algo = kFcfs; algo < kAlgoCount; ++algo) {
      EXPECT_THAT(r.run.out, HasSubstr(std::string("\n") + kNames[algo] +
                                       " total seek = " + std::to_string(c.seek[algo]) + "\n"));
    }
    CheckLog(r);
  }
  // Down, SCAN serves 37 and 14, turns on cylinder 0, then serves upwards.
  LoggedRun down = RunLogged(Quiet({"-t:0", "-i:53", "-m:200", "-b:1", "-u:0"}), kRequests);
  EXPECT_THAT(down.log, HasSubstr("SCAN,0,53,start,,\nSCAN,0,53,move,,\nSCAN,16,37,arrive,,\n"
                                  "SCAN,16,37,serve,2,0\nSCAN,17,37,move,,\nSCAN,40,14,arrive,,\n"
                                  "SCAN,40,14,serve,4,0\nSCAN,41,14,move,,\nSCAN,55,0,turn,,\n"
                                  "SCAN,120,65,arrive,,\n"));
}

// Runs of every kind: each workload mode, long seeks and settles that FCFS's
// tail shortcut cuts (its rows are in physical time nevertheless), C-SCAN
// returns still under way at the end, -FCFS, both directions. Giving -l:
// changes nothing else, to the byte: report, CSV rows, link messages.
TEST(PathLogTest, RowsDrawEachPathAndAccountForTheTotals) {
  const struct {
    std::vector<std::string> arguments;
    const char* console;
  } kCases[] = {
      {{"-t:300", "-n:2", "-p:30", "-r:7", "-m:500", "-i:250", "-e:3", "-st:4", "-b:2"}, ""},
      {{"-t:200", "-n:0", "-r:3", "-m:100", "-i:0", "-e:2", "-st:3", "-b:3"}, ""},
      {{"-t:200", "-n:0", "-r:3", "-m:100", "-i:0", "-e:2", "-st:3", "-b:3", "-FCFS"}, ""},
      {{"-t:120", "-a:50", "-tu:0.001", "-r:5", "-id", "-m:1000", "-i:999", "-e:1", "-b:4"}, ""},
      {{"-t:80", "-n:1", "-p:0.5", "-r:9", "-id", "-m:50", "-i:49", "-e:5", "-st:1", "-b:1"}, ""},
      {{"-t:0", "-i:5", "-m:10", "-e:2", "-st:2", "-b:2"}, "0\n5 5 9 0, 0 9 t20 3 3 12 -1\n"},
      {{"-t:0", "-i:99", "-m:100", "-e:1", "-b:1"}, "0\n99 t300 0 -1\n"},
  };
  for (const auto& c : kCases) {
    for (const char* direction : {"-u:1", "-u:0"}) {
      for (bool files : {false, true}) {
        std::vector<std::string> arguments = Quiet(c.arguments);
        arguments.insert(arguments.end(), {direction, "-f:1", "-rw:2", "-hw:7", "-c:5"});
        SCOPED_TRACE(::testing::PrintToString(arguments) + (files ? " with CSV files" : ""));
        LoggedRun logged = RunLogged(arguments, c.console, true, files);
        CheckLog(logged);
        LoggedRun plain = RunLogged(arguments, c.console, false, files);
        EXPECT_EQ(logged.run.out, plain.run.out);
        EXPECT_EQ(logged.run.err, plain.run.err);
        EXPECT_EQ(logged.csv, plain.csv);
        EXPECT_EQ(files, !logged.csv.empty());
        ASSERT_EQ(logged.run.posts.size(), plain.run.posts.size());
        for (size_t i = 0; i < plain.run.posts.size(); ++i) {
          EXPECT_EQ(logged.run.posts[i].message, plain.run.posts[i].message);
          EXPECT_EQ(logged.run.posts[i].wparam, plain.run.posts[i].wparam);
        }
      }
    }
  }
}

// A random manual list on a small disk: batches drawn mostly from a pool of
// a few cylinders (some beyond the disk, so cut to its highest), so equal
// cylinders and equal distances are everywhere, with gaps of all sizes.
struct ListCase {
  std::vector<std::string> arguments;  // without -i: and -u:
  int64_t highest = 0;
  int64_t head = 0;
  std::vector<int64_t> cylinders;  // in arrival order; -1 stands for a gap
  std::vector<std::string> gaps;

  // The requests file, each cylinder as `map` gives it.
  template <class Map>
  std::string List(Map map) const {
    std::string text = "0\n";
    size_t gap = 0;
    for (int64_t c : cylinders) text += c < 0 ? gaps[gap++] : " " + std::to_string(map(c));
    return text + " -1\n";
  }
};

ListCase DrawList(std::mt19937_64& rng) {
  auto uniform = [&rng](int64_t low, int64_t high) {
    return std::uniform_int_distribution<int64_t>(low, high)(rng);
  };
  auto pick = [&](std::initializer_list<int64_t> values) {
    return values.begin()[uniform(0, static_cast<int64_t>(values.size()) - 1)];
  };
  ListCase c;
  c.highest = pick({0, 1, 2, 9, 49, 199});
  c.head = uniform(0, 2) == 0 ? pick({0, c.highest}) : uniform(0, c.highest);
  std::vector<int64_t> pool;
  for (int64_t i = pick({1, 2, 3, 4}); i > 0; --i) {
    pool.push_back(uniform(0, 9) == 0 ? c.highest + uniform(1, 9) : uniform(0, c.highest));
  }
  for (int64_t batch = uniform(1, 8); batch > 0; --batch) {
    for (int64_t n = uniform(1, 6); n > 0; --n) {
      c.cylinders.push_back(uniform(0, 4) == 0
                                ? uniform(0, c.highest)
                                : pool[static_cast<size_t>(uniform(0, 3)) % pool.size()]);
    }
    c.cylinders.push_back(-1);
    c.gaps.push_back(uniform(0, 1) == 0 ? " ," : " t" + std::to_string(pick({0, 1, 3, 40})) + " ");
  }
  c.arguments =
      Quiet({"-t:0", "-m:" + std::to_string(c.highest + 1),
             "-e:" + std::to_string(pick({1, 1, 2, 3})), "-st:" + std::to_string(pick({0, 0, 2})),
             "-b:" + std::to_string(pick({1, 2, 5})), "-f:" + std::to_string(pick({0, 1, -2, 5})),
             "-wc:" + std::to_string(pick({0, 3, 50})), "-rw:" + std::to_string(pick({1, 2, 3}))});
  if (uniform(0, 6) == 0) c.arguments.push_back("-FCFS");
  if (uniform(0, 1) == 0) c.arguments.push_back("-id");  // no effect on a list
  return c;
}

std::vector<std::string> With(std::vector<std::string> arguments,
                              std::initializer_list<std::string> more) {
  arguments.insert(arguments.end(), more);
  return arguments;
}

// The report lines and log rows of one algorithm, but for the end row,
// which is at the end of the whole run.
std::string Lines(const std::string& text, const std::string& algorithm) {
  std::string lines;
  std::stringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(algorithm + " ", 0) == 0 ||
        (line.rfind(algorithm + ",", 0) == 0 && line.find(",end,") == std::string::npos)) {
      lines += line + "\n";
    }
  }
  return lines;
}

// Down is up on the mirrored disk: -u:0 on a list gives exactly the up-run
// on the list with every cylinder c (the head's too) read as highest - c,
// report and log alike (the log names the cylinders of the real disk). FCFS
// and SSTF do not depend on the direction: their distances are the same
// either way, and SSTF breaks equal distances by queue order, not by side.
TEST(DirectionTest, DownIsUpOnTheMirroredDisk) {
  std::mt19937_64 rng(19);
  for (int index = 0; index < 200; ++index) {
    const ListCase c = DrawList(rng);
    const int64_t highest = c.highest;
    auto same = [](int64_t v) { return v; };
    auto mirror = [highest](int64_t v) { return highest - std::min(v, highest); };
    const std::string head = "-i:" + std::to_string(c.head);
    const std::string mirrored_head = "-i:" + std::to_string(highest - c.head);
    SCOPED_TRACE("case " + std::to_string(index) + ": " + ::testing::PrintToString(c.arguments) +
                 " " + head + " <<< " + c.List(same));
    LoggedRun down = RunLogged(With(c.arguments, {head, "-u:0"}), c.List(same));
    LoggedRun up_mirrored = RunLogged(With(c.arguments, {mirrored_head}), c.List(mirror));
    LoggedRun up = RunLogged(With(c.arguments, {head, "-u:1"}), c.List(same));
    ASSERT_EQ(down.run.status, 0) << down.run.err;
    EXPECT_EQ(down.run.out, up_mirrored.run.out);
    std::vector<LogRow> rows = ParseLog(down.log);
    for (LogRow& row : rows) row.cylinder = highest - row.cylinder;
    EXPECT_EQ(FormatLog(rows), up_mirrored.log);
    for (const char* unchanged : {"FCFS", "SSTF"}) {
      EXPECT_EQ(Lines(down.run.out, unchanged), Lines(up.run.out, unchanged));
      EXPECT_EQ(Lines(down.log, unchanged), Lines(up.log, unchanged));
    }
    CheckLog(down);
    CheckLog(up);
  }
}

TEST(DirectionTest, OptionsAreReadStrictly) {
  const std::string kList = "0\n2 8 -1\n";
  const std::vector<std::string> kRun = Quiet({"-t:0", "-i:5", "-m:10"});
  const std::string up = RunApp(kRun, kList).out;
  EXPECT_EQ(RunApp(With(kRun, {"-u:1"}), kList).out, up);
  const std::string down = RunApp(With(kRun, {"-u:0"}), kList).out;
  EXPECT_NE(down, up);
  EXPECT_EQ(RunApp(With(kRun, {"-U:0"}), kList).out, down);
  EXPECT_EQ(RunApp(With(kRun, {"-u:0", "-u:1"}), kList).out, up);  // the last one wins
  TempDir dir;
  for (const std::string& bad : std::vector<std::string>{
           "-u:2", "-u:", "-u", "-u:00", "-u: 0", "-u:1x", "-ux0", "-up", "-l", "-l:", "-lx:a.csv",
           "-log", "-l:/nonexistent/folder/path.csv", "-l:" + dir.path().string()}) {
    SCOPED_TRACE(bad);
    AppRun run = RunApp(With(kRun, {bad}), kList);
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, StartsWith("schedule: "));
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;  // one line
    EXPECT_THAT(run.out, ::testing::Not(HasSubstr("Simulation Started")));
  }
}

// The log is written when a run completes, replacing an older one; a
// stopped run leaves the file as it was.
TEST(PathLogTest, WrittenOnlyWhenTheRunCompletes) {
  TempDir dir;
  const std::string path = dir / "path.csv";
  const std::vector<std::string> kRun = Quiet({"-t:50", "-n:0", "-r:1", "-hw:7", "-l:" + path});
  {
    std::ofstream old(path);
    old << "old\n";
  }
  EXPECT_EQ(RunApp(kRun, "", true).status, 0);
  EXPECT_EQ(ReadFile(path), "old\n");
  std::filesystem::remove(path);
  RunApp(kRun, "", true);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(RunApp(kRun).status, 0);
  EXPECT_THAT(ReadFile(path), StartsWith("algorithm,tu,cylinder,event,request,arrival\nFCFS,0,0,"));
  // A log that cannot be written in full is a failure, not a success.
  if (std::filesystem::exists("/dev/full")) {
    AppRun full = RunApp(Quiet({"-t:50", "-n:0", "-r:1", "-l:/dev/full"}));
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err,
              "schedule: the head-path log \"/dev/full\" could not be written completely\n");
  }
}

}  // namespace
}  // namespace schedule
