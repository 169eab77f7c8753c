#include "frontend/model/disks/disk_catalogue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/frontend/model/disks/fake_catalogue_file_access.h"

namespace trakvist {
namespace {

using ::testing::ElementsAre;

constexpr const char* kPath = "/app/Disks.ini";

DiskCatalogue Read(const std::string& text) { return ReadDiskCatalogue(IniFile::Parse(text)); }

TEST(DiskCatalogueTest, SectionsAreReadUpToTheFirstGap) {
  const DiskCatalogue catalogue = Read("[Disk1]\nName=A\n[Disk2]\nName=B\n[Disk4]\nName=D\n");
  EXPECT_THAT(catalogue.entries, ElementsAre("A", "B", "Custom ..."));
  ASSERT_EQ(catalogue.disks.size(), 2u);
  EXPECT_EQ(catalogue.disks[1].name, "B");
}

TEST(DiskCatalogueTest, FiguresAreWholeNumbersWithTheirDefaults) {
  const DiskCatalogue catalogue = Read(
      "[Disk1]\nName=Half\nAverage Seek Time=8.9\nRotational Speed=5400.5\n"
      "number of heads=4\nBuffer Size=512 KB\n");
  DiskType expected;
  expected.name = "Half";
  expected.average_seek_time = 8;
  expected.rotational_speed = 5400;
  expected.heads = 4;
  expected.buffer_size = 512;
  ASSERT_EQ(catalogue.disks.size(), 1u);
  EXPECT_EQ(catalogue.disks[0], expected);
}

TEST(DiskCatalogueTest, NamesEndTheCatalogueOrAreCut) {
  // "N/A" ends the catalogue even when sections follow it.
  EXPECT_THAT(Read("[Disk1]\nName=A\n[Disk2]\nName=N/A\n[Disk3]\nName=C\n").entries,
              ElementsAre("A", "Custom ..."));
  // A section without a name ends it the same way.
  EXPECT_THAT(Read("[Disk1]\nHeads=2\n").entries, ElementsAre("Custom ..."));
  // An empty name is a name.
  EXPECT_THAT(Read("[Disk1]\nName=\n").entries, ElementsAre("", "Custom ..."));
  const std::string long_name(400, 'x');
  EXPECT_EQ(Read("[Disk1]\nName=" + long_name + "\n").disks[0].name, std::string(300, 'x'));
  EXPECT_EQ(Read(std::string("[Disk1]\nName=Cut\0here\n", 22)).disks[0].name, "Cut");
}

TEST(DiskCatalogueTest, MissingOrUnreadableFileGivesOnlyCustom) {
  FakeCatalogueFileAccess files;
  EXPECT_THAT(LoadDiskCatalogue(files, kPath).entries, ElementsAre("Custom ..."));
  files.Put(kPath, "[Disk1]\nName=A\n");
  files.fail_reads = true;
  EXPECT_THAT(LoadDiskCatalogue(files, kPath).entries, ElementsAre("Custom ..."));
}

TEST(DiskCatalogueTest, WritingADiskKeepsEveryOtherLine) {
  IniFile file = IniFile::Parse(
      "; my notes\r\n[Disk1]\r\nName=Default\r\nColour=blue\r\n\r\n[Other]\r\nx=1\r\n");
  DiskType disk;
  disk.name = "Fast";
  disk.full_seek_time = 15.2;
  disk.average_seek_time = 8.5;
  disk.bytes_per_block = 4096;
  WriteDiskType(&file, 2, disk);
  EXPECT_EQ(file.Text(),
            "; my notes\r\n[Disk1]\r\nName=Default\r\nColour=blue\r\n\r\n[Other]\r\nx=1\r\n"
            "[Disk2]\r\n"
            "Name=Fast\r\n"
            "Number of Cylinders=10000\r\n"
            "Blocks Per Track=400\r\n"
            "Number of Heads=2\r\n"
            "L.Number of Cylinders=10000\r\n"
            "L.Blocks Per Track=400\r\n"
            "L.Number of Heads=2\r\n"
            "Full Seek Time=15.2\r\n"
            "Average Seek Time=8.5\r\n"
            "Track-to-Tack Seek=1\r\n"
            "Rotational Speed=7200\r\n"
            "Bytes Per Block=4096\r\n"
            "Settle Time=6\r\n"
            "Buffer Size=2048\r\n"
            "\r\n");
  // Written again over itself, each key is rewritten in place.
  disk.heads = 8;
  WriteDiskType(&file, 2, disk);
  EXPECT_EQ(ReadDiskCatalogue(file).disks[1].heads, 8);
  EXPECT_EQ(ReadDiskCatalogue(file).disks[1].average_seek_time, 8);  // read back whole
}

TEST(DiskCatalogueTest, AppendingWritesTheNextSection) {
  FakeCatalogueFileAccess files;
  files.Put(kPath, "[Disk1]\r\nName=A\r\n[Disk2]\r\nName=B\r\n[Disk3]\r\nName=C\r\n");
  DiskCatalogue catalogue = LoadDiskCatalogue(files, kPath);
  DiskType fast;
  fast.name = "Fast";
  EXPECT_EQ(AppendDiskType(&catalogue, files, kPath, fast).status, DiskSaveStatus::kSaved);
  EXPECT_THAT(catalogue.entries, ElementsAre("A", "B", "C", "Fast", "Custom ..."));
  EXPECT_EQ(IniFile::Parse(files.Content(kPath)).Find("Disk4", "Name"), "Fast");
  EXPECT_FALSE(CatalogueFileChanged(catalogue, files, kPath));
  EXPECT_EQ(LoadDiskCatalogue(files, kPath).entries, catalogue.entries);
}

TEST(DiskCatalogueTest, AFailedSaveChangesNothing) {
  FakeCatalogueFileAccess files;
  files.Put(kPath, "[Disk1]\r\nName=A\r\n");
  const DiskCatalogue loaded = LoadDiskCatalogue(files, kPath);
  DiskType fast;
  fast.name = "Fast";
  for (const bool reads_fail : {false, true}) {
    DiskCatalogue catalogue = loaded;
    files.fail_reads = reads_fail;
    files.fail_writes = !reads_fail;
    const DiskSaveOutcome outcome = AppendDiskType(&catalogue, files, kPath, fast);
    EXPECT_EQ(outcome.status, DiskSaveStatus::kFailed);
    EXPECT_EQ(outcome.message, "Can not save the disk type to /app/Disks.ini.");
    EXPECT_EQ(catalogue.entries, loaded.entries);
    EXPECT_EQ(files.writes(), 0);
  }
  EXPECT_EQ(files.Content(kPath), "[Disk1]\r\nName=A\r\n");
}

// Names that the reader would change or that would end the catalogue:
// quoted names keep their quotes, and the end marker is refused.
TEST(DiskCatalogueTest, SavedNamesReadBackAsSaved) {
  struct Case {
    std::string name;
    bool saved;
  };
  for (const Case& c : std::vector<Case>{
           {"\"Fast\"", true}, {"'Fast'", true}, {"\"Fast'", true}, {"\"", true}, {"N/A", false}}) {
    FakeCatalogueFileAccess files;
    files.Put(kPath, "[Disk1]\r\nName=A\r\n");
    DiskCatalogue catalogue = LoadDiskCatalogue(files, kPath);
    DiskType disk;
    disk.name = c.name;
    const DiskSaveOutcome outcome = AppendDiskType(&catalogue, files, kPath, disk);
    EXPECT_EQ(outcome.status == DiskSaveStatus::kSaved, c.saved) << c.name;
    const DiskCatalogue reloaded = LoadDiskCatalogue(files, kPath);
    EXPECT_EQ(reloaded.entries, catalogue.entries) << c.name;
    if (c.saved) {
      EXPECT_THAT(reloaded.entries, ElementsAre("A", c.name, "Custom ...")) << c.name;
    } else {
      EXPECT_EQ(files.Content(kPath), "[Disk1]\r\nName=A\r\n");
      EXPECT_THAT(outcome.message, ::testing::HasSubstr("choose another name"));
    }
  }
}

std::string ShippedCatalogue() {
  std::ifstream stream(std::string(TRAKVIST_DATA_DIR) + "/Disks.ini", std::ios::binary);
  return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

TEST(DiskCatalogueTest, ShippedCatalogueHoldsDefaultAndRealDrives) {
  const std::string text = ShippedCatalogue();
  ASSERT_FALSE(text.empty());
  // Every line ends in CR LF, as the catalogue writer's own lines do.
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool lone_lf = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
    const bool lone_cr = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
    ASSERT_FALSE(lone_lf || lone_cr) << "line end at " << i;
  }
  const DiskCatalogue catalogue = ReadDiskCatalogue(IniFile::Parse(text));
  ASSERT_GE(catalogue.disks.size(), 5u);
  EXPECT_EQ(catalogue.entries.front(), "Default");
  for (const DiskType& disk : catalogue.disks) {
    EXPECT_GT(disk.cylinders, 0) << disk.name;
    EXPECT_GT(disk.blocks_per_track, 0) << disk.name;
    EXPECT_GT(disk.heads, 0) << disk.name;
    EXPECT_GT(disk.rotational_speed, 0) << disk.name;
    EXPECT_GE(disk.full_seek_time, disk.average_seek_time) << disk.name;
  }
}

}  // namespace
}  // namespace trakvist
