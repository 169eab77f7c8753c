#include "frontend/model/common/utilities.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "frontend/model/runs/simulator_list.h"

namespace trakvist {
namespace {

TEST(UtilitiesTest, AppFolderEndsInOneSeparatorAndFileNameFollowsTheLast) {
  EXPECT_EQ(MakeAppFolder("/opt/trakvist"), "/opt/trakvist/");
  EXPECT_EQ(MakeAppFolder("/opt/trakvist/"), "/opt/trakvist/");
  EXPECT_EQ(MakeAppFolder("/"), "/");
  EXPECT_EQ(FileNameOf("/home/u/run.sim"), "run.sim");
  EXPECT_EQ(FileNameOf("run.sim"), "run.sim");
  EXPECT_EQ(FileNameOf("/home/u/"), "");
  EXPECT_EQ(FileNameOf("C:\\a\\b.sim", '\\'), "b.sim");
}

TEST(UtilitiesTest, CentringAndMinMaxHandleHalvesAndNonNumbers) {
  EXPECT_EQ(CenterLeft(1025, 800), 112);  // 112.5
  EXPECT_EQ(CenterLeft(1027, 800), 114);  // 113.5
  EXPECT_EQ(CenterTop(600, 801), -100);   // -100.5
  EXPECT_EQ(CenterTop(600, 803), -102);   // -101.5
  EXPECT_EQ(CenterLeft(1e300, 0), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(CenterLeft(std::nan(""), 0), 0);
  EXPECT_EQ(MaxInt16(-3, 2), 2);
  EXPECT_EQ(MaxInt32(-3, -9), -3);
  // Min and max take the second unless the comparison holds, so non-numbers
  // pass through one way and not the other.
  EXPECT_EQ(MinDouble(std::nan(""), 1.0), 1.0);
  EXPECT_TRUE(std::isnan(MaxDouble(1.0, std::nan(""))));
}

TEST(SimulatorListTest, ListsExecutablesOtherThanTheFrontEndFirstSelected) {
  SimulatorList list = RefreshSimulatorList({{"Disks.ini", true, false},
                                             {"TRAKVIST", true, true},
                                             {"schedule", true, true},
                                             {"tools", false, true},
                                             {"Schedule-Fast", true, true}});
  EXPECT_THAT(list.names, testing::ElementsAre("schedule", "Schedule-Fast"));
  EXPECT_EQ(list.selected, 0);
  list = RefreshSimulatorList({{"Trakvist", true, true}, {"tv-gui", true, true}}, "TV-GUI");
  EXPECT_THAT(list.names, testing::ElementsAre("Trakvist"));
  list = RefreshSimulatorList({{"Trakvist", true, true}});
  EXPECT_TRUE(list.names.empty());
  EXPECT_EQ(list.selected, -1);
}

}  // namespace
}  // namespace trakvist
