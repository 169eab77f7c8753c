// The command line, the usage screen, the prompts and the refusals of
// unusable input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>

#include "engine/number_reading.h"
#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

// Parses `arguments` into a fresh configuration.
struct Parsed {
  RunConfig config;
  Generators generators;
  ParseOutcome outcome;
  std::string notices;  // what parsing printed
};

std::unique_ptr<Parsed> Parse(const std::vector<std::string>& arguments) {
  auto parsed = std::make_unique<Parsed>();
  FrontEndLink link(std::make_unique<FakeChannel>(std::make_shared<FakeChannel::Log>(), false, 1));
  FilePtr out(std::tmpfile());
  std::string error;
  parsed->outcome = ParseOptions(arguments, parsed->config,
                                 ParseEffects{&parsed->generators, &link, out.get()}, &error);
  parsed->notices = ReadAll(out.get());
  return parsed;
}

using Field = int64_t (*)(const RunConfig&);

struct OptionCase {
  const char* argument;
  Field field;
  int64_t expected;
};

TEST(OptionsTest, EachOptionSetsItsFieldFromItsValueOffset) {
  const OptionCase kCases[] = {
      {"-b:7", [](const RunConfig& c) -> int64_t { return c.block_time; }, 7},
      {"-B:7", [](const RunConfig& c) -> int64_t { return c.block_time; }, 7},
      {"-bpt:32", [](const RunConfig& c) -> int64_t { return c.blocks_per_track; }, 32},
      {"-BPT:32", [](const RunConfig& c) -> int64_t { return c.block_time; }, 2},
      {"-e:3", [](const RunConfig& c) -> int64_t { return c.seek_time; }, 3},
      {"-st:4", [](const RunConfig& c) -> int64_t { return c.settle_time; }, 4},
      {"-ST:4", [](const RunConfig& c) -> int64_t { return c.settle_time; }, 4},
      {"-m:500", [](const RunConfig& c) -> int64_t { return c.highest_cylinder; }, 499},
      {"-hd:8", [](const RunConfig& c) -> int64_t { return c.heads; }, 8},
      {"-?d:8", [](const RunConfig& c) -> int64_t { return c.heads; }, 8},
      {"-t:0", [](const RunConfig& c) -> int64_t { return c.total; }, 0},
      {"-T:0", [](const RunConfig& c) -> int64_t { return c.total; }, 0},
      {"-t:25x", [](const RunConfig& c) -> int64_t { return c.total; }, 25},
      {"-t:abc", [](const RunConfig& c) -> int64_t { return c.total; }, 0},
      {"-n:3", [](const RunConfig& c) -> int64_t { return c.max_per_tu; }, 3},
      {"-i:42", [](const RunConfig& c) -> int64_t { return c.initial_head; }, 42},
      {"-f:-5", [](const RunConfig& c) -> int64_t { return c.slook_factor; }, -5},
      {"-wc:17", [](const RunConfig& c) -> int64_t { return c.slook_constant; }, 17},
      {"-rw:2", [](const RunConfig& c) -> int64_t { return c.slook_reset; }, 2},
      {"-o:9", [](const RunConfig& c) -> int64_t { return c.bopath_threshold; }, 9},
      {"-x:4", [](const RunConfig& c) -> int64_t { return c.bopath_depth; }, 4},
      {"-c:100", [](const RunConfig& c) -> int64_t { return c.chunk; }, 100},
      {"-hw:77", [](const RunConfig& c) -> int64_t { return c.window; }, 77},
      {"-mt:2", [](const RunConfig& c) -> int64_t { return c.latency_method; }, 2},
      {"-id", [](const RunConfig& c) -> int64_t { return c.skip_idle; }, 1},
      {"-FCFS", [](const RunConfig& c) -> int64_t { return c.skip_fcfs; }, 1},
      {"-fcfs", [](const RunConfig& c) -> int64_t { return c.skip_fcfs; }, 1},
      {"-f:3", [](const RunConfig& c) -> int64_t { return c.skip_fcfs; }, 0},
      {"-d", [](const RunConfig& c) -> int64_t { return c.no_labels; }, 1},
      {"-p:12.5e1", [](const RunConfig& c) -> int64_t { return int64_t(c.probability); }, 125},
      {"-a:5", [](const RunConfig& c) -> int64_t { return int64_t(c.arrival_rate); }, 5},
      {"-tu:0.25", [](const RunConfig& c) -> int64_t { return int64_t(c.seconds_per_tu * 100); },
       25},
      {"-rb:Y", [](const RunConfig& c) -> int64_t { return c.bopath_reset == TriState::kYes; }, 1},
      {"-rb:y", [](const RunConfig& c) -> int64_t { return c.bopath_reset == TriState::kYes; }, 1},
      {"-rb:x", [](const RunConfig& c) -> int64_t { return c.bopath_reset == TriState::kNo; }, 1},
      {"-RS:y", [](const RunConfig& c) -> int64_t { return c.bopath_swap == TriState::kYes; }, 1},
      {"-rs:n", [](const RunConfig& c) -> int64_t { return c.bopath_swap == TriState::kNo; }, 1},
  };
  for (const OptionCase& c : kCases) {
    auto parsed = Parse({c.argument});
    EXPECT_EQ(parsed->outcome, ParseOutcome::kContinue) << c.argument;
    EXPECT_EQ(c.field(parsed->config), c.expected) << c.argument;
  }
}

TEST(OptionsTest, FirstColumnTextsAreStoredAsGiven) {
  auto parsed = Parse({"-cw:40", "-CS:a,b", "-cx:"});
  EXPECT_EQ(parsed->config.wait_file.first_column, "40");
  EXPECT_EQ(parsed->config.seek_file.first_column, "a,b");
  EXPECT_EQ(parsed->config.max_wait_file.first_column, "");
}

TEST(OptionsTest, LaterOptionsWinAndUnknownOnesAreIgnored) {
  auto parsed = Parse({"-b:3", "-t:10", "-1", "-9", "-q:5", "-B:5", "-T:20"});
  EXPECT_EQ(parsed->config.block_time, 5);
  EXPECT_EQ(parsed->config.total, 20);
  auto untouched = Parse({"-1", "-9:5", "-z"});
  EXPECT_EQ(untouched->config.total, -1);
  EXPECT_EQ(untouched->config.block_time, 2);
  EXPECT_EQ(untouched->config.highest_cylinder, 1000);  // no -m: gives cylinders 0 to 1000
  EXPECT_EQ(untouched->outcome, ParseOutcome::kContinue);
}

TEST(OptionsTest, SeedTakesEffectWhenParsedSoTheLastOneIsInForce) {
  auto parsed = Parse({"-r:1", "-r:2"});
  // The small generator seeded with 2 starts with 45 (2 * 214013 + 2531011, bits 16 on).
  EXPECT_EQ(parsed->generators.small.Next(), 45u);
  MersenneTwister expected;
  expected.Seed(2);
  EXPECT_EQ(parsed->generators.large.Next(), expected.Next());
}

TEST(OptionsTest, RotationalLatencyNoticeIsPrintedAtParseTime) {
  auto parsed = Parse({"-mt:1"});
  EXPECT_EQ(parsed->notices, "You should #define RLATENCY to use -mt option.\n");
}

TEST(NumberReadingTest, OutOfRangeIntegersAreHeldAtTheLimits) {
  EXPECT_EQ(ReadInteger("99999999999"), INT_MAX);
  EXPECT_EQ(ReadInteger("-99999999999"), INT_MIN);
  EXPECT_DOUBLE_EQ(ReadReal("-.25e1x"), -2.5);
}

// The usage screen after the banner's first line, exactly as documented
// (the golden file has no final line end, as the screen has none).
std::string UsageGolden() { return ReadFile(std::string(TEST_DATA_DIR) + "/usage.golden"); }

TEST(UsageTest, HelpOptionsPrintBannerAndUsageAndRunNothing) {
  for (const char* help : {"-?", "-help", "-H", "/h", "-hx"}) {
    // A usage request stops parsing: the later -t:0 never asks for requests.
    AppRun run = RunApp({"-b:3", help, "-t:0"});
    EXPECT_EQ(run.status, 0) << help;
    EXPECT_THAT(run.out, StartsWith("schedule ")) << help;
    std::string after_banner = run.out.substr(run.out.find('\n') + 1);
    EXPECT_EQ(after_banner, UsageGolden()) << help;  // a mismatch prints a diff
    EXPECT_EQ(run.err, "") << help;
  }
}

constexpr char kSlookMenu[] =
    "\nChoose SLOOK waisted time resting method:\n"
    "1. Reset on every min/max\n"
    "2. Reset on min if the previous is max and reset on max if previous is min\n"
    "3. Reset when request queue is empty (Default)\n";

TEST(PromptsTest, EveryMissingValueIsAskedForInOrder) {
  // Total 5, all at t = 0, head 7, factor 0, method 3, threshold 0, depth 1, y, n.
  AppRun run = RunApp({"-r:1"}, "5\n0\n7\n0\n3\n0\n1\ny\nn\n");
  EXPECT_EQ(run.status, 0);
  std::string expected = std::string() +
                         "\nEnter total number of requests (0=Manual Entry): " +
                         "\nEnter Maximum number of requests per time unit (0=Generate All in "
                         "t=0): " +
                         "Enter head's initial position: " +
                         "\nEnter S-LOOK waisted time factor: " + kSlookMenu +
                         "\nEnter BO-PATH waisted time threshold: " +
                         "\nEnter BO-PATH maximum A* depth (Min=1): " +
                         "\nReset BO-PATH waisted time on every request in path ? (y/n) " +
                         "\nUse BO-PATH min/max swaping trick ? (y/n) " +
                         "\nSimulation Started....\n";
  EXPECT_THAT(run.out, StartsWith(expected));
}

TEST(PromptsTest, ProbabilityIsAskedOnlyWithAMaximumAndAlwaysScaled) {
  AppRun asked = RunApp(Quiet({"-r:1", "-t:2", "-n:1"}), "50\n");
  EXPECT_THAT(asked.out, StartsWith("\nEnter request probability %: \n>> 0.5000000000\n"));
  AppRun given = RunApp(Quiet({"-r:1", "-t:2", "-n:1", "-p:25"}));
  EXPECT_THAT(given.out, StartsWith("\n>> 0.2500000000\n"));
  AppRun at_zero = RunApp(Quiet({"-r:1", "-t:2", "-n:0", "-p:25"}));
  EXPECT_THAT(at_zero.out, StartsWith("\nSimulation Started....\n"));
}

TEST(PromptsTest, DepthIsAskedUntilItIsAtLeastOne) {
  AppRun run = RunApp(Quiet({"-r:1", "-t:1", "-n:0", "-x:0"}), "0\n2\n");
  const std::string prompt = "\nEnter BO-PATH maximum A* depth (Min=1): ";
  EXPECT_THAT(run.out, StartsWith(prompt + ">> Too low, Minimum = 1" + prompt +
                                  "\nSimulation Started....\n"));
  AppRun given = RunApp(Quiet({"-r:1", "-t:1", "-n:0", "-x:3"}));
  EXPECT_THAT(given.out, Not(HasSubstr("A* depth")));
}

TEST(PromptsTest, AnswersMayFollowTheRequestList) {
  // -i:-1 leaves the head unset again; its answer 2 comes after the list.
  AppRun run = RunApp(Quiet({"-t:0", "-i:-1"}), "0\n3 -1\n2\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("\nTotal number of requests=1\n\nEnter head's initial position: "));
  EXPECT_THAT(run.out, HasSubstr("\nSSTF total seek = 1\n"));  // from 2 to 3
}

TEST(PromptsTest, TotalTypedAtThePromptLeavesALineEndBeforeTheConfigurationLine) {
  AppRun run = RunApp(Quiet({}), "0\n1\n4800 -1\n");  // LBA: 4800 / 2400 = cylinder 2
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("\nManual requests using LBA...\n"));
  EXPECT_THAT(run.out, HasSubstr("\nSSTF total seek = 2\n"));
}

TEST(PromptsTest, PoissonNeedsBothRateAndTimeUnit) {
  // With both, neither the maximum nor the probability is asked for or used.
  AppRun poisson = RunApp(Quiet({"-r:3", "-t:3", "-a:5", "-tu:0.01", "-n:4", "-p:50"}));
  EXPECT_EQ(poisson.status, 0);
  EXPECT_THAT(poisson.out, StartsWith("\nSimulation Started....\n"));
  // A rate alone is discarded and the maximum is asked for.
  AppRun rate_only = RunApp(Quiet({"-r:3", "-t:3", "-a:5"}), "0\n");
  EXPECT_THAT(rate_only.out, StartsWith("\nEnter Maximum number of requests per time unit"));
}

// A run refused before it starts: one message line, nothing simulated, no
// data row in the result file (the label row may already be there).
void ExpectRefused(const std::vector<std::string>& arguments, std::string_view console = "") {
  TempDir dir;
  std::vector<std::string> all = arguments;
  all.push_back("-s:" + dir / "seek.csv");
  AppRun run = RunApp(all, console);
  std::string trace = ::testing::PrintToString(arguments);
  EXPECT_EQ(run.status, 1) << trace;
  EXPECT_THAT(run.err, StartsWith("schedule: ")) << trace;
  EXPECT_EQ(Lines(run.err).size(), 1u) << trace << run.err;
  EXPECT_THAT(run.out, Not(HasSubstr("Simulation Started"))) << trace;
  std::string seek = ReadFile(dir / "seek.csv");
  EXPECT_TRUE(seek.empty() || seek == std::string(kLabelRow) + "\n") << trace << seek;
}

TEST(RefusalTest, UnusableDiskOrWorkloadIsRefused) {
  ExpectRefused(Quiet({"-t:5", "-n:0", "-b:0"}));
  ExpectRefused(Quiet({"-t:5", "-n:0", "-b:65536"}));
  ExpectRefused(Quiet({"-t:5", "-n:0", "-e:0"}));
  ExpectRefused(Quiet({"-t:5", "-n:0", "-st:-1"}));
  ExpectRefused(Quiet({"-t:5", "-n:0", "-m:0"}));
  ExpectRefused(Quiet({"-t:5", "-n:0", "-i:1001"}));  // cylinders 0 to 1000
  ExpectRefused(Quiet({"-t:5", "-n:0", "-i:-3"}));
  ExpectRefused(Quiet({"-t:-5", "-n:0"}));
  ExpectRefused(Quiet({"-t:5", "-n:-2", "-p:50"}));
  ExpectRefused(Quiet({"-t:5", "-n:1", "-p:0"}));               // never an arrival
  ExpectRefused(Quiet({"-t:5", "-a:1e6", "-tu:1"}));            // e^-1000000 is 0
  ExpectRefused(Quiet({"-t:5", "-a:1e-20", "-tu:1e-20"}));      // e^-1e-40 is 1
  ExpectRefused(Quiet({"-t:5", "-a:5", "-tu:0.01", "-r:0"}));   // the large generator gives 0s
  ExpectRefused(Quiet({"-t:5", "-n:0", "-in:/nonexistent/requests.txt"}));
}

TEST(RefusalTest, IdleSkipMakesRareArrivalsUsable) {
  for (const auto& arguments : {Quiet({"-t:5", "-n:1", "-p:0", "-id", "-r:4"}),
                                Quiet({"-t:5", "-a:1e-20", "-tu:1e-20", "-id", "-r:4"}),
                                Quiet({"-t:5", "-a:5", "-tu:0.01", "-r:0", "-id"})}) {
    AppRun run = RunApp(arguments);
    EXPECT_EQ(run.status, 0) << ::testing::PrintToString(arguments) << run.err;
    EXPECT_THAT(run.out, HasSubstr("SSTF total seek = "));
  }
}

TEST(RefusalTest, UnusableAnswersAreRefused) {
  ExpectRefused({}, "");                              // input ends at the first prompt
  ExpectRefused({}, "abc\n");                         // not a number
  ExpectRefused(Quiet({"-t:0"}), "0\n10 x 20 -1\n");  // a stray letter in the list
  ExpectRefused(Quiet({"-t:0"}), "0\n10 -5 20 -1\n");  // a negative request
}

TEST(RefusalTest, LatencyWithoutWindowFailsButWithWindowRunsOn) {
  AppRun without = RunApp(Quiet({"-t:1", "-n:0", "-mt:1"}));
  EXPECT_EQ(without.status, 1);
  EXPECT_EQ(without.out, "You should #define RLATENCY to use -mt option.\n");
  AppRun with = RunApp(Quiet({"-t:1", "-n:0", "-mt:1", "-hw:5"}));
  EXPECT_EQ(with.status, 0);
  EXPECT_THAT(with.out, StartsWith("You should #define RLATENCY to use -mt option.\n"));
}

TEST(RefusalTest, LbaListWithBlockNumbersStopsTheRun) {
  TempDir dir;
  AppRun run = RunApp(Quiet({"-t:0", "-d", "-s:" + dir / "seek.csv"}), "1\n2400:3 -1\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.out,
              HasSubstr("\n\nInput file uses LBA, but some requests are using block numbers!!"));
  EXPECT_EQ(ReadFile(dir / "seek.csv"), "");
}

}  // namespace
}  // namespace schedule
