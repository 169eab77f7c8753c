#include "frontend/model/disks/catalogue_file_access.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace trakvist {
namespace {

namespace fs = std::filesystem;

class LocalCatalogueFileAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / ("trakvist_files_" + std::string(info->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  // Names in the folder, to find leftovers of a write.
  int EntryCount() const {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_)) ++count;
    return count;
  }

  fs::path folder_;
  LocalCatalogueFileAccess files_;
};

TEST_F(LocalCatalogueFileAccessTest, MissingFileIsNotAFailure) {
  const CatalogueRead read = files_.ReadWholeFile(PathOf("Disks.ini"));
  EXPECT_EQ(read.status, CatalogueReadStatus::kMissing);
  EXPECT_EQ(files_.ModificationTime(PathOf("Disks.ini")), std::nullopt);
}

TEST_F(LocalCatalogueFileAccessTest, ReplacedContentReadsBackExactly) {
  const std::string path = PathOf("Disks.ini");
  constexpr char kBytes[] = "[Disk1]\r\nName=A\0B\r\n\n";
  const std::string content(kBytes, sizeof(kBytes) - 1);
  ASSERT_TRUE(files_.ReplaceFile(path, content));
  EXPECT_TRUE(files_.ModificationTime(path).has_value());
  ASSERT_TRUE(files_.ReplaceFile(path, content + "more"));
  const CatalogueRead read = files_.ReadWholeFile(path);
  EXPECT_EQ(read.status, CatalogueReadStatus::kRead);
  EXPECT_EQ(read.content, content + "more");
  EXPECT_EQ(EntryCount(), 1);  // no file left beside it
}

TEST_F(LocalCatalogueFileAccessTest, AFailedWriteLeavesWhatWasThere) {
  // A folder in the target's place cannot be replaced by a file.
  const std::string path = PathOf("Disks.ini");
  fs::create_directory(path);
  std::ofstream(PathOf("Disks.ini/keep")) << "kept";
  EXPECT_FALSE(files_.ReplaceFile(path, "new"));
  EXPECT_TRUE(fs::exists(PathOf("Disks.ini/keep")));
  EXPECT_EQ(EntryCount(), 1);
  EXPECT_EQ(files_.ReadWholeFile(path).status, CatalogueReadStatus::kFailed);
  // Nor can a file be written into a folder that does not exist.
  EXPECT_FALSE(files_.ReplaceFile(PathOf("missing/Disks.ini"), "new"));
}

}  // namespace
}  // namespace trakvist
