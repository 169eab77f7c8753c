// The engine's event-driven clock against the reference clock loop that
// steps every scheduler through every tick: thousands of random option sets
// covering every workload mode, reset method, idle skip, skipped FCFS, tiny
// and large timings, disks of one and of many cylinders, heads anywhere and
// manual lists full of ties, both initial directions. Report, CSV rows,
// link messages and the head-path log must be the same to the byte, on every
// version of the large generator's block work that this processor runs (the
// reference always on the scalar one). Each
// case is kept small enough for the reference, which must run it tick by
// tick, also in the sanitizer build.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/draw_paths.h"
#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

constexpr int kCases = 2400;
// The cases are split in shards that ctest runs side by side.
constexpr int kShards = 6;
// A case is redrawn when the reference would need more ticks than this.
constexpr double kTickBudget = 60000;

struct Case {
  std::vector<std::string> arguments;
  std::string console;
  bool files = false;  // results to CSV files rather than the console report
  int mode = 0;        // 0 manual, 1 all at time zero, 2 probability, 3 Poisson
  std::string Describe() const {
    std::string text;
    for (const std::string& a : arguments) text += a + " ";
    if (!console.empty()) text += "<<< " + console;
    return text;
  }
};

class CaseMaker {
 public:
  explicit CaseMaker(uint64_t seed) : rng_(seed) {}

  Case Make() {
    for (;;) {
      Case c = Draw();
      if (estimated_ticks_ <= kTickBudget) return c;
    }
  }

 private:
  int64_t Uniform(int64_t low, int64_t high) {
    return std::uniform_int_distribution<int64_t>(low, high)(rng_);
  }
  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  template <class T>
  T Pick(std::initializer_list<T> values) {
    return values.begin()[Uniform(0, static_cast<int64_t>(values.size()) - 1)];
  }
  void Add(const std::string& option, int64_t value) {
    case_.arguments.push_back(option + std::to_string(value));
  }

  Case Draw();
  void DrawDisk();
  void DrawSlook();
  void DrawWorkload();
  void DrawManualList();

  std::mt19937_64 rng_;
  Case case_;
  int64_t highest_ = 0;
  int64_t seek_ = 1;
  int64_t per_request_ = 0;  // ticks a request may cost the slowest scheduler
  double estimated_ticks_ = 0;
};

Case CaseMaker::Draw() {
  case_ = Case{};
  DrawDisk();
  DrawSlook();
  Add("-o:", Uniform(0, 5));
  Add("-x:", 1);
  case_.arguments.push_back("-rb:n");
  case_.arguments.push_back("-rs:y");
  Add("-r:", Uniform(0, 1000000));
  if (Chance(0.15)) case_.arguments.push_back("-FCFS");
  if (Chance(0.4)) {
    Add("-hw:", 7);
    Add("-c:", Pick<int64_t>({-1, 0, 1, 3, 10, 64}));
  }
  case_.files = Chance(0.5);
  DrawWorkload();
  return case_;
}

void CaseMaker::DrawDisk() {
  highest_ = Pick<int64_t>({0, 1, 2, 9, 49, 199, 999, 999, 4999, 29999});
  if (Chance(0.3)) highest_ = Uniform(0, 300);
  Add("-m:", highest_ + 1);
  int64_t head = Chance(0.3) ? Pick<int64_t>({0, highest_}) : Uniform(0, highest_);
  Add("-i:", head);
  seek_ = Chance(0.7) ? 1 : Uniform(2, Pick<int64_t>({3, 20}));
  Add("-e:", seek_);
  int64_t settle = Pick<int64_t>({0, 0, 1, 3});
  if (Chance(0.3)) settle = Uniform(0, Pick<int64_t>({20, 300, 5000}));
  Add("-st:", settle);
  int64_t block = Chance(0.3) ? 1 : Uniform(1, 5);
  if (Chance(0.1)) block = Uniform(100, 3000);
  Add("-b:", block);
  // SCAN and C-SCAN may sweep the whole disk for a single request.
  per_request_ = (highest_ + 1) * seek_ * 2 + settle + block;
}

void CaseMaker::DrawSlook() {
  // (-1 would leave the factor unset, to be asked for.)
  Add("-f:", Pick<int64_t>({0, 1, 1, 2, -2, -3, 7, 1073741824, 2147483647, -1073741824,
                            -2147483647 - 1, 1000000}));
  Add("-wc:", Pick<int64_t>({0, 0, 5, 100, 2000, -50, 2147483646, -2147483647 - 1}));
  Add("-rw:", Pick<int64_t>({1, 2, 3, 3, 0, 4}));
}

void CaseMaker::DrawWorkload() {
  const bool idle = Chance(0.5);
  if (idle) case_.arguments.push_back("-id");
  case_.mode = static_cast<int>(Uniform(0, 3));
  switch (case_.mode) {
    case 0: {  // manual list
      case_.arguments.push_back("-t:0");
      DrawManualList();
      return;
    }
    case 1: {  // all at time zero
      int64_t total = Chance(0.8) ? Uniform(0, 40) : Uniform(40, 400);
      Add("-t:", total);
      Add("-n:", 0);
      estimated_ticks_ = static_cast<double>(total) * per_request_;
      return;
    }
    case 2: {  // probability
      int64_t total = Uniform(1, 60);
      int64_t max = Pick<int64_t>({1, 1, 2, 3, 10});
      double percent = Pick<double>({100, 50, 20, 5, 1, 0.5});
      if (idle && Chance(0.3)) percent = Pick<double>({0, 0.01});
      Add("-t:", total);
      Add("-n:", max);
      case_.arguments.push_back("-p:" + std::to_string(percent));
      double per_tick = percent / 100 * max / 2 + 1e-9;
      estimated_ticks_ = total * (per_request_ + (idle ? 0 : 1 / per_tick));
      return;
    }
    default: {  // Poisson
      int64_t total = Uniform(1, 60);
      double rate = Pick<double>({5, 50, 500, 2000, 20000});
      double seconds = Pick<double>({0.0001, 0.001, 0.01});
      Add("-t:", total);
      case_.arguments.push_back("-a:" + std::to_string(rate));
      case_.arguments.push_back("-tu:" + std::to_string(seconds));
      if (Chance(0.1)) case_.arguments.push_back("-r:0");  // only zeros from the large generator
      if (!idle && (rate * seconds < 1e-4 || case_.arguments.back() == "-r:0")) {
        case_.arguments.push_back("-id");
      }
      double per_tick = rate * seconds;
      estimated_ticks_ = total * (per_request_ + 1 / per_tick);
      return;
    }
  }
}

// Batches of requests drawn from a few cylinders, so that equal distances
// and equal cylinders are everywhere; markers of all kinds between them.
void CaseMaker::DrawManualList() {
  const bool lba = Chance(0.1);
  const int64_t heads = Uniform(1, 3);
  const int64_t per_track = Uniform(1, 4);
  if (lba) {
    Add("-hd:", heads);
    Add("-bpt:", per_track);
  }
  std::vector<int64_t> pool;
  int64_t pool_size = Pick<int64_t>({1, 2, 3, 5, 20});
  for (int64_t i = 0; i < pool_size; ++i) {
    pool.push_back(Chance(0.1) ? highest_ + Uniform(1, 50) : Uniform(0, highest_));
  }
  std::string list = lba ? "1\n" : Pick<std::string>({"0\n", "\n\n"});  // or an empty line
  int64_t requests = 0;
  int64_t gaps = 0;
  int64_t batches = Uniform(0, 12);
  for (int64_t b = 0; b < batches; ++b) {
    if (b > 0 || Chance(0.3)) {
      if (Chance(0.5)) {
        list += Pick<std::string>({",", ",,", ", ,"});
        gaps += 4;
      } else {
        int64_t n = Chance(0.8) ? Uniform(0, 30) : Uniform(100, 20000);
        list += " t" + std::to_string(n) + " ";
        gaps += n + 1;
      }
    }
    int64_t size = Chance(0.7) ? Uniform(1, 4) : Uniform(5, 40);
    for (int64_t i = 0; i < size; ++i) {
      int64_t cylinder = Chance(0.8) ? pool[Uniform(0, pool_size - 1)] : Uniform(0, highest_);
      int64_t number =
          lba ? cylinder * heads * per_track + Uniform(0, heads * per_track - 1) : cylinder;
      list += " " + std::to_string(number);
      if (!lba && Chance(0.05)) list += ":" + std::to_string(Uniform(0, 9));
      list += Chance(0.2) ? "\n" : " ";
    }
    requests += size;
  }
  case_.console = list + " -1\n";
  estimated_ticks_ = static_cast<double>(requests) * per_request_ + gaps;
}

// Runs the case with one clock, its result files (if any) in their own folder.
struct Outcome {
  AppRun run;
  std::string wait, seek, max_wait;
  std::string path_log;
};
Outcome RunCase(const Case& c, const ClockModel& clock) {
  TempDir dir;
  std::vector<std::string> arguments = c.arguments;
  if (c.files) {
    for (const char* option : {"-w:", "-s:", "-xw:"}) arguments.push_back(option + dir / option);
  }
  arguments.push_back("-l:" + dir / "path.csv");
  Outcome outcome{RunApp(arguments, c.console, false, clock), "", "", "", ""};
  outcome.path_log = ReadFile(dir / "path.csv");
  if (c.files) {
    outcome.wait = ReadFile(dir / "-w:");
    outcome.seek = ReadFile(dir / "-s:");
    outcome.max_wait = ReadFile(dir / "-xw:");
  }
  return outcome;
}

std::string Posts(const AppRun& run) {
  std::string text;
  for (const PostedMessage& post : run.posts) {
    text += std::to_string(post.message) + ":" + std::to_string(post.wparam) + " ";
  }
  return text;
}

class DifferentialTest : public ::testing::TestWithParam<int> {
 protected:
  void TearDown() override { UseDrawPath(SupportedDrawPaths().back()); }
};

TEST_P(DifferentialTest, EngineClockMatchesTheReferenceOnRandomOptionSets) {
  const int first = GetParam() * kCases / kShards;
  const int last = (GetParam() + 1) * kCases / kShards;
  int completed = 0;
  int per_mode[4] = {};
  for (int index = first; index < last; ++index) {
    Case c = CaseMaker(1000 + static_cast<uint64_t>(index)).Make();
    if (index % 3 == 2) c.arguments.push_back("-u:0");  // heads start downwards
    SCOPED_TRACE("case " + std::to_string(index) + ": " + c.Describe());
    ASSERT_TRUE(UseDrawPath(DrawPath::kScalar));
    Outcome expected = RunCase(c, reference::RunClock);
    for (DrawPath path : SupportedDrawPaths()) {
      SCOPED_TRACE(DrawPathName(path));
      ASSERT_TRUE(UseDrawPath(path));
      Outcome actual = RunCase(c, RunClock);
      ASSERT_EQ(actual.run.status, expected.run.status) << expected.run.err;
      ASSERT_EQ(actual.run.err, expected.run.err);
      ASSERT_EQ(actual.run.out, expected.run.out);
      ASSERT_EQ(Posts(actual.run), Posts(expected.run));
      ASSERT_EQ(actual.wait, expected.wait);
      ASSERT_EQ(actual.seek, expected.seek);
      ASSERT_EQ(actual.max_wait, expected.max_wait);
      ASSERT_EQ(actual.path_log, expected.path_log);
    }
    completed += expected.run.status == 0;
    ++per_mode[c.mode];
  }
  // Nearly all cases must be runs, not refusals, to be worth comparing, and
  // every workload mode must have its share.
  EXPECT_GT(completed, (last - first) * 9 / 10);
  for (int count : per_mode) EXPECT_GT(count, (last - first) / 6);
}

INSTANTIATE_TEST_SUITE_P(Shards, DifferentialTest, ::testing::Range(0, kShards));

}  // namespace
}  // namespace schedule
