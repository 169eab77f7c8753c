// The front end's link against the real engine program: hello, progress and
// stop over the abstract-namespace datagram sockets.
#include "frontend/platform/engine_link.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace trakvist {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// Generous bounds: the tests must hold on a loaded two-core machine and in
// a sanitizer build.
constexpr milliseconds kStartBound{10000};
constexpr milliseconds kRunBound{30000};
constexpr milliseconds kStopBound{2000};

// `total` requests, all at time zero: a run of a few milliseconds.
std::vector<std::string> QuickRun(int total) {
  return {"-t:" + std::to_string(total),
          "-n:0",
          "-r:1",
          "-i:0",
          "-f:0",
          "-wc:0",
          "-rw:3",
          "-o:1",
          "-x:1",
          "-b:2",
          "-e:1",
          "-st:0",
          "-m:1000",
          "-rb:n",
          "-rs:n"};
}
// 1000 requests, each TU having a small chance of one: many seconds.
const std::vector<std::string> kLongRun = {"-t:1000", "-n:1",    "-p:0.001", "-r:1", "-i:0", "-f:0",
                                           "-wc:0",   "-rw:3",   "-o:1",     "-x:1", "-b:2", "-e:1",
                                           "-st:0",   "-m:1000", "-rb:n",    "-rs:n"};

std::vector<std::string> Concat(std::vector<std::string> first,
                                const std::vector<std::string>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// One run of the engine with stdin from /dev/null and stdout into a file.
// A run the test leaves behind is killed and reaped.
class EngineRun {
 public:
  EngineRun(const std::vector<std::string>& arguments, const std::filesystem::path& output) {
    std::vector<std::string> words = Concat({SCHEDULE_PROGRAM}, arguments);
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~EngineRun() {
    if (pid_ > 0 && !ended_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  EngineRun(const EngineRun&) = delete;
  EngineRun& operator=(const EngineRun&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }

  // Reaps the engine if it has ended, without waiting.
  bool Ended() {
    int status = 0;
    if (!ended_ && pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
      ended_ = true;
      exit_status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return ended_;
  }
  bool WaitForEnd(milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (!Ended() && Clock::now() < deadline) std::this_thread::sleep_for(milliseconds(5));
    return Ended();
  }
  int exit_status() const { return exit_status_; }

 private:
  pid_t pid_ = -1;
  bool ended_ = false;
  int exit_status_ = -1;
};

class EngineLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info->name();  // "Case/Param" for parameterized tests
    std::replace(name.begin(), name.end(), '/', '_');
    folder_ = std::filesystem::temp_directory_path() /
              ("engine_link_" + std::to_string(getpid()) + "_" + name);
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // A link number of this test process that no other test process uses.
  static std::int32_t LinkId(int k) { return static_cast<std::int32_t>(getpid() * 100 + k); }

  std::filesystem::path Path(const std::string& name) const { return folder_ / name; }

  // A FIFO given to the engine with -in: after -hw:. Opening it blocks the
  // engine after its hello and before its clock starts, until
  // OpenGate() opens the other end.
  std::string MakeGate() {
    std::string path = Path("gate").string();
    EXPECT_EQ(mkfifo(path.c_str(), 0600), 0) << std::strerror(errno);
    return path;
  }
  static bool OpenGate(const std::string& path) {
    const Clock::time_point deadline = Clock::now() + kStartBound;
    do {
      // ENXIO until the engine has the FIFO open for reading.
      int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) return close(fd) == 0;
      std::this_thread::sleep_for(milliseconds(2));
    } while (Clock::now() < deadline);
    return false;
  }

  // Everything the link receives until the engine has ended, in order.
  static std::vector<LinkMessage> CollectUntilEnd(EngineLink& link, EngineRun& run) {
    std::vector<LinkMessage> messages;
    const Clock::time_point deadline = Clock::now() + kRunBound;
    while (!run.Ended() && Clock::now() < deadline) {
      if (auto message = link.Receive(milliseconds(20))) messages.push_back(*message);
    }
    // Whatever the engine posted before it ended is queued by now.
    while (auto message = link.Receive()) messages.push_back(*message);
    return messages;
  }

  static std::uint32_t ProgressTotal(const std::vector<LinkMessage>& messages) {
    std::uint32_t total = 0;
    for (const LinkMessage& m : messages) {
      if (m.message == kProgressMessage) total += m.wparam;
    }
    return total;
  }

  std::filesystem::path folder_;
};

TEST_F(EngineLinkTest, OneListenerPerNumber) {
  EngineLink first;
  ASSERT_FALSE(first.Open(LinkId(1)));
  EXPECT_TRUE(first.is_open());
  EXPECT_GE(first.fd(), 0);

  EngineLink second;
  EXPECT_EQ(second.Open(LinkId(1)), std::errc::address_in_use);
  EXPECT_FALSE(second.is_open());
  EXPECT_EQ(second.fd(), -1);
  EXPECT_EQ(second.Receive(), std::nullopt);

  EngineLink moved = std::move(first);
  EXPECT_FALSE(first.is_open());
  EXPECT_TRUE(moved.is_open());
  moved.Close();
  EXPECT_FALSE(second.Open(LinkId(1))) << "a closed link frees its number";
}

TEST_F(EngineLinkTest, StopWithoutEngineFails) {
  EngineLink link;
  EXPECT_EQ(link.PostStop(1), std::errc::bad_file_descriptor) << "not open";
  ASSERT_FALSE(link.Open(LinkId(2)));
  // No thread has id 0, so no engine can listen there.
  EXPECT_EQ(link.PostStop(0), std::errc::connection_refused);
}

TEST_F(EngineLinkTest, SkipsMalformedDatagrams) {
  EngineLink link;
  ASSERT_FALSE(link.Open(LinkId(3)));
  int sender = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  ASSERT_GE(sender, 0);
  sockaddr_un to{};
  to.sun_family = AF_UNIX;
  std::string name = "trakvist." + std::to_string(LinkId(3));
  std::memcpy(to.sun_path + 1, name.data(), name.size());
  auto to_size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  std::string long_text = "32769 1 0" + std::string(100, ' ');
  for (const std::string& text :
       std::vector<std::string>{"garbage", "32769 5 0", "", long_text, "32769 7 0"}) {
    ASSERT_EQ(
        sendto(sender, text.data(), text.size(), 0, reinterpret_cast<sockaddr*>(&to), to_size),
        static_cast<ssize_t>(text.size()));
  }
  close(sender);

  EXPECT_EQ(link.Receive(), (LinkMessage{kProgressMessage, 5, 0}));
  EXPECT_EQ(link.Receive(milliseconds(1000)), (LinkMessage{kProgressMessage, 7, 0}));
  EXPECT_EQ(link.Receive(), std::nullopt);
  EXPECT_EQ(link.Receive(milliseconds(20)), std::nullopt);
}

struct ProgressCase {
  std::string name;
  std::vector<std::string> options;
  std::uint32_t total;         // sum of all progress wParams
  std::size_t progress_count;  // progress messages, the last one included
};

void PrintTo(const ProgressCase& c, std::ostream* out) { *out << c.name; }

class EngineLinkProgressTest : public EngineLinkTest,
                               public ::testing::WithParamInterface<ProgressCase> {};

// Hello comes first with the engine's thread id (its process id, as the
// engine has one thread), then progress messages only, adding up to the
// services of every simulated scheduler. The engine is held at the gate
// until the hello has been read, so the whole burst of progress messages
// reaches a link that already follows it.
TEST_P(EngineLinkProgressTest, ProgressAddsUpToEveryService) {
  const ProgressCase& c = GetParam();
  const std::int32_t id = LinkId(10);
  EngineLink link;
  ASSERT_FALSE(link.Open(id));
  std::string gate = MakeGate();
  EngineRun run(Concat({"-hw:" + std::to_string(id), "-in:" + gate}, c.options), Path("out.txt"));
  ASSERT_TRUE(run.started());

  std::optional<LinkMessage> hello = link.Receive(kStartBound);
  ASSERT_TRUE(hello);
  EXPECT_EQ(*hello, (LinkMessage{kHelloMessage, static_cast<std::uint32_t>(run.pid()), 0}));
  ASSERT_TRUE(OpenGate(gate));

  std::vector<LinkMessage> messages = CollectUntilEnd(link, run);
  ASSERT_TRUE(run.Ended());
  EXPECT_EQ(run.exit_status(), 0);
  ASSERT_FALSE(messages.empty());
  for (const LinkMessage& m : messages) {
    EXPECT_EQ(m.message, kProgressMessage);
    EXPECT_EQ(m.lparam, 0u);
  }
  EXPECT_EQ(ProgressTotal(messages), c.total);
  EXPECT_EQ(messages.size(), c.progress_count);
  EXPECT_NE(ReadFile(Path("out.txt")).find("FCFS total seek"), std::string::npos)
      << "the run completed";
}

INSTANTIATE_TEST_SUITE_P(
    Chunks, EngineLinkProgressTest,
    ::testing::Values(ProgressCase{"AllSchedulers", Concat(QuickRun(1000), {"-c:100"}), 7000, 71},
                      ProgressCase{"WithoutFcfs", Concat(QuickRun(1000), {"-c:100", "-FCFS"}), 6000,
                                   61},
                      // Every service on its own, and a last message with nothing left.
                      ProgressCase{"ChunkZero", Concat(QuickRun(20), {"-c:0"}), 140, 141},
                      ProgressCase{"NoChunk", QuickRun(1000), 0, 1}),
    [](const auto& info) { return info.param.name; });

// Without -hw: the engine says nothing, even with a chunk, and prints the
// same report as with it. One link serves consecutive runs when it lets go
// of each engine after its run.
TEST_F(EngineLinkTest, RunsWithAndWithoutLink) {
  const std::int32_t id = LinkId(20);
  EngineLink link;
  ASSERT_FALSE(link.Open(id));

  {
    EngineRun silent(Concat(QuickRun(1000), {"-c:100"}), Path("silent.txt"));
    ASSERT_TRUE(silent.started());
    ASSERT_TRUE(silent.WaitForEnd(kRunBound));
    EXPECT_EQ(link.Receive(milliseconds(100)), std::nullopt);
  }
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    std::string output = "linked" + std::to_string(round) + ".txt";
    EngineRun linked(Concat(QuickRun(1000), {"-hw:" + std::to_string(id), "-c:100"}), Path(output));
    ASSERT_TRUE(linked.started());
    std::optional<LinkMessage> hello = link.Receive(kStartBound);
    ASSERT_TRUE(hello);
    EXPECT_EQ(hello->message, kHelloMessage);
    EXPECT_EQ(hello->wparam, static_cast<std::uint32_t>(linked.pid()));
    CollectUntilEnd(link, linked);
    ASSERT_TRUE(linked.Ended());
    link.ForgetEngine();
    EXPECT_EQ(ReadFile(Path(output)), ReadFile(Path("silent.txt")));
  }
}

// A stop during the run ends it soon: no data rows in the result files,
// only the label rows written at start-up, and the last progress message
// (the only one below the chunk) still arrives.
TEST_F(EngineLinkTest, StopEndsARunningEngine) {
  const std::int32_t id = LinkId(30);
  EngineLink link;
  ASSERT_FALSE(link.Open(id));
  const std::filesystem::path files[] = {Path("w.csv"), Path("s.csv"), Path("xw.csv")};
  EngineRun run(Concat(kLongRun, {"-hw:" + std::to_string(id), "-c:50", "-w:" + files[0].string(),
                                  "-s:" + files[1].string(), "-xw:" + files[2].string()}),
                Path("out.txt"));
  ASSERT_TRUE(run.started());

  std::optional<LinkMessage> hello = link.Receive(kStartBound);
  ASSERT_TRUE(hello);
  ASSERT_EQ(hello->message, kHelloMessage);
  std::vector<LinkMessage> messages;
  // The first progress message shows the clock is running.
  if (auto first = link.Receive(kStartBound)) messages.push_back(*first);
  ASSERT_EQ(messages.size(), 1u);

  ASSERT_FALSE(link.PostStop(hello->wparam));
  ASSERT_TRUE(run.WaitForEnd(kStopBound))
      << "still running " << kStopBound.count() << " ms after the stop";

  while (auto message = link.Receive()) messages.push_back(*message);
  EXPECT_EQ(messages.back().message, kProgressMessage);
  EXPECT_LT(messages.back().wparam, 50u) << "the last progress message";
  EXPECT_LT(ProgressTotal(messages), 7000u);
  for (const auto& file : files) {
    std::string text = ReadFile(file);
    EXPECT_FALSE(text.empty()) << file;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << file << ":\n" << text;
  }
}

// A stop queued before the clock starts is taken by the first poll, which
// comes 200 ms after the clock has started; the run ends without a report.
TEST_F(EngineLinkTest, StopBeforeTheClockStarts) {
  const std::int32_t id = LinkId(40);
  EngineLink link;
  ASSERT_FALSE(link.Open(id));
  std::string gate = MakeGate();
  EngineRun run(Concat(kLongRun, {"-hw:" + std::to_string(id), "-in:" + gate, "-c:50"}),
                Path("out.txt"));
  ASSERT_TRUE(run.started());
  std::optional<LinkMessage> hello = link.Receive(kStartBound);
  ASSERT_TRUE(hello);
  ASSERT_FALSE(link.PostStop(hello->wparam));

  ASSERT_TRUE(OpenGate(gate));
  const Clock::time_point release = Clock::now();
  std::vector<LinkMessage> messages = CollectUntilEnd(link, run);
  const auto elapsed = std::chrono::duration_cast<milliseconds>(Clock::now() - release);
  ASSERT_TRUE(run.Ended());
  EXPECT_GE(elapsed.count(), 150) << "no poll before 200 ms";
  EXPECT_LT(elapsed, kStopBound);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().message, kProgressMessage);
  EXPECT_LT(ProgressTotal(messages), 7000u);
  std::string output = ReadFile(Path("out.txt"));
  EXPECT_NE(output.find("Simulation Started"), std::string::npos);
  EXPECT_EQ(output.find("total seek"), std::string::npos) << output;
}

}  // namespace
}  // namespace trakvist
