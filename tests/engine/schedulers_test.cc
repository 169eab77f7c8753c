// Each scheduler's choice of target, its turns and its tie-breaks, and
// S-LOOK's early turn with its waisted time. Seek 1 and settle 0 unless a
// case says otherwise, so that every figure can be followed by hand.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

// Whole runs over a manual list, on the reference clock loop and on the
// engine's clock. Totals are "wait total/maximum wait/seek total" of FCFS,
// SSTF, SCAN, C-SCAN, LOOK, C-LOOK and S-LOOK.
TEST(SchedulersTest, TotalsOfWholeRuns) {
  const struct {
    std::vector<std::string> arguments;
    const char* requests;
    const char* totals;
    const char* why;
  } kCases[] = {
      {{"-i:50", "-m:100", "-b:1"},
       "40",
       "10/10/10 10/10/10 108/108/108 188/188/188 10/10/10 10/10/10 10/10/10",
       "head 50 moving up on 0-99, one request behind it: SCAN up and down (49 + 59), C-SCAN up, "
       "back to 0 and up (49 + 99 + 40), the others straight down (S-LOOK: 10 + 0 < 10 fails)"},
      {{"-i:50", "-b:1"},
       "90 t0 52",
       "118/78/78 118/78/78 42/41/40 42/41/40 42/41/40 42/41/40 42/41/40",
       "52 arrives in tick 1 with the head on 51 and replaces 90 as the target of every sweep "
       "(52 at tick 2, 90 at tick 41) but not of SSTF (90 at tick 40, 52 at tick 79)"},
      {{"-i:50", "-b:1"},
       "40 t2 47",
       "25/15/17 25/15/17 3811/1911/1910 3985/1995/1997 11/11/10 25/15/17 11/11/10",
       "LOOK turns down to 40; 47 arrives in tick 3 with the head on it and is served at once "
       "(0 + 11). C-LOOK's return serves nothing: 40 at tick 10, 47 on the way up at tick 18"},
      {{"-i:70", "-b:1"},
       "20 30",
       "111/61/60 91/51/50 3811/1911/1910 3911/1961/1960 91/51/50 111/61/60 91/51/50",
       "C-LOOK returns down to the lowest request 20 passing 30 (50 moves), then serves 30"},
      {{"-i:70", "-b:1"},
       "20 30 t4 10",
       "188/77/80 148/57/60 5728/1917/1920 5848/1962/1960 148/57/60 208/82/80 148/57/60",
       "10 arrives in tick 5 below C-LOOK's return target 20: the return goes on to 10 "
       "(served at tick 60, waited 55), then 20 at tick 71 and 30 at tick 82"},
      {{"-i:98", "-m:100", "-b:1"},
       "99 t150 99",
       "1/1/1 1/1/1 1/1/1 100/99/199 1/1/1 1/1/1 1/1/1",
       "99 is served at tick 1, the next on 99 arrives at tick 151: C-SCAN has meanwhile gone "
       "back to 0 (99 moves) and climbs again (99 moves), the others serve it at once"},
      {{"-i:0", "-m:1", "-b:1"},
       "0 t5 0",
       "0/0/0 0/0/0 0/0/0 0/0/0 0/0/0 0/0/0 0/0/0",
       "a disk of one cylinder: C-SCAN has nothing to return over and stays"},
      {{"-i:5", "-m:10", "-st:2", "-b:1"},
       "0",
       "7/6/7 7/7/7 15/15/15 15/15/15 7/7/7 7/7/7 7/7/7",
       "cylinders 0-9, settle 2: SCAN up to 9 and down (4 + 9 + 2); C-SCAN returns without "
       "settle and settles on 0 in the tick after arriving there: also tick 15"},
  };
  for (const auto& c : kCases) {
    auto rig = ManualRig(c.arguments, c.requests);
    rig->RunToEnd();
    EXPECT_EQ(rig->Totals(), c.totals) << c.requests << ": " << c.why;
    EXPECT_EQ(rig->EngineTotals(), c.totals) << c.requests << ": " << c.why;
  }
}

TEST(SchedulersTest, SstfEqualDistancesGoToTheLowerQueueIndex) {
  // 45 is entry 0, then 55 is; serving 50 moves 55 into entry 0 ahead of 45.
  const std::tuple<const char*, int, int32_t> kCases[] = {
      {"45 55", 1, 49}, {"55 45", 1, 51}, {"50 45 55", 2, 51}};
  for (const auto& [requests, ticks, head_after] : kCases) {
    auto rig = ManualRig({"-i:50", "-b:1"}, requests);
    rig->Tick(ticks);
    EXPECT_EQ(rig->scheduler(kSstf).head(), head_after) << requests;
  }
}

// S-LOOK's early turn, after the first tick: head 500 moving up.
TEST(SlookTest, TurnsWhenTheNearerExtremeBeatsTheOtherByTheWaistedTime) {
  const struct {
    const char* requests;
    const char* constant;
    int32_t direction;
    const char* why;
  } kCases[] = {
      {"520 900 450", "-wc:0", -1, "dLow 50 + 0 < dHigh 400"},
      {"520 900 450", "-wc:349", -1, "50 + 349 < 400"},
      {"520 900 450", "-wc:350", +1, "50 + 350 is not below 400"},
      {"520 900 100", "-wc:0", +1, "dLow 400 = dHigh 400: the highest is ahead"},
      {"520 900", "-wc:0", +1, "the nearer extreme 520 is ahead"},
  };
  for (const auto& c : kCases) {
    auto rig = ManualRig({"-i:500", "-f:0", c.constant}, c.requests);
    rig->Tick();
    EXPECT_EQ(rig->scheduler(kSLook).direction(), c.direction) << c.why;
    EXPECT_EQ(rig->scheduler(kSLook).head(), 500 + c.direction) << c.why;
  }
}

TEST(SlookTest, TurnDecisionWaitsForTheHeadToBeFree) {
  // Seek 3: after the move in tick 0 the head counts down in ticks 1 and 2.
  // 450 arrives in tick 1; the turn is decided in tick 3 and taken at once.
  auto rig = ManualRig({"-i:500", "-e:3", "-f:0"}, "520 900 t0 450");
  rig->Tick(3);
  EXPECT_EQ(rig->scheduler(kSLook).direction(), +1);
  rig->Tick();
  EXPECT_EQ(rig->scheduler(kSLook).direction(), -1);
  EXPECT_EQ(rig->scheduler(kSLook).head(), 500);
}

TEST(SlookTest, SaturatedWaistedTimeSuppressesTurns) {
  // 450 arrives in tick 2 with the head on 502: 52 + 0 < 398 turns with
  // factor 0, but a factor of 2^30 has overflowed by then and sticks. The
  // largest factor would wrap the saturated value back to a small one if it
  // kept being added; it must stick all the same.
  for (const char* factor : {"-f:0", "-f:1073741824", "-f:2147483647"}) {
    bool saturates = factor != std::string("-f:0");
    auto rig = ManualRig({"-i:500", factor}, "520 900 t1 450");
    rig->Tick(3);
    EXPECT_EQ(rig->scheduler(kSLook).direction(), saturates ? +1 : -1) << factor;
    rig->Tick(10);
    EXPECT_EQ(rig->slook().waisted_time() == reference::SLook::kSaturated, saturates) << factor;
  }
}

TEST(SlookTest, ResetMethods) {
  // Head 5, constant 100, factor 1 per cylinder. Tick 0: 0, 6, 9 arrive;
  // tick 7: 3 and 12. Served: 6 at tick 1 (ordinary), 9 at tick 5 (the
  // highest), 3 at tick 12 (ordinary: 0 and 12 are the extremes), 0 at
  // tick 16 (the lowest), 12 at tick 29 (lowest and highest). With 12 ahead
  // by 4 and 0 behind by 8 at tick 7, 4 + 101 never allows a turn.
  const struct {
    const char* method;
    std::vector<int32_t> waisted;  // after 2, 6, 13, 30 and 31 ticks
  } kCases[] = {
      // Extremes: reset when 9 and 12 are served, not for 6 or 3.
      {"-rw:1", {101, 100, 106, 100, 100}},
      // Ping Pong: reset when the kind changes, ordinary ones included:
      // 6 (0 = 0, none), 9 (2), 3 (0), 0 (1), 12 (2).
      {"-rw:2", {101, 100, 100, 100, 100}},
      // Empty Queue: only in a step that finds the queue empty.
      {"-rw:3", {101, 104, 110, 125, 100}},
      // Any other method never resets.
      {"-rw:4", {101, 104, 110, 125, 125}},
  };
  for (const auto& c : kCases) {
    auto rig = ManualRig({"-i:5", "-f:1", "-wc:100", "-b:1", c.method}, "0 6 9 t6 3 12");
    std::vector<int32_t> seen;
    for (int ticks : {2, 4, 7, 17, 1}) {
      rig->Tick(ticks);
      seen.push_back(rig->slook().waisted_time());
    }
    EXPECT_EQ(seen, c.waisted) << c.method;
    EXPECT_EQ(rig->scheduler(kSLook).direction(), +1) << c.method;
  }
}

TEST(SlookTest, ExtremesFollowTheEntryMovedIntoAFreedSlot) {
  // Head 5, requests 3, 20, 0 (entries 0, 1, 2): 5 + 0 < 15 turns down at
  // once. Serving 3 (tick 2, ordinary) moves 0 into entry 0; serving it at
  // tick 6 is serving the lowest, which resets the waisted time.
  auto rig = ManualRig({"-i:5", "-f:1", "-wc:0", "-rw:1", "-b:1"}, "3 20 0");
  rig->Tick(3);
  EXPECT_EQ(rig->slook().waisted_time(), 2);  // moves in ticks 0 and 1
  rig->Tick(3);
  EXPECT_EQ(rig->slook().waisted_time(), 5);  // and in ticks 3 to 5
  rig->Tick();
  EXPECT_EQ(rig->slook().waisted_time(), 0);
}

}  // namespace
}  // namespace schedule
