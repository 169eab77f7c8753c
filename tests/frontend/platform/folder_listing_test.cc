#include "frontend/platform/folder_listing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace trakvist {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FolderListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "listing_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  void File(const std::string& name, mode_t mode) {
    std::ofstream(folder_ / name) << "#!/bin/sh\n";
    chmod((folder_ / name).c_str(), mode);
  }

  fs::path folder_;
};

std::vector<std::string> Names(const std::vector<FolderEntry>& entries) {
  std::vector<std::string> names;
  for (const FolderEntry& entry : entries) names.push_back(entry.name);
  return names;
}

// Regular files only, links counted as their targets, sorted byte for byte;
// the simulator list then keeps the programs other than the front end.
TEST_F(FolderListingTest, ListsRegularFilesWithTheirExecutableFlag) {
  File("schedule_b", 0755);
  File("a_engine", 0700);
  File("ReadMe.txt", 0644);
  File("Disks.ini", 0600);
  File("Trakvist", 0755);
  fs::create_directory(folder_ / "sub");
  chmod((folder_ / "sub").c_str(), 0755);
  fs::create_symlink(folder_ / "a_engine", folder_ / "linked_engine");
  fs::create_symlink(folder_ / "sub", folder_ / "linked_sub");
  fs::create_symlink(folder_ / "nowhere", folder_ / "dangling");
  ASSERT_EQ(mkfifo((folder_ / "pipe").c_str(), 0755), 0);

  std::error_code error = std::make_error_code(std::errc::io_error);
  const std::vector<FolderEntry> entries = ListFolder(folder_.string() + "/", &error);
  EXPECT_FALSE(error);
  EXPECT_THAT(Names(entries), ElementsAre("Disks.ini", "ReadMe.txt", "Trakvist", "a_engine",
                                          "linked_engine", "schedule_b"));
  for (const FolderEntry& entry : entries) {
    EXPECT_TRUE(entry.is_regular_file) << entry.name;
    const bool program = entry.name != "Disks.ini" && entry.name != "ReadMe.txt";
    EXPECT_EQ(entry.is_executable, program) << entry.name;
  }

  const SimulatorList list = RefreshSimulatorList(entries);
  EXPECT_THAT(list.names, ElementsAre("a_engine", "linked_engine", "schedule_b"));
  EXPECT_EQ(list.selected, 0);
}

// A 64-bit little-endian ELF header of `type` with one program header of
// `segment` type right after it.
std::string ElfImage(std::uint16_t type, std::uint32_t segment) {
  std::string image(64 + 56, '\0');
  image.replace(0, 6,
                "\x7f"
                "ELF\x02\x01");
  image[0x10] = static_cast<char>(type);
  image[0x20] = 64;  // program headers at 64
  image[0x36] = 56;  // of 56 bytes each
  image[0x38] = 1;   // one of them
  image[64] = static_cast<char>(segment);
  return image;
}

// Only programs are offered: a folder copied from a FAT drive or a zip has
// every file executable.
TEST_F(FolderListingTest, OnlyScriptsAndElfProgramsCountAsExecutable) {
  const struct {
    const char* name;
    std::string content;
    bool program;
  } kFiles[] = {{"APM_Download_Instructions.txt", "Read me first\n", false},
                {"empty", "", false},
                {"libengine.so", ElfImage(3, 1), false},           // a library
                {"cut_elf", ElfImage(2, 1).substr(0, 16), false},  // cut short
                {"pie_engine", ElfImage(3, 3), true},              // names an interpreter
                {"static_engine", ElfImage(2, 1), true},
                {"script", "#!/bin/sh\nexit 0\n", true}};
  for (const auto& file : kFiles) {
    std::ofstream(folder_ / file.name, std::ios::binary) << file.content;
    chmod((folder_ / file.name).c_str(), 0777);
  }
  fs::copy_file(SCHEDULE_PROGRAM, folder_ / "schedule");
  for (const FolderEntry& entry : ListFolder(folder_.string() + "/")) {
    bool program = entry.name == "schedule";
    for (const auto& file : kFiles) program = program || (entry.name == file.name && file.program);
    EXPECT_EQ(entry.is_executable, program) << entry.name;
  }
}

TEST_F(FolderListingTest, FolderThatCannotBeListedGivesNothingAndSaysWhy) {
  std::error_code error;
  EXPECT_THAT(ListFolder((folder_ / "missing").string(), &error), IsEmpty());
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
  EXPECT_EQ(RefreshSimulatorList({}).selected, -1);
}

}  // namespace
}  // namespace trakvist
