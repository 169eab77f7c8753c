// The two random generators, the four workload modes, the idle skip and
// the manual request list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/draw_paths.h"
#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

using ::testing::ElementsAre;

TEST(RandomTest, SmallGeneratorIsTheClassicFifteenBitSequence) {
  SmallRandom random;
  random.Seed(1);
  std::vector<uint32_t> drawn;
  for (int i = 0; i < 10; ++i) drawn.push_back(random.Next());
  EXPECT_THAT(drawn, ElementsAre(41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464));
}

TEST(RandomTest, LargeGeneratorFollowsThe1998ReferenceSeeding) {
  // The reference outputs for its default seed 4357, which an unseeded
  // generator uses; outputs 624 and 625 come from the second refill.
  const uint32_t kReference[] = {3510405877u, 4290933890u, 2191955339u, 564929546u,  152112058u,
                                 4262624192u, 2687398418u, 268830360u,  1763988213u, 578848526u};
  MersenneTwister unseeded;
  for (uint32_t expected : kReference) EXPECT_EQ(unseeded.Next(), expected);
  for (int i = 10; i < 623; ++i) unseeded.Next();
  EXPECT_EQ(unseeded.Next(), 730882493u);
  EXPECT_EQ(unseeded.Next(), 2222118351u);
  // Seed 0 fills the state with zeros, which the twist keeps at zero.
  MersenneTwister zero;
  zero.Seed(0);
  for (int i = 0; i < 700; ++i) ASSERT_EQ(zero.Next(), 0u);
}

// Every version of the block work this processor runs against the scalar
// one: the numbers of several blocks, and searches that start anywhere in a
// block, run into the next ones and stop on thresholds at the extremes.
TEST(RandomTest, EveryDrawPathGivesAndFindsTheScalarNumbers) {
  struct RestoreBest {
    ~RestoreBest() { UseDrawPath(SupportedDrawPaths().back()); }
  } restore;
  const std::vector<DrawPath> paths = SupportedDrawPaths();
  ASSERT_EQ(paths.front(), DrawPath::kScalar);
  constexpr int kDrawn = 20000;
  auto draw = [](uint32_t seed) {
    MersenneTwister large;
    large.Seed(seed);
    std::vector<uint32_t> numbers;
    for (int i = 0; i < kDrawn; ++i) numbers.push_back(large.Next());
    return numbers;
  };
  ASSERT_TRUE(UseDrawPath(DrawPath::kScalar));
  const std::vector<uint32_t> scalar[] = {draw(600), draw(4357), draw(0xFFFFFFFFu)};
  const uint32_t kThresholds[] = {0, 1, 0x10000, 0x80000000u, 0xFFF00000u, 0xFFFFFFFFu};
  for (DrawPath path : paths) {
    SCOPED_TRACE(DrawPathName(path));
    ASSERT_TRUE(UseDrawPath(path));
    EXPECT_EQ(draw(600), scalar[0]);
    EXPECT_EQ(draw(4357), scalar[1]);
    EXPECT_EQ(draw(0xFFFFFFFFu), scalar[2]);
    for (int start : {0, 1, 600, 623, 624, 1000}) {
      for (uint64_t limit : {0, 1, 24, 625, 12000}) {
        for (uint32_t threshold : kThresholds) {
          for (bool below : {true, false}) {
            SCOPED_TRACE(::testing::Message()
                         << start << " " << limit << " " << threshold << " " << below);
            MersenneTwister large;
            large.Seed(600);
            for (int i = 0; i < start; ++i) large.Next();
            uint32_t hit = 0;
            uint64_t skipped = below ? large.SkipBelow(limit, threshold, &hit)
                                     : large.SkipAtOrAbove(limit, threshold, &hit);
            uint64_t expected = 0;
            while (expected < limit && (scalar[0][start + expected] < threshold) == below) {
              ++expected;
            }
            ASSERT_EQ(skipped, expected);
            size_t next = start + skipped;
            if (skipped < limit) {
              EXPECT_EQ(hit, scalar[0][next]);
              ++next;
            }
            EXPECT_EQ(large.Next(), scalar[0][next]);
            EXPECT_EQ(large.draws(), next + 1);
          }
        }
      }
      MersenneTwister large;
      large.Seed(600);
      for (int i = 0; i < start; ++i) large.Next();
      large.Skip(1250);
      EXPECT_EQ(large.Next(), scalar[0][start + 1250]);
    }
  }
}

// A workload with generators seeded with `seed`, beside a second pair of
// generators in the same state to derive the expected draws from. Up to
// `max` requests per tick with `probability`, or Poisson arrivals at `rate`
// per second with 0.01 s per tick; cylinders 0 to 499.
struct Generated {
  Generated(int32_t total, int32_t max, double probability, double rate, uint32_t seed) {
    config.total = total;
    config.max_per_tu = max;
    config.probability = probability;
    config.arrival_rate = rate;
    config.seconds_per_tu = 0.01;
    config.highest_cylinder = 499;
    generators.Seed(seed);
    reference.Seed(seed);
    workload = std::make_unique<Workload>(config, generators, ManualList{});
  }
  RunConfig config;
  Generators generators;
  Generators reference;
  std::unique_ptr<Workload> workload;
};

TEST(WorkloadTest, ProbabilityModeDrawsTheTestThenTheCountThenTheCylinders) {
  Generated all_at_once(7, 0, 0.0, -1, 1);  // a maximum of 0 sends all in the first tick
  EXPECT_EQ(all_at_once.workload->ArrivalCount(false), 7);
  Generated g(60, 3, 0.4, -1, 9);
  EXPECT_EQ(g.workload->mode(), WorkloadMode::kProbability);
  int32_t left = 60;  // no count goes beyond the requests still to come
  for (int tick = 0; tick < 300; ++tick) {
    // The large generator decides whether this tick draws a count at all;
    // an idle tick always does. Counts 0 to N, cylinders 0 to 499.
    bool idle = tick % 3 == 0;
    int32_t expected = 0;
    if (left > 0 && (0.4 * 4294967296.0 - 1 >= g.reference.large.Next() || idle)) {
      expected = std::min({3, left, int(g.reference.small.Next() / 32767.0 * 4)});
    }
    ASSERT_EQ(g.workload->ArrivalCount(idle), expected) << "tick " << tick;
    left -= expected;
    for (int i = 0; i < expected; ++i) {
      int32_t cylinder = std::min(499, int(g.reference.small.Next() / 32767.0 * 500));
      ASSERT_EQ(g.workload->NextCylinder(), cylinder);
    }
  }
  EXPECT_EQ(left, 0);
}

TEST(WorkloadTest, PoissonCountsAreProductsOfUniforms) {
  Generated g(1 << 30, 0, 0.0, 50, 31);  // 0.5 arrivals per tick
  EXPECT_EQ(g.workload->mode(), WorkloadMode::kPoisson);
  const double limit = std::exp(-0.5);
  auto uniform = [&g] { return g.reference.large.Next() / 4294967295.0; };
  for (int tick = 0; tick < 300; ++tick) {
    // An idle tick starts above the limit, so it always delivers.
    bool idle = tick % 3 == 0;
    double q = idle ? limit + uniform() * (1 - limit) : 1.0;
    int32_t expected = idle ? 0 : -1;
    do {
      q *= uniform();
      ++expected;
    } while (q >= limit);
    ASSERT_EQ(g.workload->ArrivalCount(idle), expected) << "tick " << tick;
  }
}

// The batch-by-batch answers against the tick-by-tick ones of a twin
// workload with the same seed: the same ticks, counts and cylinders, idle
// ticks drawn where the tick-by-tick run has them, and scans cut off at
// arbitrary ticks.
TEST(WorkloadTest, BatchesDrawWhatTicksDraw) {
  const struct {
    std::vector<std::string> arguments;
    const char* list;  // manual mode
  } kCases[] = {
      {{"-t:40", "-n:0"}, nullptr},
      {{"-t:300", "-n:3", "-p:2"}, nullptr},
      {{"-t:300", "-n:1", "-p:100"}, nullptr},
      {{"-t:100", "-n:2", "-p:0"}, nullptr},  // only idle ticks bring requests
      {{"-t:300", "-a:50", "-tu:0.01"}, nullptr},
      {{"-t:300", "-a:50", "-tu:0.0001"}, nullptr},
      {{"-t:300", "-a:5", "-tu:0.01", "-r:0"}, nullptr},  // the large generator gives 0s
      {{"-t:0", "-m:50"}, "0\n3 3 70, 4 t0 5 t0 t7 1\n,, 6 t20000 8 9 t3"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    auto make = [&c](Generators* generators, RunConfig* config) {
      FrontEndLink link(std::make_unique<FakeChannel>(nullptr, false));
      FilePtr out(std::tmpfile());
      std::string error;
      ParseOptions(Quiet(c.arguments), *config, ParseEffects{generators, &link, out.get()}, &error);
      if (config->poisson()) config->max_per_tu = 0;
      FilePtr in = TextStream(c.list == nullptr ? "" : std::string(c.list) + " -1\n");
      ManualList manual;
      EXPECT_TRUE(AskMissing(*config, PromptStreams{in.get(), out.get(), false}, &manual).ok);
      return std::make_unique<Workload>(*config, *generators, std::move(manual));
    };
    Generators tick_generators, batch_generators;
    RunConfig tick_config, batch_config;
    auto ticks = make(&tick_generators, &tick_config);
    auto batches = make(&batch_generators, &batch_config);
    StopCheck stop(nullptr);
    std::mt19937 rng(5);
    uint64_t tick = 0;
    for (int steps = 0; !batches->all_arrived() && steps < 20000; ++steps) {
      const bool idle = ticks->can_skip_idle() && rng() % 4 == 0;
      int32_t count;
      uint64_t arrival_tick = tick;
      if (idle) {
        count = batches->IdleTick();
        ASSERT_EQ(ticks->ArrivalCount(true), count);
      } else {
        // Scan a random stretch; the tick-by-tick twin draws the same ticks.
        uint64_t last = tick + (rng() % 10 == 0 ? rng() % 30000 : rng() % 50);
        std::optional<ArrivalBatch> batch = batches->NextBatch(last, stop);
        count = batch ? batch->count : 0;
        arrival_tick = batch ? batch->tick : last;
        for (uint64_t t = tick; t < arrival_tick; ++t) ASSERT_EQ(ticks->ArrivalCount(false), 0);
        ASSERT_EQ(ticks->ArrivalCount(false), count) << "tick " << arrival_tick;
      }
      for (int32_t i = 0; i < count; ++i) {
        ASSERT_EQ(batches->cylinders().cylinder(batches->NextRank()), ticks->NextCylinder());
      }
      tick = arrival_tick + 1;
      ASSERT_EQ(batches->next_tick(), tick);
    }
    EXPECT_TRUE(batches->all_arrived());
    EXPECT_TRUE(ticks->all_arrived());
  }
}

TEST(WorkloadTest, ReturningCScanHeadKeepsTicksFromBeingIdle) {
  // Arrivals come only in idle ticks; a C-SCAN head on the highest cylinder
  // or on its way back to 0 makes no tick idle. It starts on the highest.
  Rig rig({"-t:12", "-n:3", "-p:0", "-id", "-m:10", "-i:9", "-r:3"}, "");
  int busy_ticks = 0;
  for (int tick = 0; tick < 5000 && !rig.finished(); ++tick) {
    bool busy = rig.scheduler(kCScan).direction() == -1 || rig.scheduler(kCScan).head() == 9;
    int32_t before = rig.workload().generated();
    rig.Tick();
    busy_ticks += busy;
    ASSERT_TRUE(!busy || rig.workload().generated() == before) << "arrivals in tick " << tick;
  }
  EXPECT_TRUE(rig.finished());
  EXPECT_GT(busy_ticks, 0);
}

// Reads a request list (after its configuration line) as the file reader
// does: 4 heads of 600 blocks per track, 2400 blocks per cylinder for LBA.
struct ReadList {
  ManualList list;
  ManualReadResult result;
  std::string printed;
};
ReadList Read(std::string_view text, bool console = false) {
  ReadList read;
  FilePtr in = TextStream(text);
  FilePtr out(std::tmpfile());
  read.result = ReadManualRequests(ManualSource{in.get(), out.get(), console, 4, 600}, &read.list);
  read.printed = ReadAll(out.get());
  EXPECT_TRUE(read.result.ok) << text;
  return read;
}

// The tick in which each request of `text` arrives.
std::vector<int> ArrivalTicks(std::string_view text) {
  ReadList read = Read(text);
  ManualArrivals arrivals(read.list.entries);
  std::vector<int> ticks;
  for (int tick = 0; static_cast<int>(ticks.size()) < read.list.request_count && tick < 1000;
       ++tick) {
    for (int32_t n = arrivals.Count(); n > 0; --n) ticks.push_back(tick);
  }
  return ticks;
}

TEST(ManualListTest, MarkersSpaceTheBatches) {
  // A marker of value n puts n + 1 ticks between the batches around it.
  EXPECT_THAT(ArrivalTicks("0\n10 20,30 t2 40"), ElementsAre(0, 0, 2, 5));
  EXPECT_THAT(ArrivalTicks("0\n1,,2"), ElementsAre(0, 4));
  EXPECT_THAT(ArrivalTicks("0\n1 t0 2\n3"), ElementsAre(0, 1, 1));  // newlines join batches
  EXPECT_THAT(ArrivalTicks("0\nt3 7"), ElementsAre(4));
  EXPECT_THAT(ArrivalTicks("0\r\n1\r\n2 -1 3"), ElementsAre(0, 0));  // -1 ends the list
}

TEST(ManualListTest, BatchesJumpOverTheMarkers) {
  // A marker of value n puts n + 1 ticks between batches, however large n.
  ReadList read = Read("0\n6 t2000000000 8 9 t2147483647 t2147483647 1,,");
  ManualArrivals arrivals(read.list.entries);
  std::vector<std::pair<uint64_t, int32_t>> batches;
  uint64_t tick;
  int32_t count;
  while (arrivals.NextBatch(&tick, &count)) batches.emplace_back(tick, count);
  EXPECT_THAT(batches, ElementsAre(std::pair<uint64_t, int32_t>{0, 1},
                                   std::pair<uint64_t, int32_t>{2000000001, 2},
                                   std::pair<uint64_t, int32_t>{6294967297, 1}));
}

TEST(ManualListTest, ConsolePromptShowsTheRunningTime) {
  EXPECT_EQ(Read("0\n10 20,30 t2 40\n", true).printed,
            "Enter configuration line or press ENTER to skip: "
            "Enter requests for t=0 (-1=stop): Enter requests for t=3 (-1=stop): "
            "\nTotal number of requests=4\n\n");
  EXPECT_EQ(Read("0\n10 20,30 t2 40\n").printed,
            "Enter configuration line or press ENTER to skip: "
            "Enter requests for t=0 (-1=stop): \nTotal number of requests=4\n\n");
}

TEST(ManualListTest, ConfigurationLineSelectsLbaOrCylinders) {
  // Without LBA block numbers are read and ignored.
  ReadList cylinders = Read("0\n5:3 7");
  EXPECT_THAT(cylinders.list.entries, ElementsAre(5, 7));
  EXPECT_EQ(cylinders.list.request_count, 2);
  EXPECT_THAT(Read("1\n2399 2400 4799 4800").list.entries, ElementsAre(0, 1, 1, 2));
  // The line end left after a total typed at the prompt comes first.
  EXPECT_THAT(Read("\n0\n5").list.entries, ElementsAre(5));
  EXPECT_FALSE(Read("\n\n5").list.lba);  // an empty configuration line
}

}  // namespace
}  // namespace schedule
