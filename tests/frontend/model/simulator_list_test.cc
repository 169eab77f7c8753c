#include "frontend/model/simulator_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace trakvist {
namespace {

using testing::ElementsAre;

TEST(SimulatorListTest, ListsExecutableFilesOtherThanTheFrontEnd) {
  const std::vector<FolderEntry> entries = {
      {"Disks.ini", true, false},    {"TRAKVIST", true, true},   {"schedule", true, true},
      {"tools", false, true},        {"libfoo.so", true, false}, {"trakVist", true, true},
      {"Schedule-Fast", true, true},
  };
  const SimulatorList list = RefreshSimulatorList(entries);
  EXPECT_THAT(list.names, ElementsAre("schedule", "Schedule-Fast"));
  EXPECT_EQ(list.selected, 0);
}

TEST(SimulatorListTest, EmptyWhenNothingQualifies) {
  EXPECT_EQ(RefreshSimulatorList({}).selected, -1);
  const SimulatorList list = RefreshSimulatorList({{"Trakvist", true, true}});
  EXPECT_TRUE(list.names.empty());
  EXPECT_EQ(list.selected, -1);
}

TEST(SimulatorListTest, OwnNameCanBeGiven) {
  const SimulatorList list =
      RefreshSimulatorList({{"Trakvist", true, true}, {"tv-gui", true, true}}, "TV-GUI");
  EXPECT_THAT(list.names, ElementsAre("Trakvist"));
}

}  // namespace
}  // namespace trakvist
