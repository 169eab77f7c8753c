#include "frontend/model/files/sim_file_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "frontend/model/common/file_access.h"
#include "frontend/model/files/sim_file_apply.h"
#include "frontend/model/files/sim_file_format.h"
#include "tests/frontend/model/files/sim_file_fixtures.h"

namespace trakvist {
namespace {

namespace fs = std::filesystem;

// Files in memory; a path in `unwritable` cannot be replaced.
class FakeFiles : public FileAccess {
 public:
  bool ReplaceFile(const std::string& path, std::string_view bytes) override {
    if (unwritable.count(path) > 0) return false;
    files[path] = std::string(bytes);
    return true;
  }
  FileRead ReadFile(const std::string& path) const override {
    const auto found = files.find(path);
    if (found == files.end()) return {FileReadStatus::kMissing, ""};
    return {FileReadStatus::kRead, found->second};
  }

  std::map<std::string, std::string> files;
  std::set<std::string> unwritable;
};

// A dialog that answers `path` and counts how often it was shown.
struct Dialog {
  std::optional<std::string> path;
  int shown = 0;
  AskPath Ask() {
    return [this] {
      ++shown;
      return path;
    };
  }
};

TEST(SaveTest, WithoutACurrentFileSaveIsSaveAs) {
  FakeFiles files;
  SimFileState state;
  Dialog dialog{"/home/ann/sims/run1.txt"};
  const SaveOutcome outcome = Save(&state, files, "bytes", dialog.Ask());
  EXPECT_EQ(outcome.status, SaveStatus::kSaved);
  EXPECT_EQ(dialog.shown, 1);
  EXPECT_EQ(files.files["/home/ann/sims/run1.txt"], "bytes");
  EXPECT_EQ(state.CurrentFilePath, "/home/ann/sims/run1.txt");
  EXPECT_EQ(state.window_title, "Trakvist - run1.txt");

  // The next Save writes the same file without asking.
  EXPECT_EQ(Save(&state, files, "more", dialog.Ask()).status, SaveStatus::kSaved);
  EXPECT_EQ(dialog.shown, 1);
  EXPECT_EQ(files.files["/home/ann/sims/run1.txt"], "more");
}

TEST(SaveTest, ACancelledDialogChangesNothing) {
  FakeFiles files;
  SimFileState state{"/a/old.txt", "", "Trakvist - old.txt"};
  Dialog cancel;
  EXPECT_EQ(SaveAs(&state, files, "bytes", cancel.Ask()).status, SaveStatus::kCancelled);
  EXPECT_EQ(state.CurrentFilePath, "/a/old.txt");
  EXPECT_EQ(state.window_title, "Trakvist - old.txt");
  EXPECT_TRUE(files.files.empty());
  SimFileState fresh;
  EXPECT_EQ(Save(&fresh, files, "bytes", cancel.Ask()).status, SaveStatus::kCancelled);
  EXPECT_EQ(fresh.window_title, "Trakvist");
}

TEST(SaveTest, SaveAsToAnUnwritablePathGoesBackToTheEarlierFile) {
  FakeFiles files;
  files.unwritable.insert("/media/gone/new.txt");
  SimFileState state{"/a/old.txt", "", "Trakvist - old.txt"};
  Dialog dialog{"/media/gone/new.txt"};
  const SaveOutcome outcome = SaveAs(&state, files, "bytes", dialog.Ask());
  EXPECT_EQ(outcome.status, SaveStatus::kFailed);
  EXPECT_EQ(outcome.message, "Can not save to selected file.");
  EXPECT_EQ(state.CurrentFilePath, "/a/old.txt");
  EXPECT_EQ(state.window_title, "Trakvist - old.txt");
  EXPECT_EQ(Save(&state, files, "bytes", dialog.Ask()).status, SaveStatus::kSaved);
  EXPECT_EQ(files.files.count("/a/old.txt"), 1u);
}

TEST(SaveTest, AFailedSaveKeepsTheFileItsPathAndTheTitle) {
  FakeFiles files;
  files.files["/a/f.txt"] = "earlier";
  files.unwritable.insert("/a/f.txt");
  SimFileState state{"/a/f.txt", "/a/before.txt", "Trakvist - f.txt"};
  Dialog dialog;
  const SaveOutcome outcome = Save(&state, files, "new", dialog.Ask());
  EXPECT_EQ(outcome.status, SaveStatus::kFailed);
  EXPECT_EQ(outcome.message, kCanNotSaveMessage);
  EXPECT_EQ(files.files["/a/f.txt"], "earlier");
  EXPECT_EQ(state.CurrentFilePath, "/a/f.txt");
  EXPECT_EQ(state.window_title, "Trakvist - f.txt");
}

TEST(OpenTest, ReportsEachOutcomeAndNamesTheFileOnlyWhenReadWhole) {
  FakeFiles files;
  files.files["/s/good.txt"] = DataFile("three_runs.txt");
  files.files["/s/old.txt"] = DataFile("version4.txt");
  files.files["/s/bad.txt"] = "not a simulation";
  files.files["/s/new.txt"] = " 6 \r\n";
  const struct {
    std::optional<std::string> chosen;
    std::vector<std::string> messages;
    bool read;
  } cases[] = {
      {std::nullopt, {}, false},
      {"/s/missing.txt", {"Can not open selected file."}, false},
      {"/s/bad.txt", {"The file selected is not in the proper format."}, false},
      {"/s/new.txt", {std::string(kHigherVersionMessage)}, false},
      {"/s/good.txt", {}, true},
      {"/s/old.txt", {OlderVersionMessage("schedule_fast")}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen.value_or("cancel"));
    SimFileState state{"/a/old.txt", "", "Trakvist - old.txt"};
    Dialog dialog{c.chosen};
    const OpenOutcome outcome = Open(&state, files, dialog.Ask(), TestContext());
    EXPECT_EQ(outcome.messages, c.messages);
    EXPECT_EQ(outcome.content.has_value(), c.read);
    EXPECT_EQ(state.CurrentFilePath, c.read ? *c.chosen : "/a/old.txt");
    EXPECT_EQ(state.window_title, c.read ? SimFileWindowTitle(*c.chosen) : "Trakvist - old.txt");
  }
}

TEST(OpenTest, AFileDamagedAtAnyByteLeavesTheStoreAsItWas) {
  const std::string golden = DataFile("three_runs.txt");
  SweepResults marker(1);
  marker.Set(Metric::kAverageWaitingTime, 4, 1, 42);
  SweepRanges marker_ranges;
  marker_ranges.fill(ParamRange{5, 1, 5});
  FakeFiles files;
  for (std::size_t i = 0; i < golden.size(); ++i) {
    SCOPED_TRACE(i);
    ResultsStore store;
    store.ReplaceResults(marker, marker_ranges, 0);
    SimFileState state;
    files.files["/s/f.txt"] = golden.substr(0, i);
    Dialog dialog{"/s/f.txt"};
    OpenOutcome outcome = Open(&state, files, dialog.Ask(), TestContext());
    if (outcome.content) {
      ApplySavedResults(std::move(*outcome.content), StartParametersPanel(), &store);
      EXPECT_EQ(store.RunCount(), 3);
      continue;
    }
    EXPECT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(state.CurrentFilePath, "");
    EXPECT_EQ(store.RunCount(), 1);
    EXPECT_EQ(store.AvgWaitResults(4, 1), 42);
    EXPECT_EQ(store.ResultRanges()[9].From, 5);
  }
}

// A fresh folder of its own under the test temporary folder.
fs::path TestFolder(const std::string& name) {
  const fs::path folder = fs::path(testing::TempDir()) / ("sim_file_" + name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

std::string Contents(const fs::path& path) { return *DiskFileAccess().ReadContent(path.string()); }

TEST(SaveToDiskTest, SavingTwiceGivesIdenticalBytesAndLeavesNoTemporaryFile) {
  const fs::path folder = TestFolder("twice");
  const std::string path = (folder / "sweep.txt").string();
  DiskFileAccess files;
  SimFileState state;
  Dialog dialog{path};
  const std::string bytes = SimFileText(ThreeRunPage(), ThreeRunTexts(), ThreeRunStore());
  ASSERT_EQ(Save(&state, files, bytes, dialog.Ask()).status, SaveStatus::kSaved);
  const std::string first = Contents(path);
  ASSERT_EQ(Save(&state, files, SimFileText(ThreeRunPage(), ThreeRunTexts(), ThreeRunStore()),
                 dialog.Ask())
                .status,
            SaveStatus::kSaved);
  EXPECT_EQ(Contents(path), first);
  EXPECT_EQ(first, DataFile("three_runs.txt"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace trakvist
