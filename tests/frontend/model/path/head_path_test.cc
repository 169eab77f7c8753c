#include "frontend/model/path/head_path.h"

#include <gtest/gtest.h>

#include <string>

namespace trakvist {
namespace {

// Head at 50; request 0 (cylinder 52) and 1 (cylinder 40) arrive at TU 0
// and 3; SSTF serves 52 first, then goes down to 40.
constexpr char kLog[] =
    "algorithm,tu,cylinder,event,request,arrival\r\n"
    "SSTF,0,50,start,,\r\n"
    "SSTF,0,50,move,,\r\n"
    "SSTF,2,52,arrive,,\r\n"
    "SSTF,2,52,serve,0,0\r\n"
    "SSTF,4,52,move,,\r\n"
    "SSTF,16,40,arrive,,\r\n"
    "SSTF,16,40,serve,1,3\r\n"
    "SSTF,18,40,end,,\r\n";

TEST(HeadPathTest, ReadsTheLogAndAnswersWhatTheTabShows) {
  const HeadPathRead read = ReadHeadPath(kLog);
  ASSERT_TRUE(read.path) << read.problem;
  ASSERT_EQ(read.path->algorithms.size(), 1u);
  const AlgorithmPath& sstf = read.path->algorithms[0];
  const std::vector<ServedRequest> order = ServiceOrder(sstf);
  ASSERT_EQ(order.size(), 2u);
  EXPECT_EQ(order[1].order, 2);
  EXPECT_EQ(order[1].cylinder, 40);
  EXPECT_EQ(order[1].Wait(), 13);
  EXPECT_DOUBLE_EQ(AverageWait(sstf), 7.5);
  EXPECT_EQ(NextServe({&sstf}, 0), 2);
  EXPECT_EQ(NextServe({&sstf}, 2), 16);
  EXPECT_EQ(NextServe({&sstf}, 16), std::nullopt);
  EXPECT_DOUBLE_EQ(HeadAt(sstf, 1), 51);
  EXPECT_DOUBLE_EQ(HeadAt(sstf, 10), 46);
  EXPECT_DOUBLE_EQ(HeadAt(sstf, 99), 40);
  // At TU 3 request 1 has arrived and request 0 is served; at 2 neither waits.
  EXPECT_TRUE(WaitingAt(sstf, 2).empty());
  ASSERT_EQ(WaitingAt(sstf, 3).size(), 1u);
  EXPECT_EQ(WaitingAt(sstf, 3)[0].request, 1);
  EXPECT_TRUE(WaitingAt(sstf, 16).empty());
}

TEST(HeadPathTest, RefusesDamagedLogsNamingTheLine) {
  const std::string good = kLog;
  const struct {
    std::string text;
    const char* problem;
  } kCases[] = {
      {"", "the head-path log is empty"},
      {"algorithm,tu\r\n", "line 1 of the head-path log: not the log's header"},
      {good.substr(0, good.rfind("SSTF,18")), "the head-path log ends before the end of SSTF"},
      {good + "SSTF,19,40,end,,\r\n", "line 10 of the head-path log: SSTF: it goes on after"},
      {good + "LOOK,0,50,move,,\r\n", "line 10 of the head-path log: LOOK: it does not start"},
      {good + "LOOK,0,50,start,,\r\nSSTF,20,1,end,,\r\n", "line 11 of the head-path log: the "
                                                          "rows of SSTF are not together"},
      {std::string(kLog).replace(good.find("16,40,serve,1,3"), 15, "16,40,serve,1,17"),
       "line 8 of the head-path log: a serve names"},
      {std::string(kLog).replace(good.find("4,52,move"), 9, "1,52,move"),
       "line 6 of the head-path log: SSTF: its rows go back in time"},
      {std::string(kLog).replace(good.find("move,,"), 6, "move,1,"),
       "line 3 of the head-path log: only a serve names"},
      {std::string(kLog).replace(good.find("move,,"), 6, "jump,,"),
       "line 3 of the head-path log: \"jump\" is no event"},
      {std::string(kLog).replace(good.find("0,50,start,,"), 12, "0,-50,start,,"),
       "line 2 of the head-path log: the time and cylinder"},
  };
  for (const auto& c : kCases) {
    const HeadPathRead read = ReadHeadPath(c.text);
    EXPECT_FALSE(read.path) << c.problem;
    EXPECT_EQ(read.problem.rfind(c.problem, 0), 0u) << read.problem;
  }
}

// A path of a million rows draws as a few points per column, keeping its
// extremes and ends.
TEST(HeadPathTest, ThinnedPathKeepsAtMostFourPointsAColumn) {
  AlgorithmPath path{"SCAN", {}};
  for (std::int64_t t = 0; t < 1'000'000; ++t) {
    path.events.push_back({t, (t * 7919) % 1000, PathEventKind::kMove});
  }
  const std::vector<PathPoint> points = ThinnedPath(path, 0, 999'999, 500);
  EXPECT_LE(points.size(), 4u * 501);
  EXPECT_EQ(points.front().tu, 0);
  EXPECT_EQ(points.back().tu, 999'999);
  std::int64_t lowest = 1000;
  std::int64_t highest = -1;
  for (const PathPoint& point : points) {
    lowest = std::min(lowest, point.cylinder);
    highest = std::max(highest, point.cylinder);
  }
  EXPECT_EQ(lowest, 0);
  EXPECT_EQ(highest, 999);
}

}  // namespace
}  // namespace trakvist
