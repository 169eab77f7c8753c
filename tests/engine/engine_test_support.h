// Helpers shared by the engine tests: C streams over text, a recording link
// channel, whole in-process runs (with the engine's clock or the reference
// clock loop), temporary folders and a rig over the reference clock loop
// that can be ticked and inspected.
#ifndef SCHEDULE_TESTS_ENGINE_ENGINE_TEST_SUPPORT_H_
#define SCHEDULE_TESTS_ENGINE_ENGINE_TEST_SUPPORT_H_

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/link.h"
#include "engine/link_channel.h"
#include "engine/manual_requests.h"
#include "engine/options.h"
#include "engine/prompts.h"
#include "engine/random.h"
#include "engine/run_config.h"
#include "engine/schedule_app.h"
#include "engine/simulation.h"
#include "engine/workload.h"
#include "tests/engine/reference/schedulers/queue_scheduler.h"
#include "tests/engine/reference/schedulers/slook.h"
#include "tests/engine/reference/simulation.h"

namespace schedule {

// Column (and step) order of the simulated schedulers.
enum Algo { kFcfs = 0, kSstf, kScan, kCScan, kLook, kCLook, kSLook, kAlgoCount };

inline constexpr char kLabelRow[] = ",FCFS,SSTF,SCAN,C-SCAN,LOOK,C-LOOK,S-LOOK,BO-PATH,SATF";

// A C stream holding `text`, positioned at its start.
inline FilePtr TextStream(std::string_view text) {
  FilePtr file(std::tmpfile());
  std::fwrite(text.data(), 1, text.size(), file.get());
  std::rewind(file.get());
  return file;
}

// Everything written to a C stream so far.
inline std::string ReadAll(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
  return text;
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A folder of its own for one test, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "engine-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string operator/(std::string_view name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct PostedMessage {
  uint32_t message;
  uint32_t wparam;
};

// A link channel that records what is posted into `posts` (if given) and
// answers the stop polls with `stop`, from the `first_stop`-th poll on. Its
// millisecond tick advances by 300 on every reading, so every look for a
// stop is due.
class FakeChannel : public LinkChannel {
 public:
  FakeChannel(std::vector<PostedMessage>* posts, bool stop, int first_stop = 1)
      : posts_(posts), stop_(stop), first_stop_(first_stop) {}

  void Open(int32_t) override {}
  void Post(uint32_t message, uint32_t wparam, uint32_t) override {
    if (posts_ != nullptr) posts_->push_back({message, wparam});
  }
  bool PollStop() override { return stop_ && ++polls_ >= first_stop_; }
  uint32_t Tick() override { return tick_ += 300; }
  uint32_t ThreadId() override { return 4242; }

 private:
  std::vector<PostedMessage>* posts_;
  bool stop_;
  int first_stop_;
  int polls_ = 0;
  uint32_t tick_ = 0;
};

struct AppRun {
  int status;
  std::string out;
  std::string err;
  std::vector<PostedMessage> posts;
};

// One whole engine run in this process, with `console` as its console input
// and the link channel `channel` (by default a FakeChannel recording into
// the result's posts, answering every look for a stop with `stop`).
inline AppRun RunApp(const std::vector<std::string>& arguments, std::string_view console = "",
                     bool stop = false, const ClockModel& clock = RunClock,
                     std::unique_ptr<LinkChannel> channel = nullptr) {
  AppRun run;
  FilePtr in = TextStream(console);
  FilePtr out(std::tmpfile());
  FilePtr err(std::tmpfile());
  if (channel == nullptr) channel = std::make_unique<FakeChannel>(&run.posts, stop);
  run.status =
      RunSchedule(arguments, AppStreams{in.get(), out.get(), err.get()}, std::move(channel), clock);
  run.out = ReadAll(out.get());
  run.err = ReadAll(err.get());
  return run;
}

// The options that answer every prompt except the workload ones, so that a
// test names only what it is about. Later options override these.
inline std::vector<std::string> Quiet(std::vector<std::string> arguments) {
  std::vector<std::string> all = {"-i:0", "-f:0", "-rw:3", "-o:0", "-x:1", "-rb:n", "-rs:n"};
  all.insert(all.end(), arguments.begin(), arguments.end());
  return all;
}

// A reference simulation set up as the engine does it: options (with
// Quiet's answers), then the prompts read from `input`. Steps can be taken
// one tick at a time and every scheduler's state inspected.
class Rig {
 public:
  Rig(const std::vector<std::string>& arguments, std::string_view input)
      : arguments_(arguments), input_(input), link_(std::make_unique<FakeChannel>(nullptr, false)) {
    workload_ = Configure(&config_, &generators_);
    simulation_ = std::make_unique<reference::Simulation>(config_, *workload_, nullptr);
  }

  // The same run on the engine's own clock, in Totals()' form.
  std::string EngineTotals() const {
    RunConfig config;
    Generators generators;
    std::unique_ptr<Workload> workload = Configure(&config, &generators);
    SimulationOutcome outcome = RunClock(config, *workload, nullptr);
    return FormatTotals(outcome.accounts);
  }

  void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) simulation_->Tick();
  }
  void RunToEnd() {
    for (int i = 0; i < 1000000 && !simulation_->Finished(); ++i) simulation_->Tick();
    EXPECT_TRUE(simulation_->Finished());
  }

  const Accounts& accounts(Algo algo) const { return simulation_->schedulers()[algo]->accounts(); }
  // Any scheduler but FCFS.
  const reference::QueueScheduler& scheduler(Algo algo) const {
    return static_cast<const reference::QueueScheduler&>(*simulation_->schedulers()[algo]);
  }
  const reference::SLook& slook() const {
    return static_cast<const reference::SLook&>(scheduler(kSLook));
  }
  // "wait total/maximum wait/seek total" of every scheduler in column order.
  std::string Totals() const {
    std::vector<Accounts> all;
    for (int algo = kFcfs; algo < kAlgoCount; ++algo)
      all.push_back(accounts(static_cast<Algo>(algo)));
    return FormatTotals(all);
  }
  const Workload& workload() const { return *workload_; }
  bool finished() const { return simulation_->Finished(); }

 private:
  // Options (with Quiet's answers), then the prompts read from the input.
  std::unique_ptr<Workload> Configure(RunConfig* config, Generators* generators) const {
    std::string error;
    FilePtr out(std::tmpfile());
    FrontEndLink link(std::make_unique<FakeChannel>(nullptr, false));
    EXPECT_EQ(ParseOptions(Quiet(arguments_), *config, ParseEffects{generators, &link, out.get()},
                           &error),
              ParseOutcome::kContinue);
    FilePtr in = TextStream(input_);
    ManualList manual;
    PromptResult prompts = AskMissing(*config, PromptStreams{in.get(), out.get(), false}, &manual);
    EXPECT_TRUE(prompts.ok) << prompts.error;
    return std::make_unique<Workload>(*config, *generators, std::move(manual));
  }
  static std::string FormatTotals(const std::vector<Accounts>& accounts) {
    std::string totals;
    for (const Accounts& a : accounts) {
      totals += (totals.empty() ? "" : " ") + std::to_string(a.wait_total) + "/" +
                std::to_string(a.max_wait) + "/" + std::to_string(a.seek_total);
    }
    return totals;
  }

  std::vector<std::string> arguments_;
  std::string input_;
  RunConfig config_;
  Generators generators_;
  FrontEndLink link_;
  std::unique_ptr<Workload> workload_;
  std::unique_ptr<reference::Simulation> simulation_;
};

// A rig over a manual request list given as request text (ended for it).
inline std::unique_ptr<Rig> ManualRig(std::vector<std::string> arguments,
                                      std::string_view requests) {
  arguments.insert(arguments.begin(), "-t:0");
  return std::make_unique<Rig>(arguments, "0\n" + std::string(requests) + " -1\n");
}

}  // namespace schedule

#endif  // SCHEDULE_TESTS_ENGINE_ENGINE_TEST_SUPPORT_H_
