// The command line, the usage screen, the prompts and the refusals of
// unusable input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

// Parses `arguments` into a fresh configuration and describes every field
// an option sets as " name=value ".
std::string ParseToFields(const std::vector<std::string>& arguments,
                          Generators* generators = nullptr) {
  Generators own;
  RunConfig c;
  FrontEndLink link(std::make_unique<FakeChannel>(nullptr, false));
  FilePtr out(std::tmpfile());
  std::string error;
  EXPECT_EQ(ParseOptions(arguments, c,
                         ParseEffects{generators ? generators : &own, &link, out.get()}, &error),
            ParseOutcome::kContinue);
  auto yn = [](TriState t) { return "?yn"[static_cast<int>(t)]; };
  std::ostringstream s;
  s << " b=" << c.block_time << " bpt=" << c.blocks_per_track << " e=" << c.seek_time
    << " st=" << c.settle_time << " m=" << c.highest_cylinder << " hd=" << c.heads
    << " t=" << c.total << " n=" << c.max_per_tu << " a=" << c.arrival_rate
    << " tu=" << c.seconds_per_tu << " p=" << c.probability << " i=" << c.initial_head
    << " f=" << c.slook_factor << " wc=" << c.slook_constant << " rw=" << c.slook_reset
    << " o=" << c.bopath_threshold << " x=" << c.bopath_depth << " rb=" << yn(c.bopath_reset)
    << " rs=" << yn(c.bopath_swap) << " mt=" << c.latency_method << " hw=" << c.window
    << " c=" << c.chunk << " fcfs=" << c.skip_fcfs << " id=" << c.skip_idle << " d=" << c.no_labels
    << " cw=" << c.wait_file.first_column.value_or("?")
    << " cs=" << c.seek_file.first_column.value_or("?")
    << " cx=" << c.max_wait_file.first_column.value_or("?") << " ";
  return s.str();
}

TEST(OptionsTest, EachOptionSetsItsFieldFromItsValueOffset) {
  // Letters in any case; the value is the leading number of the rest.
  const struct {
    const char* argument;
    const char* expected;
  } kCases[] = {{"-b:7", " b=7 "},         {"-B:7", " b=7 "},        {"-bpt:32", " bpt=32 "},
                {"-BPT:32", " bpt=32 "},   {"-e:3", " e=3 "},        {"-st:4", " st=4 "},
                {"-ST:4", " st=4 "},       {"-m:500", " m=499 "},    {"-hd:8", " hd=8 "},
                {"-?d:8", " hd=8 "},       {"-T:0", " t=0 "},        {"-t:25x", " t=25 "},
                {"-t:abc", " t=0 "},       {"-n:3", " n=3 "},        {"-i:42", " i=42 "},
                {"-f:-5", " f=-5 "},       {"-wc:17", " wc=17 "},    {"-rw:2", " rw=2 "},
                {"-o:9", " o=9 "},         {"-x:4", " x=4 "},        {"-c:100", " c=100 "},
                {"-hw:77", " hw=77 "},     {"-mt:2", " mt=2 "},      {"-id", " id=1 "},
                {"-FCFS", " fcfs=1 "},     {"-fcfs", " fcfs=1 "},    {"-f:3", " fcfs=0 "},
                {"-d", " d=1 "},           {"-p:12.5e1", " p=125 "}, {"-a:5", " a=5 "},
                {"-tu:0.25", " tu=0.25 "}, {"-rb:Y", " rb=y "},      {"-rb:y", " rb=y "},
                {"-rb:x", " rb=n "},       {"-RS:y", " rs=y "},      {"-rs:n", " rs=n "},
                {"-cw:40", " cw=40 "},     {"-CS:a,b", " cs=a,b "},  {"-cx:", " cx= "}};
  for (const auto& c : kCases) {
    EXPECT_THAT(ParseToFields({c.argument}), HasSubstr(c.expected)) << c.argument;
  }
}

TEST(OptionsTest, LaterOptionsWinUnknownOnesAreIgnoredSeedsActAtOnce) {
  EXPECT_THAT(ParseToFields({"-b:3", "-t:10", "-1", "-9", "-k:5", "-B:5", "-T:20"}),
              HasSubstr(" b=5 bpt=600 e=1 st=0 m=1000 hd=4 t=20 "));
  // Numbers out of range are held at the limits.
  EXPECT_THAT(ParseToFields({"-t:99999999999", "-p:-.25e1x", "-i:-99999999999"}),
              HasSubstr(" t=2147483647 n=-1 a=-1 tu=-1 p=-2.5 i=-2147483648 "));
  // Without options: cylinders 0 to 1000 and nothing else given.
  EXPECT_EQ(ParseToFields({"-1", "-9:5", "-z"}), ParseToFields({}));
  // A seed takes effect when parsed, so the last one is in force: the small
  // generator seeded with 2 starts with 45 (2 * 214013 + 2531011, bits 16 on).
  Generators generators;
  Generators expected;
  ParseToFields({"-r:1", "-r:2"}, &generators);
  expected.Seed(2);
  EXPECT_EQ(generators.small.Next(), 45u);
  EXPECT_EQ(generators.large.Next(), expected.large.Next());
}

TEST(UsageTest, HelpOptionsPrintBannerAndUsageAndRunNothing) {
  for (const char* help : {"-?", "-help", "-H", "/h", "-hx"}) {
    // A usage request stops parsing: the later -t:0 never asks for requests.
    AppRun run = RunApp({"-b:3", help, "-t:0"});
    EXPECT_EQ(run.status, 0) << help;
    EXPECT_THAT(run.out, StartsWith("schedule ")) << help;
    // The golden file has no final line end, as the screen has none.
    EXPECT_EQ(run.out.substr(run.out.find('\n') + 1), ReadFile(TEST_DATA_DIR "/usage.golden"))
        << help;
    EXPECT_EQ(run.err, "") << help;
  }
}

TEST(PromptsTest, EveryMissingValueIsAskedForInOrder) {
  // Total 5, all at t = 0, head 7, factor 0, method 3, threshold 0, depth 1, y, n.
  AppRun run = RunApp({"-r:1"}, "5\n0\n7\n0\n3\n0\n1\ny\nn\n");
  EXPECT_EQ(run.status, 0);
  std::string expected = ReadFile(TEST_DATA_DIR "/prompts.golden");
  EXPECT_EQ(run.out.substr(0, expected.size()), expected);
}

TEST(PromptsTest, OnlyMissingValuesAreAskedFor) {
  const std::string kDepth = "\nEnter BO-PATH maximum A* depth (Min=1): ";
  const std::string kStarted = "\nSimulation Started....\n";
  const struct {
    std::vector<std::string> arguments;
    const char* console;
    std::string start;
  } kCases[] = {
      // The probability is asked for only with a maximum above 0, and always scaled.
      {{"-t:2", "-n:1"}, "50\n", "\nEnter request probability %: \n>> 0.5000000000\n"},
      {{"-t:2", "-n:1", "-p:25"}, "", "\n>> 0.2500000000\n"},
      {{"-t:2", "-n:1", "-p:0.5"}, "", "\n>> 0.0050000000\n"},
      {{"-t:2", "-n:0", "-p:25"}, "", kStarted},
      // A depth below 1, -x:0 included, is asked for until it is at least 1.
      {{"-t:1", "-n:0", "-x:0"}, "0\n2\n", kDepth + ">> Too low, Minimum = 1" + kDepth + kStarted},
      // Rate and time unit together replace the maximum and the probability;
      // a rate alone is discarded.
      {{"-t:3", "-a:5", "-tu:0.01", "-n:4", "-p:50"}, "", kStarted},
      {{"-t:3", "-a:5"}, "0\n", "\nEnter Maximum number of requests per time unit"},
  };
  for (const auto& c : kCases) {
    AppRun run = RunApp(Quiet(c.arguments), c.console);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, c.start.size()), c.start);
  }
  // -i:-1 leaves the head unset again: its answer 2 follows the list.
  EXPECT_THAT(
      RunApp(Quiet({"-t:0", "-i:-1"}), "0\n3 -1\n2\n").out,
      HasSubstr("=1\n\nEnter head's initial position: " + kStarted + "\nFCFS total seek = 1\n"));
  // The line end after a total typed at the prompt is not the configuration
  // line: 1 selects LBA, so 4800 is cylinder 2.
  AppRun lba = RunApp(Quiet({}), "0\n1\n4800 -1\n");
  EXPECT_THAT(lba.out, HasSubstr("skip: \nManual requests using LBA...\n"));
  EXPECT_THAT(lba.out, HasSubstr("\nFCFS total seek = 2\n"));
}

// A run refused before it starts: one message line, nothing simulated, no
// data row in the result file (the label row may already be there).
void ExpectRefused(std::vector<std::string> arguments, std::string_view console = "") {
  SCOPED_TRACE(::testing::PrintToString(arguments));
  TempDir dir;
  arguments.push_back("-s:" + dir / "seek.csv");
  AppRun run = RunApp(arguments, console);
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, StartsWith("schedule: "));
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;  // one line
  EXPECT_THAT(run.out, Not(HasSubstr("Simulation Started")));
  std::string seek = ReadFile(dir / "seek.csv");
  EXPECT_TRUE(seek.empty() || seek == std::string(kLabelRow) + "\n") << seek;
}

TEST(RefusalTest, UnusableDiskWorkloadOrAnswersAreRefused) {
  ExpectRefused(Quiet({"-t:5", "-n:0", "-b:0"}));
  ExpectRefused(Quiet({"-t:5", "-n:0", "-b:65536"}));
  ExpectRefused(Quiet({"-t:5", "-n:0", "-e:0"}));
  ExpectRefused(Quiet({"-t:5", "-n:0", "-st:-1"}));
  ExpectRefused(Quiet({"-t:5", "-n:0", "-m:0"}));
  ExpectRefused(Quiet({"-t:5", "-n:0", "-i:1001"}));  // cylinders 0 to 1000
  ExpectRefused(Quiet({"-t:5", "-n:0", "-i:-3"}));
  ExpectRefused(Quiet({"-t:-5", "-n:0"}));
  ExpectRefused(Quiet({"-t:5", "-n:-2", "-p:50"}));
  ExpectRefused(Quiet({"-t:5", "-n:1", "-p:0"}));              // never an arrival
  ExpectRefused(Quiet({"-t:5", "-n:1"}), "nan\n");             // nor with no number
  ExpectRefused(Quiet({"-t:5", "-a:1e6", "-tu:1"}));           // e^-1000000 is 0
  ExpectRefused(Quiet({"-t:5", "-a:1e-20", "-tu:1e-20"}));     // e^-1e-40 is 1
  ExpectRefused(Quiet({"-t:5", "-a:5", "-tu:0.01", "-r:0"}));  // the large generator gives 0s
  ExpectRefused(Quiet({"-t:5", "-n:0", "-in:/nonexistent/requests.txt"}));
  ExpectRefused({}, "");                               // input ends at the first prompt
  ExpectRefused({}, "abc\n");                          // not a number
  ExpectRefused(Quiet({"-t:0"}), "0\n10 x 20 -1\n");   // a stray letter in the list
  ExpectRefused(Quiet({"-t:0"}), "0\n10 -5 20 -1\n");  // a negative request
  // The notice is printed when -mt: is parsed, before the refusal.
  ExpectRefused(Quiet({"-t:1", "-n:0", "-mt:1"}));
  EXPECT_EQ(RunApp(Quiet({"-t:1", "-n:0", "-mt:1"})).out,
            "You should #define RLATENCY to use -mt option.\n");
}

TEST(RefusalTest, TotalsBeyondTheMachinesMemoryAreRefusedAtOnce) {
  // Given on the command line: refused before anything is written or asked.
  TempDir dir;
  AppRun run = RunApp({"-t:2000000000", "-n:0", "-s:" + dir / "seek.csv"});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, StartsWith("schedule: 2000000000 requests need "));
  EXPECT_THAT(run.err, HasSubstr(" GB of memory for their queues; this machine has "));
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  EXPECT_EQ(run.out, "");  // not even a prompt
  EXPECT_EQ(ReadFile(dir / "seek.csv"), "");
  // Typed at the prompt: refused as soon as it is known.
  ExpectRefused(Quiet({"-n:0"}), "2000000000\n");
}

TEST(RefusalTest, IdleSkipOrAWindowMakeTheRunUsable) {
  // With -id the arrivals that never come in a normal tick come in idle
  // ones; with a window, -mt: only prints its notice.
  for (const auto& arguments : {Quiet({"-t:5", "-n:1", "-p:0", "-id", "-r:4"}),
                                Quiet({"-t:5", "-a:1e-20", "-tu:1e-20", "-id", "-r:4"}),
                                Quiet({"-t:5", "-a:5", "-tu:0.01", "-r:0", "-id"}),
                                Quiet({"-t:1", "-n:0", "-mt:1", "-hw:5"})}) {
    AppRun run = RunApp(arguments);
    EXPECT_EQ(run.status, 0) << ::testing::PrintToString(arguments) << run.err;
    EXPECT_THAT(run.out, HasSubstr("SSTF total seek = "));
  }
}

TEST(RefusalTest, LbaListWithBlockNumbersStopsTheRun) {
  TempDir dir;
  AppRun run = RunApp(Quiet({"-t:0", "-d", "-s:" + dir / "seek.csv"}), "1\n2400:3 -1\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.out,
              HasSubstr("\n\nInput file uses LBA, but some requests are using block numbers!!"));
  EXPECT_EQ(ReadFile(dir / "seek.csv"), "");
}

// Only a datagram that starts with the stop message's plain number ends a
// run; the front end sends "32770 0 0".
TEST(LinkTest, StopDatagramIsReadStrictly) {
  const struct {
    const char* text;
    bool stop;
  } kCases[] = {
      {"32770 0 0", true},   {"32770", true},           {"032770 1 2", true},
      {"32769 0 0", false},  {" 32770 0 0", false},     {"+32770 0 0", false},
      {"32770x 0 0", false}, {"32770\n", false},        {"-18446744073709518846 0 0", false},
      {"", false},           {"4295000066 0 0", false},
  };
  for (const auto& c : kCases) EXPECT_EQ(IsStopDatagram(c.text), c.stop) << c.text;
}

}  // namespace
}  // namespace schedule
