#include "frontend/model/common/file_access.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>

namespace trakvist {
namespace {

namespace fs = std::filesystem;

// A fresh folder of its own under the system's temporary folder.
class DiskFileAccessTest : public testing::Test {
 protected:
  void SetUp() override {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / ("trakvist_file_access_" + std::string(test->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  // Names in the folder, to find leftovers of a write.
  int EntryCount() const {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_)) ++count;
    return count;
  }

  fs::path folder_;
  DiskFileAccess files_;
};

// Caps the size of the files this process writes, as a full disk would:
// writes beyond it fail instead of raising a signal.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
    saved_handler_ = std::signal(SIGXFSZ, SIG_IGN);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, saved_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*saved_handler_)(int) = SIG_DFL;
};

TEST(FileAccessTest, OperationsLeftOutFailAsIfTheFileCouldNotBeReached) {
  class NoFiles final : public FileAccess {};
  NoFiles none;
  EXPECT_EQ(none.ReadFile("a").status, FileReadStatus::kFailed);
  EXPECT_EQ(none.ReadContent("a"), std::nullopt);
  EXPECT_EQ(none.LastModified("a"), std::nullopt);
  EXPECT_EQ(none.OpenForReading("a"), nullptr);
  EXPECT_FALSE(none.ReplaceFile("a", "x"));
  EXPECT_FALSE(none.WriteFile("a", "x"));
  none.Remove("a");  // passed over
}

TEST_F(DiskFileAccessTest, MissingFileIsNotAFailure) {
  const FileRead read = files_.ReadFile(PathOf("Disks.ini"));
  EXPECT_EQ(read.status, FileReadStatus::kMissing);
  EXPECT_EQ(files_.LastModified(PathOf("Disks.ini")), std::nullopt);
}

TEST_F(DiskFileAccessTest, ReplacedContentReadsBackExactly) {
  const std::string path = PathOf("Disks.ini");
  constexpr char kBytes[] = "[Disk1]\r\nName=A\0B\r\n\n";
  const std::string content(kBytes, sizeof(kBytes) - 1);
  ASSERT_TRUE(files_.ReplaceFile(path, content));
  EXPECT_TRUE(files_.LastModified(path).has_value());
  ASSERT_TRUE(files_.ReplaceFile(path, content + "more"));
  const FileRead read = files_.ReadFile(path);
  EXPECT_EQ(read.status, FileReadStatus::kRead);
  EXPECT_EQ(read.content, content + "more");
  EXPECT_EQ(EntryCount(), 1);  // no file left beside it
}

TEST_F(DiskFileAccessTest, AFailedWriteLeavesWhatWasThere) {
  // A folder in the target's place cannot be replaced by a file.
  const std::string path = PathOf("Disks.ini");
  fs::create_directory(path);
  std::ofstream(PathOf("Disks.ini/keep")) << "kept";
  EXPECT_FALSE(files_.ReplaceFile(path, "new"));
  EXPECT_TRUE(fs::exists(PathOf("Disks.ini/keep")));
  EXPECT_EQ(EntryCount(), 1);
  EXPECT_EQ(files_.ReadFile(path).status, FileReadStatus::kFailed);
  EXPECT_EQ(files_.OpenForReading(path), nullptr);
  // Nor can a file be written into a folder that does not exist.
  EXPECT_FALSE(files_.ReplaceFile(PathOf("missing/Disks.ini"), "new"));
}

TEST_F(DiskFileAccessTest, AFailedReplaceKeepsTheEarlierFile) {
  const std::string target = PathOf("sweep.txt");
  std::ofstream(target, std::ios::binary) << "earlier";
  {
    // The new file cannot be written whole.
    const FileSizeLimit full_disk(0);
    EXPECT_FALSE(files_.ReplaceFile(target, "new"));
  }
  EXPECT_EQ(files_.ReadContent(target), "earlier");
  EXPECT_EQ(EntryCount(), 1);  // the incomplete new file is gone
  EXPECT_FALSE(files_.ReplaceFile(PathOf("no/such.txt"), "new"));
  EXPECT_FALSE(files_.ReplaceFile(folder_.string(), "new"));
}

TEST_F(DiskFileAccessTest, ReplacesALinkedFileAndKeepsTheLink) {
  std::ofstream(PathOf("real.txt")) << "earlier";
  fs::create_symlink(PathOf("real.txt"), PathOf("link.txt"));
  EXPECT_TRUE(files_.ReplaceFile(PathOf("link.txt"), "new"));
  EXPECT_TRUE(fs::is_symlink(PathOf("link.txt")));
  EXPECT_EQ(files_.ReadContent(PathOf("real.txt")), "new");
}

TEST_F(DiskFileAccessTest, ReplacingKeepsThePermissionsOfTheEarlierFile) {
  const std::string path = PathOf("Disks.ini");
  std::ofstream(path) << "earlier";
  const fs::perms kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;
  fs::permissions(path, kOwnerOnly);
  ASSERT_TRUE(files_.ReplaceFile(path, "new"));
  EXPECT_EQ(fs::status(path).permissions(), kOwnerOnly);
}

TEST_F(DiskFileAccessTest, AReadOnlyFileIsNotReplaced) {
  const std::string path = PathOf("sweep.txt");
  std::ofstream(path) << "earlier";
  // Read-only for every user, the superuser too, whom the system lets
  // write it all the same.
  fs::permissions(path, fs::perms::owner_read);
  EXPECT_FALSE(files_.ReplaceFile(path, "new"));
  EXPECT_EQ(files_.ReadContent(path), "earlier");
  EXPECT_EQ(EntryCount(), 1);
}

TEST_F(DiskFileAccessTest, ReadsWholeFilesByteForByte) {
  const std::string bytes("a\r\nb\0c\r", 7);
  ASSERT_TRUE(files_.ReplaceFile(PathOf("f.txt"), bytes));
  EXPECT_EQ(files_.ReadContent(PathOf("f.txt")), bytes);
  EXPECT_FALSE(files_.ReadContent(PathOf("missing.txt")));
  EXPECT_FALSE(files_.ReadContent(folder_.string()));
}

TEST_F(DiskFileAccessTest, WritesReplaceAndReadBackByteForByte) {
  const std::string path = PathOf("man_tmp$$~1.txt");
  EXPECT_EQ(files_.ReadContent(path), std::nullopt);
  EXPECT_EQ(files_.LastModified(path), std::nullopt);
  ASSERT_TRUE(files_.WriteFile(path, "0\r\n1 2 3 4 5 6  -1\r\n"));
  ASSERT_TRUE(files_.WriteFile(path, std::string("0\r\n7\0 -1\r\n", 10)));
  EXPECT_EQ(files_.ReadContent(path), std::string("0\r\n7\0 -1\r\n", 10));
  EXPECT_NE(files_.LastModified(path), std::nullopt);
  ASSERT_TRUE(files_.WriteFile(path, ""));
  EXPECT_EQ(files_.ReadContent(path), "");  // empty, yet read
}

TEST_F(DiskFileAccessTest, UnreachableFilesFail) {
  EXPECT_FALSE(files_.WriteFile(PathOf("missing/requests.txt"), "0\r\n"));
  EXPECT_EQ(files_.ReadContent(folder_.string()), std::nullopt);
  EXPECT_FALSE(files_.WriteFile(folder_.string(), "0\r\n"));
}

TEST_F(DiskFileAccessTest, RemovesAndOpensRealFiles) {
  const std::string path = PathOf("wsim_tmp$$~1.csv");
  std::ofstream(path, std::ios::binary) << "1,2\n3,4\n";
  std::unique_ptr<std::istream> in = files_.OpenForReading(path);
  ASSERT_NE(in, nullptr);
  in->seekg(4);  // result files are read on from where the last look ended
  const std::string rest{std::istreambuf_iterator<char>(*in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(rest, "3,4\n");
  in.reset();
  files_.Remove(path);
  files_.Remove(PathOf("missing.csv"));  // passed over
  EXPECT_EQ(files_.OpenForReading(path), nullptr);
  EXPECT_EQ(files_.OpenForReading(PathOf("missing.csv")), nullptr);
  // A folder that is not empty cannot be deleted, which is passed over too.
  fs::create_directory(PathOf("full"));
  std::ofstream(PathOf("full/keep")) << "kept";
  files_.Remove(PathOf("full"));
  EXPECT_TRUE(fs::exists(PathOf("full/keep")));
}

}  // namespace
}  // namespace trakvist
