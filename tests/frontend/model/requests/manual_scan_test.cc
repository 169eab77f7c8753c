#include "frontend/model/requests/manual_scan.h"

#include <gtest/gtest.h>

#include <optional>

namespace trakvist {
namespace {

constexpr std::optional<std::int64_t> kCylinders = std::nullopt;
constexpr std::optional<std::int64_t> kLba600x4 = 2400;

struct ScanCase {
  const char* text;
  std::optional<std::int64_t> lba;
  std::optional<std::int32_t> count;  // nothing: the scan fails
  std::int32_t max_cylinder = -1;
};

TEST(ManualScanTest, CountsRequestsAndFindsTheLargestCylinder) {
  const ScanCase cases[] = {
      {"10 20 30 ", kCylinders, 3, 30},
      {"", kCylinders, 0, -1},
      {"t5 ,, - ", kCylinders, 0, -1},
      // The digits after ":" are a block number, after "t" an idle count.
      {"10:5 20 ", kCylinders, 2, 20},
      {"5:999 7 ", kCylinders, 2, 7},
      {"t5 100 ", kCylinders, 1, 100},
      {"t 5 100 ", kCylinders, 2, 100},
      {"10t5 3 ", kCylinders, 2, 10},
      {"1:2:3 4 ", kCylinders, 2, 4},
      // Anything else separates numbers, and the last one is closed at the end.
      {"10,20-30\r\n4x50", kCylinders, 5, 50},
      {"0000000000012 ", kCylinders, 1, 12},
      // A block number is never used, so it may be of any length.
      {"1:99999999999 ", kCylinders, 1, 1},
      {"2147483647 ", kCylinders, 1, 2147483647},
      {"2147483648 ", kCylinders, std::nullopt},
      {"1 99999999999999999999999 ", kCylinders, std::nullopt},
      // LBA: 600 blocks per track and 4 heads make 2400 blocks a cylinder.
      {"4800 ", kLba600x4, 1, 2},
      {"2399 ", kLba600x4, 1, 0},
      {"2400 t7 ", kLba600x4, 1, 1},
      {"2147483647 ", 2147483647LL * 2147483647LL, 1, 0},
      {"10:5 20 ", kLba600x4, std::nullopt},
      {"10 t: ", kLba600x4, std::nullopt},
      {"10 ", 0, std::nullopt},
  };
  for (const ScanCase& c : cases) {
    const std::optional<ManualScan> found = ScanManualRequests(c.text, c.lba);
    ASSERT_EQ(found.has_value(), c.count.has_value()) << c.text;
    if (!found) continue;
    EXPECT_EQ(found->count, *c.count) << c.text;
    EXPECT_EQ(found->max_cylinder, c.max_cylinder) << c.text;
  }
}

TEST(ManualScanTest, SplitsTheConfigurationLineAtAnyLineEnd) {
  struct Case {
    const char* contents;
    std::optional<RequestsFileText> parts;
  };
  const Case cases[] = {
      {"0\r\n10 20", RequestsFileText{"0", "10 20"}},
      {"1\n5\r\n6", RequestsFileText{"1", "5\r\n6"}},
      {"1\r5", RequestsFileText{"1", "5"}},
      {"\r\n5", RequestsFileText{"", "5"}},
      {"0\r\n", RequestsFileText{"0", ""}},
      {"0\n\r\n5", RequestsFileText{"0", "\r\n5"}},
      {"", std::nullopt},
      {"0 10 20", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<RequestsFileText> parts = SplitRequestsFile(c.contents);
    ASSERT_EQ(parts.has_value(), c.parts.has_value()) << c.contents;
    if (!parts) continue;
    EXPECT_EQ(parts->configuration_line, c.parts->configuration_line) << c.contents;
    EXPECT_EQ(parts->requests, c.parts->requests) << c.contents;
  }
  EXPECT_TRUE(ConfigurationIsLba(" 2 LBA"));
  EXPECT_FALSE(ConfigurationIsLba(""));
  EXPECT_FALSE(ConfigurationIsLba("LBA 1"));
}

TEST(ManualScanTest, TextsOfTheRequestsFileAndTheCylinderQuestion) {
  EXPECT_EQ(RequestsFileContents("0", "10 20 30 "), "0\r\n10 20 30  -1\r\n");
  EXPECT_EQ(CylinderQuestion(1001),
            "The manual requests contains 1001 cylinder numbers which is higher than the 'Total "
            "Number of Cylinders' you specificed. Do you want to change the 'Total Number of "
            "Cylinders' to 1001");
  EXPECT_FALSE(NeedsWaitWindow(40000));
  EXPECT_TRUE(NeedsWaitWindow(40001));
}

TEST(ManualScanTest, TellsFilePathsFromTypedRequests) {
  const struct {
    const char* text;
    bool path;
  } cases[] = {
      {"/home/u/requests.txt", true},
      {"C:\\Trakvist\\requests.txt", true},
      {"d:\\", true},
      {"10 20 /3", false},
      {"", false},
      {"C:", false},
      {"C:/requests.txt", false},
      {"10:\\5", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsFilePath(c.text), c.path) << c.text;
}

}  // namespace
}  // namespace trakvist
