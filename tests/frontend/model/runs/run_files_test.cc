#include "frontend/model/runs/run_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "run_test_support.h"

namespace trakvist {
namespace {

TEST(TemporaryFilesTest, FourNamesInTheFolder) {
  for (const char* folder : {"/opt/trakvist", "/opt/trakvist/"}) {
    const TemporaryFiles files = MakeTemporaryFiles(folder);
    EXPECT_EQ(files.avg_wait, "/opt/trakvist/wsim_tmp$$~1.csv");
    EXPECT_EQ(files.seek, "/opt/trakvist/ssim_tmp$$~1.csv");
    EXPECT_EQ(files.max_wait, "/opt/trakvist/xwsim_tmp$$~1.csv");
    EXPECT_EQ(files.manual_requests, "/opt/trakvist/man_tmp$$~1.txt");
  }
}

TEST(TakeAppendedRowsTest, CountsOnlyWhatWasAddedAndChecksEachRow) {
  const struct {
    std::string added;
    std::int64_t rows;
    bool well_formed;
  } kSteps[] = {
      {kLabelRow + DataRow(0), 2, true},
      {DataRow(10), 1, true},
      {"", 0, true},
      {",1,2,3,4,5,6,7,8,0\r\n", 1, true},   // line ends of another system
      {",1,2\r,3,4,5,6,7,8,0\n", 1, false},  // a field ended by a lone CR
      {",1,2,3\n", 1, false},                // too few fields
      {",1,2,3,4", 0, false},                // a row cut short
  };
  FakeFiles files;
  ResultFileTally tally{"/f.csv"};
  EXPECT_FALSE(TakeAppendedRows(&files, &tally).readable);  // not there yet
  std::uint64_t bytes = 0;
  for (const auto& step : kSteps) {
    files.contents["/f.csv"] += step.added;
    const AppendedRows appended = TakeAppendedRows(&files, &tally);
    bytes += step.added.size();
    EXPECT_TRUE(appended.readable);
    EXPECT_EQ(appended.rows, step.rows) << step.added;
    EXPECT_EQ(appended.well_formed, step.well_formed) << step.added;
    EXPECT_EQ(tally.bytes, bytes);
  }
}

TEST(RunFilesOnDiskTest, RemovesAndOpensRealFiles) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("trakvist_run_files_test_" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(folder);
  const TemporaryFiles paths = MakeTemporaryFiles(folder.string());
  for (const std::string& path : {paths.avg_wait, paths.seek}) std::ofstream(path) << kLabelRow;
  DiskFileAccess disk;
  ResultFileTally tally{paths.seek};
  EXPECT_EQ(TakeAppendedRows(&disk, &tally).rows, 1);
  DeleteTemporaryFiles(paths, &disk);  // two of the four do not exist
  EXPECT_EQ(disk.OpenForReading(paths.avg_wait), nullptr);
  EXPECT_EQ(disk.OpenForReading(paths.seek), nullptr);
  std::filesystem::remove_all(folder);
}

TEST(ReadRunResultsTest, ReadsTheThreeFilesOrNamesTheOneMissing) {
  FakeFiles files;
  const TemporaryFiles paths = MakeTemporaryFiles("/t");
  WriteRunRows(&files, paths, 1);
  WriteRunRows(&files, paths, 2);
  std::string unreadable;
  const std::optional<SweepResults> results = ReadRunResults(&files, paths, 2, &unreadable);
  ASSERT_TRUE(results);
  EXPECT_EQ(results->Get(Metric::kTotalSeekTime, 3, 2), 2003);
  EXPECT_EQ(results->Get(Metric::kAverageWaitingTime, 9, 1), 109);
  EXPECT_EQ(results->Get(Metric::kMaximumWaitingTime, 1, 2), 21);
  files.contents.erase(paths.max_wait);
  EXPECT_FALSE(ReadRunResults(&files, paths, 2, &unreadable));
  EXPECT_EQ(unreadable, paths.max_wait);
}

}  // namespace
}  // namespace trakvist
