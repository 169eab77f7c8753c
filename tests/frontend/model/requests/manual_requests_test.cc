#include "frontend/model/requests/manual_requests.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "frontend/model/common/file_access.h"
#include "frontend/model/requests/manual_texts.h"

namespace trakvist {
namespace {

constexpr char kTempPath[] = "/app/man_tmp$$~1.txt";
constexpr char kFilePath[] = "/data/requests.txt";

// An in-memory file system; every write of a file gives it a newer stamp.
class FakeFiles : public FileAccess {
 public:
  void Put(const std::string& path, const std::string& text) {
    contents[path] = text;
    stamps[path] = FileStamp{} + std::chrono::seconds(next_second++);
  }
  // Deletes the file, as another program would.
  void Remove(const std::string& path) override {
    contents.erase(path);
    stamps.erase(path);
  }

  FileRead ReadFile(const std::string& path) const override {
    ++reads;
    const auto found = contents.find(path);
    if (found == contents.end()) return {FileReadStatus::kMissing, ""};
    return {FileReadStatus::kRead, found->second};
  }
  std::optional<FileStamp> LastModified(const std::string& path) const override {
    const auto found = stamps.find(path);
    if (found == stamps.end()) return std::nullopt;
    return found->second;
  }
  bool WriteFile(const std::string& path, std::string_view text) override {
    if (writes_fail) return false;
    Put(path, std::string(text));
    return true;
  }

  std::map<std::string, std::string> contents;
  std::map<std::string, FileStamp> stamps;
  mutable int reads = 0;
  bool writes_fail = false;
  int next_second = 1;
};

class ManualRequestsTest : public testing::Test {
 protected:
  ManualRequestsTest() {
    panel_ = StartParametersPanel();
    Option3_Click(&panel_);
    wait_ = {[this] { ++wait_shown_; }, [this] { ++wait_closed_; }};
    ask_ = [this](std::string_view question) {
      questions_.emplace_back(question);
      return answer_yes_;
    };
  }

  ManualStartCheck Start() {
    return CheckManualRequests(&panel_, &state_, files_, kTempPath, ask_, wait_);
  }
  std::optional<std::string> Import(const std::string& path) {
    return Import_Click(&panel_, &state_, files_, path, wait_);
  }
  // The message of a start that must fail.
  std::string StartMessage() {
    const ManualStartCheck check = Start();
    EXPECT_FALSE(check.input.has_value());
    return check.message;
  }

  ParametersPanel panel_;
  ManualRequestsState state_;
  FakeFiles files_;
  WaitWindow wait_;
  int wait_shown_ = 0;
  int wait_closed_ = 0;
  AskYesNo ask_;
  bool answer_yes_ = false;
  std::vector<std::string> questions_;
};

TEST_F(ManualRequestsTest, TypedRequestsAreWrittenToTheTemporaryFile) {
  SetManualText(&panel_, "10 20 30");
  const ManualStartCheck check = Start();
  ASSERT_TRUE(check.input.has_value()) << check.message;
  EXPECT_EQ(check.input->in_path, kTempPath);
  EXPECT_EQ(check.input->request_count, 3);
  EXPECT_EQ(state_.manual_max_cylinder, 30);
  EXPECT_EQ(files_.contents[kTempPath], "0\r\n10 20 30  -1\r\n");
  EXPECT_TRUE(questions_.empty());

  // LBA requests say so on their first line and divide by 600 x 4 blocks.
  SetIsLba(&panel_, true);
  SetManualText(&panel_, "4800");
  ASSERT_TRUE(Start().input.has_value());
  EXPECT_EQ(state_.manual_max_cylinder, 2);
  EXPECT_EQ(files_.contents[kTempPath], "1\r\n4800  -1\r\n");
}

TEST_F(ManualRequestsTest, StartFailsWithTheMessageOfEachFault) {
  // Never edited since start-up: nothing changed and no scan succeeded.
  EXPECT_EQ(StartMessage(), kManualNotProperFormatMessage);
  SetManualText(&panel_, "t5 ,,");
  EXPECT_EQ(StartMessage(), kNoRequestsMessage);
  SetManualText(&panel_, "10 99999999999");
  EXPECT_EQ(StartMessage(), kManualNotProperFormatMessage);
  SetIsLba(&panel_, true);
  SetManualText(&panel_, "10:5 20");
  EXPECT_EQ(StartMessage(), kManualNotProperFormatMessage);
  EXPECT_EQ(StartMessage(), kManualNotProperFormatMessage);  // unchanged: not scanned again
  // No cylinder without blocks per track; asked again at every start.
  SetManualText(&panel_, "4800");
  SetFieldText(&panel_, 13, "0");
  EXPECT_EQ(StartMessage(), kNoLbaGeometryMessage);
  EXPECT_EQ(StartMessage(), kNoLbaGeometryMessage);
  SetFieldText(&panel_, 13, "600");
  EXPECT_TRUE(Start().input.has_value());
  // A drive path names a file, which is opened rather than scanned.
  SetManualText(&panel_, "C:\\Trakvist\\requests.txt");
  EXPECT_FALSE(panel_.is_lba_enabled);
  EXPECT_EQ(StartMessage(), kCanNotOpenManualFileMessage);
  SetManualText(&panel_, "4800");
  // A failed write is not a started run.
  files_.writes_fail = true;
  EXPECT_EQ(StartMessage(), kCanNotWriteRequestsMessage);
}

TEST_F(ManualRequestsTest, CylinderQuestionRaisesTheTotalOnYes) {
  SetManualText(&panel_, "999");
  ASSERT_TRUE(Start().input.has_value());
  EXPECT_TRUE(questions_.empty());

  SetManualText(&panel_, "1000 5");
  EXPECT_EQ(StartMessage(), "");  // No: the run ends without a further message
  ASSERT_EQ(questions_.size(), 1u);
  EXPECT_NE(questions_[0].find("contains 1001 cylinder numbers"), std::string::npos);
  EXPECT_EQ(panel_.cparam[10].text, "1000");
  EXPECT_EQ(files_.contents[kTempPath], "0\r\n999  -1\r\n");  // the old run's file

  answer_yes_ = true;
  const ManualStartCheck check = Start();
  ASSERT_TRUE(check.input.has_value());
  EXPECT_EQ(check.input->request_count, 2);
  EXPECT_EQ(panel_.cparam[10].text, "1001");
  EXPECT_EQ(panel_.disk_list_text, "Custom ...");
}

TEST_F(ManualRequestsTest, OnlyChangedRequestsAreScannedAgain) {
  // A box of 40000 characters plus the appended space needs the wait window,
  // which therefore shows whenever the text is scanned.
  std::string text;
  while (text.size() < 40000) text += "7 ";
  SetManualText(&panel_, text);
  ASSERT_TRUE(Start().input.has_value());
  ASSERT_TRUE(Start().input.has_value());
  EXPECT_EQ(wait_shown_, 1);
  EXPECT_EQ(wait_closed_, 1);
  isLBA_Click(&panel_);
  ASSERT_TRUE(Start().input.has_value());
  EXPECT_EQ(wait_shown_, 2);
  SetManualText(&panel_, text.substr(1));  // 39999 characters and the space
  ASSERT_TRUE(Start().input.has_value());
  EXPECT_EQ(wait_shown_, 2);
  EXPECT_EQ(wait_closed_, 2);
}

TEST_F(ManualRequestsTest, ImportPutsThePathIntoTheBox) {
  files_.Put(kFilePath, "0\r\n10 20\r\n30");
  SetIsLba(&panel_, true);
  ASSERT_EQ(Import(kFilePath), std::nullopt);
  EXPECT_EQ(panel_.manual_text, kFilePath);
  EXPECT_TRUE(panel_.manual_is_file_path);
  EXPECT_FALSE(panel_.is_lba_enabled);
  EXPECT_FALSE(panel_.manual_req_changed);
  EXPECT_EQ(state_.manual_req_count, 3);  // the file's own line says cylinders
  EXPECT_EQ(state_.manual_file_stamp, files_.stamps[kFilePath]);

  // The file is passed on as it is, and read again only once it changes.
  const int reads = files_.reads;
  ManualStartCheck check = Start();
  ASSERT_TRUE(check.input.has_value());
  EXPECT_EQ(check.input->in_path, kFilePath);
  EXPECT_EQ(files_.reads, reads);
  EXPECT_FALSE(files_.contents.contains(kTempPath));
  files_.Put(kFilePath, "0\r\n10");
  check = Start();
  ASSERT_TRUE(check.input.has_value());
  EXPECT_EQ(check.input->request_count, 1);
  EXPECT_EQ(files_.reads, reads + 1);
  // Typing again makes the box hold requests and frees "Use LBA".
  SetManualText(&panel_, "5");
  EXPECT_FALSE(panel_.manual_is_file_path);
  EXPECT_TRUE(panel_.is_lba_enabled);
}

TEST_F(ManualRequestsTest, FailedImportLeavesTheBoxAsItWas) {
  const struct {
    const char* contents;  // nullptr: no such file
    std::string_view message;
  } cases[] = {
      {nullptr, kCanNotOpenImportMessage},
      {"", kFirstLineMessage},
      {"0", kFirstLineMessage},
      {"1\r\n10:5 20", kImportNotProperFormatMessage},
      {"0\r\n1 2147483648", kImportNotProperFormatMessage},
  };
  for (const auto& c : cases) {
    files_.Remove(kFilePath);
    if (c.contents != nullptr) files_.Put(kFilePath, c.contents);
    SetManualText(&panel_, "8 9");
    EXPECT_EQ(Import(kFilePath), std::string(c.message)) << (c.contents ? c.contents : "none");
    EXPECT_EQ(panel_.manual_text, "8 9");
    EXPECT_EQ(state_.manual_file_stamp, std::nullopt);
  }
  // The typed requests still in the box are scanned anew at start.
  const ManualStartCheck check = Start();
  ASSERT_TRUE(check.input.has_value()) << check.message;
  EXPECT_EQ(check.input->request_count, 2);
  SetFieldText(&panel_, 15, "0");
  files_.Put(kFilePath, "1\r\n4800");
  EXPECT_EQ(Import(kFilePath), std::string(kNoLbaGeometryMessage));
}

TEST_F(ManualRequestsTest, WaitWindowAtImportAboveFortyThousandCharacters) {
  std::string contents = "0\r\n";
  while (contents.size() < 40000) contents += "1 ";
  contents.resize(40000);
  files_.Put(kFilePath, contents);
  ASSERT_EQ(Import(kFilePath), std::nullopt);
  EXPECT_EQ(wait_shown_, 0);
  // One character more, and a malformed one: shown, and closed all the same.
  files_.Put(kFilePath, "1\r\n" + contents.substr(3) + ":");
  EXPECT_EQ(Import(kFilePath), std::string(kImportNotProperFormatMessage));
  EXPECT_EQ(wait_shown_, 1);
  EXPECT_EQ(wait_closed_, 1);
}

TEST_F(ManualRequestsTest, FileTurnedLbaWithoutGeometryIsRefusedAtEveryStart) {
  files_.Put(kFilePath, "0\r\n10 20 30");
  ASSERT_EQ(Import(kFilePath), std::nullopt);
  SetFieldText(&panel_, 13, "0");
  ASSERT_TRUE(Start().input.has_value());  // cylinders need no geometry
  // Rewritten as LBA requests: no scan is possible, and the three requests
  // of the older scan never pass for them.
  files_.Put(kFilePath, "1\r\n4800");
  EXPECT_EQ(StartMessage(), kNoLbaGeometryMessage);
  EXPECT_EQ(StartMessage(), kNoLbaGeometryMessage);
  EXPECT_FALSE(state_.manual_req_valid);
  SetFieldText(&panel_, 13, "600");
  const ManualStartCheck check = Start();
  ASSERT_TRUE(check.input.has_value()) << check.message;
  EXPECT_EQ(check.input->request_count, 1);
  EXPECT_EQ(state_.manual_file_stamp, files_.stamps[kFilePath]);
}

TEST_F(ManualRequestsTest, RequestsFileThatCanNoLongerBeReadAtStart) {
  files_.Put(kFilePath, "0\r\n10 20 30");
  ASSERT_EQ(Import(kFilePath), std::nullopt);
  files_.Remove(kFilePath);
  EXPECT_EQ(StartMessage(), kCanNotOpenManualFileMessage);
  // Left with only its first line, it is refused at every start, never taken
  // as unchanged with the three requests of the older scan.
  files_.Put(kFilePath, "0");
  EXPECT_EQ(StartMessage(), kFirstLineMessage);
  EXPECT_EQ(StartMessage(), kFirstLineMessage);
  files_.Put(kFilePath, "0\r\n");
  EXPECT_EQ(StartMessage(), kNoRequestsMessage);
}

}  // namespace
}  // namespace trakvist
