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
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace trakvist {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// Generous bounds for a start-up or a short run, and for a stop (about 200
// ms; a long run takes seconds), on a loaded machine and in a sanitizer build.
constexpr milliseconds kBound{30000};
constexpr milliseconds kStopBound{4000};

// The engine's arguments: the words of `line`, then every answer it would ask.
std::vector<std::string> Arguments(const std::string& line) {
  std::istringstream words(line + " -r:1 -i:0 -f:0 -wc:0 -rw:3 -o:1 -x:1 -b:2 -e:1 -st:0" +
                           " -m:1000 -rb:n -rs:n");
  return {std::istream_iterator<std::string>(words), {}};
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// One engine process, stdin from /dev/null and stdout into `output`. A run
// the test leaves behind is killed and reaped.
class Engine {
 public:
  Engine(std::vector<std::string> words, const std::filesystem::path& output) {
    words.insert(words.begin(), SCHEDULE_PROGRAM);
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
  ~Engine() {
    if (pid_ > 0 && !ended_ && kill(pid_, SIGKILL) == 0) waitpid(pid_, nullptr, 0);
  }
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  std::uint32_t pid() const { return static_cast<std::uint32_t>(pid_); }
  // Reaps the engine if it ends within `bound`; true if it exited with 0.
  bool EndsCleanly(milliseconds bound) {
    for (const Clock::time_point deadline = Clock::now() + bound;;) {
      if (!ended_ && pid_ > 0) ended_ = waitpid(pid_, &status_, WNOHANG) == pid_;
      if (ended_ || Clock::now() >= deadline) break;
      std::this_thread::sleep_for(milliseconds(2));
    }
    return ended_ && WIFEXITED(status_) && WEXITSTATUS(status_) == 0;
  }

 private:
  pid_t pid_ = -1;
  bool ended_ = false;
  int status_ = 0;
};

class EngineLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string folder = std::filesystem::temp_directory_path() / "engine_link_XXXXXX";
    ASSERT_NE(mkdtemp(folder.data()), nullptr) << std::strerror(errno);
    folder_ = folder;
    ASSERT_EQ(mkfifo(Path("gate").c_str(), 0600), 0) << std::strerror(errno);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // A link number no other test, in this process or another, uses.
  static std::int32_t LinkId(int k) { return static_cast<std::int32_t>(getpid() * 100 + k); }
  std::filesystem::path Path(const std::string& name) const { return folder_ / name; }

  // An engine linked to `id` that says hello, then blocks opening a FIFO
  // (its -in: file) before its clock starts, until OpenGate().
  Engine StartGated(std::int32_t id, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(),
                     {"-hw:" + std::to_string(id), "-in:" + Path("gate").string()});
    return Engine(arguments, Path("linked.txt"));
  }
  bool OpenGate() const {
    for (const Clock::time_point deadline = Clock::now() + kBound; Clock::now() < deadline;) {
      int fd = open(Path("gate").c_str(), O_WRONLY | O_NONBLOCK);  // ENXIO until the engine reads
      if (fd >= 0) return close(fd) == 0;
      std::this_thread::sleep_for(milliseconds(2));
    }
    return false;
  }

  // Waits up to `bound` for `engine` to end cleanly, then appends the wParams
  // of what `link` holds, all progress messages. Reading only then checks that
  // the link, following the engine since its hello, queues a whole burst.
  static bool CollectAfterEnd(EngineLink& link, Engine& engine, milliseconds bound,
                              std::vector<std::uint32_t>* progress) {
    bool ended = engine.EndsCleanly(bound);
    while (std::optional<LinkMessage> message = link.Receive()) {
      EXPECT_EQ(*message, (LinkMessage{kProgressMessage, message->wparam, 0}));
      progress->push_back(message->wparam);
    }
    return ended;
  }

  std::filesystem::path folder_;
};

// Without an engine: a second link cannot take a number in use, a closed
// one frees it, and a stop has nowhere to go.
TEST_F(EngineLinkTest, OneListenerPerNumberAndNoStopWithoutEngine) {
  EngineLink first;
  ASSERT_FALSE(first.Open(LinkId(1)));
  EngineLink second;
  EXPECT_EQ(second.Open(LinkId(1)), std::errc::address_in_use);
  EXPECT_FALSE(second.is_open());
  first.Close();
  ASSERT_FALSE(second.Open(LinkId(1)));
  EXPECT_EQ(second.PostStop(0), std::errc::connection_refused) << "no thread has id 0";
}

// Only three unsigned 32-bit decimal numbers with single spaces make a
// message. Any other datagram, also one too long to be a message, is skipped
// and the message queued behind it is returned.
TEST_F(EngineLinkTest, SkipsMalformedDatagrams) {
  EngineLink link;
  ASSERT_FALSE(link.Open(LinkId(3)));
  int sender = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);  // never blocks
  ASSERT_GE(sender, 0);
  sockaddr_un to{.sun_family = AF_UNIX, .sun_path = {}};
  std::string name = "trakvist." + std::to_string(LinkId(3));
  std::memcpy(to.sun_path + 1, name.data(), name.size());
  auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  auto post = [&](std::string_view text) {
    EXPECT_EQ(sendto(sender, text.data(), text.size(), 0, reinterpret_cast<sockaddr*>(&to), size),
              static_cast<ssize_t>(text.size()));
  };
  post("4294967295 5 7");
  EXPECT_EQ(link.Receive(), (LinkMessage{4294967295u, 5, 7}));
  const std::string too_long = "32769 1 " + std::string(100, '0') + "x";  // starts like one
  const std::string_view with_nul("32769 1 0\0", 10);
  const std::string_view not_messages[] = {
      "",           "32769",      "32769 1",     "32769 1 ",           "32769 1 0 ",
      " 32769 1 0", "32769  1 0", "32769 1 0\n", "32769\t1 0",         "32769 1 0 5",
      "+32769 1 0", "32769 -1 0", "32769 1 0x1", "32769 1 4294967296", "1 2 a",
      with_nul,     too_long};
  for (std::string_view text : not_messages) {
    post(text);
    post("32769 7 0");
    EXPECT_EQ(link.Receive(), (LinkMessage{kProgressMessage, 7, 0})) << '"' << text << '"';
  }
  close(sender);
  EXPECT_EQ(link.Receive(milliseconds(20)), std::nullopt);
}

// Per case: without -hw: nothing arrives and the report is the same. With it,
// hello comes first with the engine's thread id (its process id), then only
// progress messages whose wParams, the last one's included, add up to the
// services of every simulated scheduler. The gate holds the engine until the
// hello is read, so the burst reaches a link that follows it. One link serves
// all runs, letting go of each engine after its run.
TEST_F(EngineLinkTest, ProgressAddsUpOverConsecutiveRuns) {
  struct Case {
    const char* line;     // requests, all at time zero, and chunk
    std::uint32_t total;  // sum of the progress wParams
    std::size_t count;    // progress messages, the last one included
  } const cases[] = {{"-t:1000 -n:0 -c:100", 7000, 71},
                     {"-t:1000 -n:0 -c:100 -FCFS", 6000, 61},
                     {"-t:20 -n:0 -c:0", 140, 141},
                     {"-t:1000 -n:0", 0, 1}};
  EngineLink link;
  ASSERT_FALSE(link.Open(LinkId(10)));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Engine silent(Arguments(c.line), Path("silent.txt"));
    std::vector<std::uint32_t> progress;
    ASSERT_TRUE(CollectAfterEnd(link, silent, kBound, &progress));
    EXPECT_TRUE(progress.empty()) << "a run without -hw: posts nothing";
    Engine linked = StartGated(LinkId(10), Arguments(c.line));
    ASSERT_EQ(link.Receive(kBound), (LinkMessage{kHelloMessage, linked.pid(), 0}));
    ASSERT_TRUE(OpenGate());
    ASSERT_TRUE(CollectAfterEnd(link, linked, kBound, &progress));
    link.ForgetEngine();
    EXPECT_EQ(std::accumulate(progress.begin(), progress.end(), 0u), c.total);
    EXPECT_EQ(progress.size(), c.count);
    std::string report = ReadFile(Path("silent.txt"));
    EXPECT_NE(report.find("total seek"), std::string::npos) << report;
    EXPECT_EQ(ReadFile(Path("linked.txt")), report);
  }
}

// A stop ends a long run soon, sent while the clock runs or before it starts
// (it waits in the engine's socket for the first look). The result files keep
// only their label rows; the last progress message (below the chunk) comes.
TEST_F(EngineLinkTest, StopEndsALongRun) {
  EngineLink link;
  ASSERT_FALSE(link.Open(LinkId(20)));
  const std::string files[] = {"w", "s", "xw"};  // -w:, -s: and -xw: result files
  for (bool before_clock : {false, true}) {
    SCOPED_TRACE(before_clock ? "stop before the clock starts" : "stop while the clock runs");
    // 1,000,000 requests at time zero: seconds of work for seven schedulers.
    std::vector<std::string> arguments = Arguments("-t:1000000 -n:0 -c:50000");
    for (const std::string& f : files) arguments.push_back("-" + f + ":" + Path(f).string());
    Engine run = StartGated(LinkId(20), arguments);
    ASSERT_EQ(link.Receive(kBound), (LinkMessage{kHelloMessage, run.pid(), 0}));
    // Early: right after the hello, before the gate opens and the clock starts.
    ASSERT_TRUE(!before_clock || !link.PostStop(run.pid()));
    ASSERT_TRUE(OpenGate());
    // Late: once the first progress message shows that the clock runs.
    ASSERT_TRUE(before_clock || link.Receive(kBound));
    ASSERT_TRUE(before_clock || !link.PostStop(run.pid()));
    std::vector<std::uint32_t> progress;
    ASSERT_TRUE(CollectAfterEnd(link, run, kStopBound, &progress)) << "not ended soon after";
    link.ForgetEngine();
    ASSERT_FALSE(progress.empty());
    EXPECT_LT(progress.back(), 50000u) << "the last progress message";
    EXPECT_LT(std::accumulate(progress.begin(), progress.end(), 0u), 7000000u);
    for (const std::string& f : files) {
      std::string text = ReadFile(Path(f));
      EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << f << ":\n" << text;
    }
  }
}

}  // namespace
}  // namespace trakvist
