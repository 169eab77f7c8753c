#include "frontend/model/runs/run_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_test_support.h"

namespace trakvist {
namespace {

const RunRowPaths kPaths = {"/r/1.s.csv", "/r/1.w.csv", "/r/1.xw.csv"};

void WriteAll(FakeFiles* files, const std::string& text) {
  for (const std::string& path : kPaths) files->contents[path] = text;
}

TEST(ReadRunRowsTest, TakesTheOneDataRowOfEachFile) {
  FakeFiles files;
  files.contents[kPaths[0]] = kLabelRow + DataRow(1000);
  files.contents[kPaths[1]] = kLabelRow + DataRow(100);
  files.contents[kPaths[2]] = kLabelRow + DataRow(10);
  const RunRowsRead read = ReadRunRows(files, kPaths);
  ASSERT_EQ(read.status, RunRowsStatus::kRead) << read.problem;
  EXPECT_EQ(read.rows[0], DataRow(1000));
  EXPECT_EQ(read.rows[1], DataRow(100));
  EXPECT_EQ(read.rows[2], DataRow(10));
}

TEST(ReadRunRowsTest, RefusesEveryOtherContentNamingTheFile) {
  const struct {
    std::string text;
    std::string problem;
  } kCases[] = {
      {"", "is empty."},
      {kLabelRow, "holds no results row."},
      {kLabelRow + DataRow(1) + DataRow(2), "holds more than one results row."},
      {kLabelRow + ",1,2,3\n", "holds a results row without ten fields."},
      {kLabelRow + ",1,2,3,4", "ends in a row cut short."},
      {DataRow(1) + DataRow(2), "does not start with the label row."},
      {std::string("\n") + DataRow(2), "does not start with the label row."},
      {kLabelRow + "\n", "holds a results row without ten fields."},
      // The results reader ends a field at a carriage return too, so this
      // row would give eleven values and shift the next run's.
      {kLabelRow + "0,1,2,\r3,4,5,6,7,0,0\n", "holds a results row without ten fields."},
      {kLabelRow + "0,1,2,3,4,5,6,7,0,0\r\r\n", "holds a results row without ten fields."},
  };
  for (const auto& c : kCases) {
    FakeFiles files;
    WriteAll(&files, kLabelRow + DataRow(0));
    files.contents[kPaths[1]] = c.text;
    const RunRowsRead read = ReadRunRows(files, kPaths);
    EXPECT_EQ(read.status, RunRowsStatus::kDamaged) << c.text;
    EXPECT_EQ(read.problem, kPaths[1] + " " + c.problem) << c.text;
  }
}

TEST(ReadRunRowsTest, TakesRowsEndingInCrLf) {
  FakeFiles files;
  WriteAll(&files, kLabelRow + "0,1,2,3,4,5,6,7,0,0\r\n");
  EXPECT_EQ(ReadRunRows(files, kPaths).status, RunRowsStatus::kRead);
}

TEST(ReadRunRowsTest, TellsAMissingFileFromAnUnreadableOne) {
  FakeFiles files;
  WriteAll(&files, kLabelRow + DataRow(0));
  files.contents.erase(kPaths[2]);
  EXPECT_EQ(ReadRunRows(files, kPaths).status, RunRowsStatus::kMissing);
  files.contents[kPaths[2]] = kLabelRow + DataRow(0);
  files.unreadable.insert(kPaths[0]);
  const RunRowsRead read = ReadRunRows(files, kPaths);
  EXPECT_EQ(read.status, RunRowsStatus::kDamaged);
  EXPECT_EQ(read.problem, kPaths[0] + " could not be read.");
}

TEST(JoinRunRowsTest, GivesTheResultsOfOneSharedSetOfFiles) {
  FakeFiles shared;
  const TemporaryFiles paths = MakeTemporaryFiles("/t");
  std::vector<RunRows> runs;
  for (int run = 1; run <= 4; ++run) {
    WriteRunRows(&shared, paths, run);
    runs.push_back({DataRow(1000 * run), DataRow(100 * run), DataRow(10 * run)});
  }
  std::string unreadable;
  const std::optional<SweepResults> expected = ReadRunResults(&shared, paths, 4, &unreadable);
  ASSERT_TRUE(expected);
  const SweepResults joined = JoinRunRows(runs);
  ASSERT_EQ(joined.RunCount(), 4);
  for (Metric metric :
       {Metric::kTotalSeekTime, Metric::kAverageWaitingTime, Metric::kMaximumWaitingTime}) {
    for (int run = 1; run <= 4; ++run) {
      for (int a = 1; a <= kAlgorithmCount; ++a) {
        EXPECT_EQ(joined.Get(metric, a, run), expected->Get(metric, a, run));
      }
    }
  }
  EXPECT_EQ(joined.Get(Metric::kTotalSeekTime, 2, 3), 3002);
  EXPECT_EQ(JoinRunRows({}).RunCount(), 0);
}

}  // namespace
}  // namespace trakvist
