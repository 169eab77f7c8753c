#include "frontend/model/result_files.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace trakvist {
namespace {

constexpr char kLabels[] = ",FCFS,SSTF,SCAN,C-SCAN,LOOK,C-LOOK,S-LOOK,BO-PATH,SATF\r\n";

// A data row: empty first column, then base + a for algorithm a.
std::string Row(int base) {
  std::string row;
  for (int a = 1; a <= kAlgorithmCount; ++a) row += "," + std::to_string(base + a);
  return row + "\r\n";
}

SweepResults Read(const std::string& seek, const std::string& wait, const std::string& max_wait,
                  std::int32_t runs) {
  std::istringstream seek_in(seek), wait_in(wait), max_in(max_wait);
  return ReadResultFiles(seek_in, wait_in, max_in, runs);
}

TEST(ReadResultFilesTest, FillsEachMetricFromItsFile) {
  const SweepResults results = Read(kLabels + Row(100) + Row(200), kLabels + Row(1000),
                                    kLabels + Row(10000) + Row(20000), 3);
  ASSERT_EQ(results.RunCount(), 3);
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    EXPECT_EQ(results.Get(Metric::kTotalSeekTime, a, 1), 100 + a);
    EXPECT_EQ(results.Get(Metric::kAverageWaitingTime, a, 1), 1000 + a);
    EXPECT_EQ(results.Get(Metric::kMaximumWaitingTime, a, 1), 10000 + a);
    // The waiting-time file ended after one row, so reading stopped there.
    EXPECT_EQ(results.Get(Metric::kTotalSeekTime, a, 2), 0);
    EXPECT_EQ(results.Get(Metric::kMaximumWaitingTime, a, 2), 0);
  }
}

TEST(ReadResultFilesTest, IgnoresRowsBeyondTheRunCount) {
  const std::string rows = kLabels + Row(100) + Row(200) + Row(300);
  const SweepResults results = Read(rows, rows, rows, 2);
  EXPECT_EQ(results.Get(Metric::kTotalSeekTime, 5, 2), 205);
  EXPECT_FALSE(results.Contains(5, 3));
  EXPECT_EQ(Read(rows, rows, rows, -4).RunCount(), 0);
  // A huge claimed run count allocates nothing until values arrive.
  EXPECT_EQ(Read(rows, rows, rows, 2147483647).Get(Metric::kTotalSeekTime, 9, 2147483647), 0);
}

TEST(ReadResultFilesTest, TakesFieldsAcrossLineEndsByTheLeadingNumberRule) {
  const std::string seek = "label\n,1,2,3\n4,5\r\n6,7,8,9\n\n";
  const std::string wait = "label\n,2.5,1e+06,x7,4,5,6,7,8, 9.5";
  const SweepResults results = Read(seek, wait, "x\n" + Row(0), 5);
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    EXPECT_EQ(results.Get(Metric::kTotalSeekTime, a, 1), a);
  }
  EXPECT_EQ(results.Get(Metric::kAverageWaitingTime, 2, 1), 1e6);
  EXPECT_EQ(results.Get(Metric::kAverageWaitingTime, 3, 1), 0);
  EXPECT_EQ(results.Get(Metric::kAverageWaitingTime, 9, 1), 9.5);
  EXPECT_EQ(Read(seek, wait, "label only", 5).Get(Metric::kTotalSeekTime, 1, 1), 0);
}

}  // namespace
}  // namespace trakvist
