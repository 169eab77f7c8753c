#include "frontend/model/disks/disk_types.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "frontend/model/common/number_text.h"
#include "tests/frontend/model/disks/fake_catalogue_file_access.h"

namespace trakvist {
namespace {

using ::testing::ElementsAre;

constexpr const char* kPath = "/app/Disks.ini";
constexpr const char* kThreeDisks =
    "[Disk1]\r\nName=Default\r\nNumber of Cylinders=1000\r\nBlocks Per Track=600\r\n"
    "Number of Heads=4\r\nFull Seek Time=10\r\nRotational Speed=5000\r\n\r\n"
    "[Disk2]\r\nName=Wide\r\nNumber of Cylinders=4000\r\n\r\n"
    "[Disk3]\r\nName=Slow\r\nRotational Speed=3600\r\n\r\n";

std::string ShippedCatalogue() {
  std::ifstream stream(std::string(TRAKVIST_DATA_DIR) + "/Disks.ini", std::ios::binary);
  return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

class DiskTypesTest : public ::testing::Test {
 protected:
  void Start(const std::string& catalogue) {
    files_.Put(kPath, catalogue);
    types_.path = kPath;
    LoadDiskTypes(&types_, &panel_, files_);
  }

  std::string Field(int index) const { return panel_.cparam[index].text; }

  FakeCatalogueFileAccess files_;
  DiskTypes types_;
  ParametersPanel panel_ = StartParametersPanel();
};

TEST_F(DiskTypesTest, ShippedDefaultGivesExactlyThePanelsStartValues) {
  Start(ShippedCatalogue());
  EXPECT_EQ(panel_.disk_list_text, "Default");
  EXPECT_EQ(types_.window.disk_list2_text, "Default");
  EXPECT_EQ(types_.current, types_.catalogue.disks[0]);
  EXPECT_FALSE(panel_.disk_type_applying);
  const ParametersPanel start = StartParametersPanel();
  for (const int i : {8, 9, 10, 13, 14, 15}) EXPECT_EQ(Field(i), start.cparam[i].text) << i;
  // Seconds per TU is written as number text: the same number as "0.00001".
  EXPECT_EQ(Field(12), "1E-05");
  EXPECT_EQ(LeadingNumber(Field(12)), LeadingNumber(start.cparam[12].text));
}

TEST_F(DiskTypesTest, WithoutDefaultTheListKeepsItsText) {
  panel_.disk_list_text = "Custom ...";
  Start("[Disk1]\r\nName=Other\r\n");
  EXPECT_EQ(panel_.disk_list_text, "Custom ...");
  EXPECT_EQ(Field(10), "1000");
}

TEST_F(DiskTypesTest, ChoosingADiskAppliesItWithoutMakingItCustom) {
  Start(kThreeDisks);
  DiskList_Click(&types_, &panel_, 1);
  EXPECT_EQ(panel_.disk_list_text, "Wide");
  EXPECT_EQ(types_.window.disk_list2_text, "Wide");
  EXPECT_EQ(types_.window.dparam[0], "4000");
  EXPECT_EQ(types_.current.name, "Wide");
  EXPECT_EQ(Field(10), "4000");
  EXPECT_FALSE(panel_.disk_type_applying);

  // "Custom ..." applies nothing; a position beyond the list is ignored.
  DiskList_Click(&types_, &panel_, 3);
  EXPECT_EQ(panel_.disk_list_text, "Custom ...");
  EXPECT_EQ(types_.current.name, "Wide");
  EXPECT_EQ(Field(10), "4000");
  DiskList_Click(&types_, &panel_, 9);
  EXPECT_EQ(panel_.disk_list_text, "Custom ...");

  // Editing a disk field by hand does make it custom.
  DiskList_Click(&types_, &panel_, 0);
  SetFieldText(&panel_, 10, "999");
  EXPECT_EQ(panel_.disk_list_text, "Custom ...");
}

TEST_F(DiskTypesTest, ReloadFollowsTheFileButNotTheParameters) {
  Start(kThreeDisks);
  DiskList_Click(&types_, &panel_, 1);
  EXPECT_FALSE(ReloadIfChanged(&types_, &panel_, files_));

  SetFieldText(&panel_, 8, "7");  // the user's own value
  panel_.disk_list_text = "Wide";
  files_.Put(kPath, std::string(kThreeDisks) + "[Disk4]\r\nName=Edited\r\n");
  EXPECT_TRUE(ReloadIfChanged(&types_, &panel_, files_));
  EXPECT_THAT(types_.catalogue.entries,
              ElementsAre("Default", "Wide", "Slow", "Edited", "Custom ..."));
  EXPECT_EQ(panel_.disk_list_text, "Wide");
  EXPECT_EQ(Field(8), "7");
  EXPECT_FALSE(ReloadIfChanged(&types_, &panel_, files_));

  files_.Put(kPath, "[Disk1]\r\nName=Default\r\n");  // "Wide" is gone
  EXPECT_TRUE(ReloadIfChanged(&types_, &panel_, files_));
  EXPECT_EQ(panel_.disk_list_text, "Custom ...");
  EXPECT_EQ(types_.window.disk_list2_text, "Custom ...");
}

TEST_F(DiskTypesTest, SavedDiskIsTheNextSectionAndChosenInBothLists) {
  Start(kThreeDisks);
  Custom_Click(&types_, &panel_, files_);
  EXPECT_TRUE(types_.window.visible);
  SetDparamText(&types_.window, 2, "8");
  EXPECT_EQ(types_.window.disk_list2_text, "Custom ...");

  const DiskSaveOutcome outcome = SaveDisk_Click(&types_, &panel_, files_, "Fast");
  EXPECT_EQ(outcome.status, DiskSaveStatus::kSaved);
  const IniFile file = IniFile::Parse(files_.Content(kPath));
  EXPECT_EQ(file.Find("Disk4", "Name"), "Fast");
  EXPECT_EQ(file.ReadInt("Disk4", "Number of Heads", 0), 8);
  EXPECT_THAT(types_.catalogue.entries,
              ElementsAre("Default", "Wide", "Slow", "Fast", "Custom ..."));
  EXPECT_EQ(panel_.disk_list_text, "Fast");
  EXPECT_EQ(types_.window.disk_list2_text, "Fast");
  EXPECT_EQ(types_.current.name, "Fast");
  EXPECT_EQ(Field(15), "8");
  EXPECT_FALSE(ReloadIfChanged(&types_, &panel_, files_));
}

TEST_F(DiskTypesTest, SavingKeepsDisksAddedToTheFileMeanwhile) {
  Start(kThreeDisks);
  files_.Put(kPath, std::string(kThreeDisks) + "[Disk4]\r\nName=By hand\r\n");
  EXPECT_EQ(SaveDisk_Click(&types_, &panel_, files_, "Fast").status, DiskSaveStatus::kSaved);
  const IniFile file = IniFile::Parse(files_.Content(kPath));
  EXPECT_EQ(file.Find("Disk4", "Name"), "By hand");
  EXPECT_EQ(file.Find("Disk5", "Name"), "Fast");
}

TEST_F(DiskTypesTest, NamesAreCleanedAndEmptyOnesCancel) {
  Start(kThreeDisks);
  for (const char* name : {"", "   ", "\t"}) {
    EXPECT_EQ(SaveDisk_Click(&types_, &panel_, files_, name).status, DiskSaveStatus::kCancelled);
  }
  EXPECT_EQ(files_.writes(), 0);
  EXPECT_EQ(SaveDisk_Click(&types_, &panel_, files_, " Two\r\n[Disk1] ").status,
            DiskSaveStatus::kSaved);
  EXPECT_EQ(types_.catalogue.entries[3], "Two  [Disk1]");
  EXPECT_EQ(LoadDiskCatalogue(files_, kPath).entries, types_.catalogue.entries);
}

TEST_F(DiskTypesTest, AFailedSaveReportsAndKeepsTheLists) {
  Start(kThreeDisks);
  files_.fail_writes = true;
  const DiskSaveOutcome outcome = SaveDisk_Click(&types_, &panel_, files_, "Fast");
  EXPECT_EQ(outcome.status, DiskSaveStatus::kFailed);
  EXPECT_FALSE(outcome.message.empty());
  EXPECT_EQ(types_.catalogue.entries.size(), 4u);
  EXPECT_EQ(panel_.disk_list_text, "Default");
  EXPECT_EQ(files_.Content(kPath), kThreeDisks);
}

TEST_F(DiskTypesTest, OkStoresTheFiguresAndAppliesWhenAsked) {
  Start(kThreeDisks);
  Custom_Click(&types_, &panel_, files_);
  SetDparamText(&types_.window, 0, "2000");
  DiskPropOK_Click(&types_, &panel_, files_);
  EXPECT_FALSE(types_.window.visible);
  EXPECT_EQ(types_.current.cylinders, 2000);
  EXPECT_EQ(panel_.disk_list_text, "Custom ...");
  EXPECT_EQ(Field(10), "2000");

  // Without "Apply" the figures are stored but the parameters stay.
  Custom_Click(&types_, &panel_, files_);
  EXPECT_EQ(types_.window.dparam[0], "2000");  // the current disk, not a catalogued one
  types_.window.apply = false;
  SetDparamText(&types_.window, 0, "3000");
  DiskPropOK_Click(&types_, &panel_, files_);
  EXPECT_EQ(types_.current.cylinders, 3000);
  EXPECT_EQ(Field(10), "2000");

  // Cancel keeps nothing of the window.
  Custom_Click(&types_, &panel_, files_);
  SetDparamText(&types_.window, 0, "4000");
  DiskPropCancel_Click(&types_);
  EXPECT_FALSE(types_.window.visible);
  EXPECT_EQ(types_.current.cylinders, 3000);
}

TEST_F(DiskTypesTest, CustomButtonShowsTheListedDisksRecord) {
  Start(kThreeDisks);
  // The file gives "Default" other figures than the current disk has.
  std::string edited = kThreeDisks;
  files_.Put(kPath, edited.replace(edited.find("=1000"), 5, "=1500"));
  Custom_Click(&types_, &panel_, files_);
  EXPECT_EQ(types_.window.disk_list2_text, "Default");
  EXPECT_EQ(types_.window.dparam[0], "1500");
  EXPECT_EQ(types_.current.cylinders, 1000);
}

TEST_F(DiskTypesTest, OkWithACataloguedDiskKeepsItInTheList) {
  Start(kThreeDisks);
  Custom_Click(&types_, &panel_, files_);
  DiskList2_Click(&types_, 1);
  SelectGeometry(&types_.window, DiskGeometry::kLogical);  // changes what is written
  DiskPropOK_Click(&types_, &panel_, files_);
  EXPECT_EQ(panel_.disk_list_text, "Wide");
  EXPECT_EQ(types_.current.cylinders, 4000);
  EXPECT_EQ(Field(10), "10000");  // logical cylinders: the record's default
}

}  // namespace
}  // namespace trakvist
