// The built program, run as the front end runs it: a complete command line,
// a requests file and CSV result files that grow by one row per run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

using ::testing::StartsWith;

// Runs the program inside `dir` with everything the front end passes plus
// `more`, its output going to out.txt and err.txt there; returns its exit
// status.
int RunProgram(const TempDir& dir, const std::vector<std::string>& more) {
  // The time limit keeps a program that never ends from stalling the suite.
  std::string command = "cd '" + dir.path().string() + "' && timeout 60 '" SCHEDULE_PROGRAM "'";
  for (const char* argument :
       {"-w:w.csv", "-s:s.csv", "-xw:x.csv", "-b:2", "-e:1", "-st:0", "-m:100", "-i:0", "-f:0",
        "-wc:0", "-rw:3", "-o:0", "-x:1", "-rb:n", "-rs:n"}) {
    command += std::string(" ") + argument;
  }
  for (const std::string& argument : more) command += " '" + argument + "'";
  command += " </dev/null >out.txt 2>err.txt";
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(EndToEndTest, RequestsFileRunAppendsOneRowPerRun) {
  // Requests 10, 20 at tick 0, 30 at tick 2, 40, 5, 7 at tick 5. FCFS serves
  // them at ticks 10, 22, 34, 46, 83, 87 (waits 10 22 32 41 78 82); SSTF
  // takes 10, 7, 5, 20, 30, 40 at ticks 10, 15, 19, 36, 48, 60. The sweeps
  // serve 5 on arrival (the head is on it), then 7, 10, 20, 30 and 40 at
  // ticks 9, 14, 26, 38 and 50.
  const struct {
    const char* name;
    std::string row;
  } kFiles[] = {{"s.csv", ",77,50,40,40,40,40,40,0,0\n"},
                {"w.csv", ",44.1667,28.5,20.8333,20.8333,20.8333,20.8333,20.8333,0,0\n"},
                {"x.csv", ",82,55,45,45,45,45,45,0,0\n"}};
  TempDir dir;
  for (int run = 0; run < 2; ++run) {
    ASSERT_EQ(RunProgram(dir, {"-t:0", "-in:" TEST_DATA_DIR "/requests.txt"}), 0)
        << ReadFile(dir / "err.txt");
  }
  for (const auto& file : kFiles) {
    EXPECT_EQ(ReadFile(dir / file.name), std::string(kLabelRow) + "\n" + file.row + file.row);
  }
  EXPECT_THAT(ReadFile(dir / "out.txt"), StartsWith("Enter configuration line"));
}

}  // namespace
}  // namespace schedule
