// The built program, run as the front end runs it: a complete command line,
// a requests file and CSV result files that grow by one row per run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

// Runs the program with `arguments` inside `dir`, its output going to
// out.txt and err.txt there; returns its exit status.
int RunProgram(const TempDir& dir, const std::vector<std::string>& arguments) {
  // The time limit keeps a program that never ends from stalling the suite.
  std::string command = "cd '" + dir.path().string() + "' && timeout 60 '" SCHEDULE_PROGRAM "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  command += " </dev/null >out.txt 2>err.txt";
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Everything the front end passes, with the requests file of the test data.
std::vector<std::string> FrontEndLine(std::vector<std::string> more) {
  std::vector<std::string> arguments = {"-w:w.csv", "-s:s.csv", "-xw:x.csv", "-b:2", "-e:1",
                                        "-st:0",   "-m:100",   "-i:0",      "-f:0", "-wc:0",
                                        "-rw:3",   "-o:0",     "-x:1",      "-rb:n", "-rs:n"};
  arguments.insert(arguments.end(), more.begin(), more.end());
  return arguments;
}

std::vector<std::string> ManualLine() {
  return FrontEndLine({"-t:0", "-in:" TEST_DATA_DIR "/requests.txt"});
}

TEST(EndToEndTest, RequestsFileRunAppendsOneRowPerRun) {
  TempDir dir;
  ASSERT_EQ(RunProgram(dir, ManualLine()), 0) << ReadFile(dir / "err.txt");
  ASSERT_EQ(RunProgram(dir, ManualLine()), 0) << ReadFile(dir / "err.txt");
  for (const char* name : {"w.csv", "s.csv", "x.csv"}) {
    std::vector<std::string> lines = Lines(ReadFile(dir / name));
    ASSERT_EQ(lines.size(), 3u) << name;
    EXPECT_EQ(lines[0], kLabelRow) << name;
    EXPECT_EQ(lines[1], lines[2]) << name;
    EXPECT_EQ(Fields(lines[1]).size(), 10u) << name;
  }
  // Requests 10, 20 at tick 0, 30 at tick 2, 40, 5, 7 at tick 5. FCFS serves
  // them at ticks 10, 22, 34, 46, 83, 87 (waits 10 22 32 41 78 82); SSTF
  // takes 10, 7, 5, 20, 30, 40 at ticks 10, 15, 19, 36, 48, 60.
  std::vector<std::string> seek = Fields(Lines(ReadFile(dir / "s.csv"))[1]);
  std::vector<std::string> wait = Fields(Lines(ReadFile(dir / "w.csv"))[1]);
  std::vector<std::string> max = Fields(Lines(ReadFile(dir / "x.csv"))[1]);
  EXPECT_THAT(std::vector<std::string>(seek.begin(), seek.begin() + 3), ElementsAre("", "77", "50"));
  EXPECT_THAT(std::vector<std::string>(wait.begin(), wait.begin() + 3),
              ElementsAre("", "44.1667", "28.5"));
  EXPECT_THAT(std::vector<std::string>(max.begin(), max.begin() + 3), ElementsAre("", "82", "55"));
  for (const auto& row : {seek, wait, max}) {
    EXPECT_EQ(row[8], "0");  // BO-PATH
    EXPECT_EQ(row[9], "0");  // SATF
  }
  EXPECT_THAT(ReadFile(dir / "out.txt"), StartsWith("Enter configuration line"));
}

TEST(EndToEndTest, TotalReadFromTheFileToo) {
  // Without -t: the file starts with the total 0, then the configuration line.
  TempDir dir;
  {
    std::ofstream file(dir / "requests.txt");
    file << "0\n" << ReadFile(TEST_DATA_DIR "/requests.txt");
  }
  ASSERT_EQ(RunProgram(dir, FrontEndLine({"-d", "-in:requests.txt"})), 0)
      << ReadFile(dir / "err.txt");
  EXPECT_THAT(ReadFile(dir / "s.csv"), StartsWith(",77,50,"));
}

TEST(EndToEndTest, NoLabelsAndFirstColumns) {
  TempDir dir;
  std::vector<std::string> arguments = ManualLine();
  for (const char* more : {"-d", "-cw:40", "-cs:7", "-cx:x"}) arguments.push_back(more);
  ASSERT_EQ(RunProgram(dir, arguments), 0) << ReadFile(dir / "err.txt");
  EXPECT_THAT(ReadFile(dir / "w.csv"), StartsWith("40,44.1667,28.5,"));
  EXPECT_THAT(ReadFile(dir / "s.csv"), StartsWith("7,77,50,"));
  EXPECT_THAT(ReadFile(dir / "x.csv"), StartsWith("x,82,55,"));
  EXPECT_EQ(Lines(ReadFile(dir / "w.csv")).size(), 1u);
}

TEST(EndToEndTest, SameSeedGivesIdenticalFiles) {
  TempDir first, second;
  auto arguments = FrontEndLine({"-t:300", "-n:3", "-p:40", "-r:12345"});
  ASSERT_EQ(RunProgram(first, arguments), 0) << ReadFile(first / "err.txt");
  ASSERT_EQ(RunProgram(second, arguments), 0) << ReadFile(second / "err.txt");
  for (const char* name : {"w.csv", "s.csv", "x.csv"}) {
    EXPECT_EQ(Lines(ReadFile(first / name)).size(), 2u) << name;
    EXPECT_EQ(ReadFile(first / name), ReadFile(second / name)) << name;
  }
}

TEST(EndToEndTest, UnusableInputFailsWithOneMessage) {
  TempDir dir;
  EXPECT_EQ(RunProgram(dir, FrontEndLine({"-t:5", "-n:0", "-b:0"})), 1);
  EXPECT_THAT(ReadFile(dir / "err.txt"), StartsWith("schedule: "));
  EXPECT_EQ(Lines(ReadFile(dir / "err.txt")).size(), 1u);
}

}  // namespace
}  // namespace schedule
