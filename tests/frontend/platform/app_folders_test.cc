#include "frontend/platform/app_folders.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <filesystem>
#include <memory>
#include <string>

#include "qt_test_support.h"

namespace trakvist {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFolderTest, IsTheFolderOfTheRunningProgramFile) {
  EXPECT_EQ(FolderOfExecutable("/usr/lib/trakvist/Trakvist"), "/usr/lib/trakvist/");
  EXPECT_EQ(FolderOfExecutable("/Trakvist"), "/");
  EXPECT_EQ(FolderOfExecutable("/opt/t/Trakvist (deleted)"), "/opt/t/") << "rebuilt while running";

  const std::string running =
      QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
  EXPECT_EQ(ProgramFolder(), fs::path(running).parent_path().string() + "/");
}

// The per-user data folder lies under a scratch XDG_DATA_HOME.
class TemporaryFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME",
            QFile::encodeName(QString::fromStdString(data_home_.folder())));  // with its "/"
  }
  void TearDown() override { qputenv("XDG_DATA_HOME", saved_); }

  std::string PerUser() const {
    return data_home_.folder() + QCoreApplication::applicationName().toStdString() + "/";
  }

  ScratchFolder data_home_;
  ScratchFolder program_;
  QByteArray saved_;
};

TEST_F(TemporaryFoldersTest, ProgramFolderWhenWritableElsePerUserDataFolder) {
  EXPECT_TRUE(IsWritableFolder(program_.folder()));
  EXPECT_EQ(TemporaryFilesBase(program_.folder()), program_.folder());
  EXPECT_EQ(TemporaryFilesBase(program_.path().string()), program_.folder());

  ASSERT_FALSE(fs::exists(PerUser()));
  const std::string missing = program_.folder() + "missing/";
  EXPECT_FALSE(IsWritableFolder(missing));
  EXPECT_EQ(TemporaryFilesBase(missing), PerUser());
  EXPECT_TRUE(fs::is_directory(PerUser())) << "created";

  WriteFile(program_.path() / "not_a_folder", "");
  EXPECT_EQ(TemporaryFilesBase(program_.folder() + "not_a_folder"), PerUser());

  std::string error;
  std::unique_ptr<InstanceFolder> instance = InstanceFolder::ForProgram(missing, &error);
  ASSERT_TRUE(instance) << error;
  EXPECT_EQ(fs::path(instance->path()).parent_path().parent_path().string() + "/", PerUser());
}

// Two instances at once get folders of their own; each takes its folder and
// everything in it when it ends. A folder left behind by an instance that
// ended without removing it (crashed: the kernel dropped its lock) goes
// when the next instance starts, while live ones and other files stay.
TEST_F(TemporaryFoldersTest, InstanceFoldersAreSeparateAndAbandonedOnesRemoved) {
  const fs::path base = program_.path();
  std::string abandoned = (base / ".trakvist-XXXXXX").string();
  ASSERT_NE(mkdtemp(abandoned.data()), nullptr);
  WriteFile(fs::path(abandoned) / "wsim_tmp$$~1.csv", "old rows\n");
  fs::create_directory(base / ".trakvist-keep");  // not an instance folder's name
  fs::create_directory(base / "other");
  WriteFile(base / ".trakvist-ABCDEF", "a file, not a folder");

  std::string error;
  std::unique_ptr<InstanceFolder> first = InstanceFolder::Create(base.string(), &error);
  ASSERT_TRUE(first) << error;
  EXPECT_FALSE(fs::exists(abandoned));
  EXPECT_TRUE(fs::exists(base / ".trakvist-keep"));
  EXPECT_TRUE(fs::exists(base / "other"));
  EXPECT_TRUE(fs::exists(base / ".trakvist-ABCDEF"));

  std::unique_ptr<InstanceFolder> second = InstanceFolder::Create(base.string(), &error);
  ASSERT_TRUE(second) << error;
  for (const InstanceFolder* instance : {first.get(), second.get()}) {
    const fs::path folder(instance->path());
    EXPECT_EQ(instance->path().back(), '/');
    EXPECT_EQ(folder.parent_path().parent_path(), base);
    EXPECT_EQ(folder.parent_path().filename().string().rfind(kInstanceFolderPrefix, 0), 0u);
    EXPECT_TRUE(fs::is_directory(folder));
  }
  EXPECT_NE(first->path(), second->path());
  EXPECT_TRUE(fs::exists(first->path())) << "alive: not swept by the second";

  const std::string gone = first->path();
  WriteFile(fs::path(gone) / "ssim_tmp$$~1.csv", "rows\n");
  first.reset();
  EXPECT_FALSE(fs::exists(gone));
  EXPECT_TRUE(fs::exists(second->path()));

  EXPECT_FALSE(InstanceFolder::Create((base / "missing").string(), &error));
  EXPECT_NE(error.find("missing"), std::string::npos) << error;
}

}  // namespace
}  // namespace trakvist
