#include "frontend/model/requests/request_file_access.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace trakvist {
namespace {

namespace fs = std::filesystem;

// A fresh folder of its own under the system's temporary folder.
class LocalFileAccessTest : public testing::Test {
 protected:
  LocalFileAccessTest() {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / ("trakvist_requests_" + std::string(test->name()) + "_" +
                                           std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  ~LocalFileAccessTest() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string PathOf(const char* name) const { return (folder_ / name).string(); }

  fs::path folder_;
  RequestFileAccess files_ = LocalRequestFileAccess();
};

TEST_F(LocalFileAccessTest, WritesReplaceAndReadBackByteForByte) {
  const std::string path = PathOf("man_tmp$$~1.txt");
  EXPECT_EQ(ReadWholeFile(files_, path), std::nullopt);
  EXPECT_EQ(LastModified(files_, path), std::nullopt);
  ASSERT_TRUE(WriteFileReplacing(files_, path, "0\r\n1 2 3 4 5 6  -1\r\n"));
  ASSERT_TRUE(WriteFileReplacing(files_, path, std::string("0\r\n7\0 -1\r\n", 10)));
  EXPECT_EQ(ReadWholeFile(files_, path), std::string("0\r\n7\0 -1\r\n", 10));
  EXPECT_NE(LastModified(files_, path), std::nullopt);
  ASSERT_TRUE(WriteFileReplacing(files_, path, ""));
  EXPECT_EQ(ReadWholeFile(files_, path), "");  // empty, yet read
}

TEST_F(LocalFileAccessTest, UnreachableFilesFail) {
  EXPECT_FALSE(WriteFileReplacing(files_, PathOf("missing/requests.txt"), "0\r\n"));
  EXPECT_EQ(ReadWholeFile(files_, folder_.string()), std::nullopt);
  EXPECT_FALSE(WriteFileReplacing(files_, folder_.string(), "0\r\n"));
  // Operations left out fail rather than crash.
  const RequestFileAccess none;
  EXPECT_EQ(ReadWholeFile(none, PathOf("a")), std::nullopt);
  EXPECT_EQ(LastModified(none, PathOf("a")), std::nullopt);
  EXPECT_FALSE(WriteFileReplacing(none, PathOf("a"), "x"));
}

}  // namespace
}  // namespace trakvist
