#include "frontend/model/utilities.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace trakvist {
namespace {

TEST(UtilitiesTest, AppFolderEndsInExactlyOneSeparator) {
  EXPECT_EQ(MakeAppFolder("/opt/trakvist"), "/opt/trakvist/");
  EXPECT_EQ(MakeAppFolder("/opt/trakvist/"), "/opt/trakvist/");
  EXPECT_EQ(MakeAppFolder("/opt/trakvist//"), "/opt/trakvist/");
  EXPECT_EQ(MakeAppFolder("/"), "/");
  EXPECT_EQ(MakeAppFolder("C:\\", '\\'), "C:\\");
  EXPECT_EQ(MakeAppFolder("C:\\Trakvist", '\\'), "C:\\Trakvist\\");
}

TEST(UtilitiesTest, FileNameOf) {
  EXPECT_EQ(FileNameOf("/home/u/run.sim"), "run.sim");
  EXPECT_EQ(FileNameOf("run.sim"), "run.sim");
  EXPECT_EQ(FileNameOf("/home/u/"), "");
  EXPECT_EQ(FileNameOf("C:\\a\\b.sim", '\\'), "b.sim");
  EXPECT_EQ(FileNameOf("C:\\a\\b.sim"), "C:\\a\\b.sim");
}

TEST(UtilitiesTest, CentringRoundsHalvesToEven) {
  EXPECT_EQ(CenterLeft(1920, 800), 560);
  EXPECT_EQ(CenterLeft(1025, 800), 112);  // 112.5
  EXPECT_EQ(CenterLeft(1027, 800), 114);  // 113.5
  EXPECT_EQ(CenterTop(600, 801), -100);   // -100.5
  EXPECT_EQ(CenterTop(600, 803), -102);   // -101.5
  EXPECT_EQ(CenterTop(1000, 400.6), 300);
  EXPECT_EQ(CenterLeft(1e300, 0), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(CenterLeft(std::nan(""), 0), 0);
}

TEST(UtilitiesTest, MinAndMax) {
  EXPECT_EQ(MaxInt16(-3, 2), 2);
  EXPECT_EQ(MaxInt16(7, 2), 7);
  EXPECT_EQ(MaxInt32(-3, -9), -3);
  EXPECT_EQ(MinDouble(1.5, -2.0), -2.0);
  EXPECT_EQ(MaxDouble(1.5, -2.0), 1.5);
  // With a non-number the rule decides: the second unless the comparison holds.
  EXPECT_EQ(MinDouble(std::nan(""), 1.0), 1.0);
  EXPECT_TRUE(std::isnan(MaxDouble(1.0, std::nan(""))));
}

}  // namespace
}  // namespace trakvist
