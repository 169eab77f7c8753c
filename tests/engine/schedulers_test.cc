// Each scheduler's choice of target, its turns and its tie-breaks, and
// S-LOOK's early turn with its waisted time. Seek 1 and settle 0 unless a
// case says otherwise, so that every figure can be followed by hand.
#include <gtest/gtest.h>

#include <array>

#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

struct Totals {
  uint64_t wait_total;
  uint32_t max_wait;
  int64_t seek;
};

void ExpectTotals(const Rig& rig, const std::array<Totals, kAlgoCount>& expected) {
  for (int algo = kFcfs; algo < kAlgoCount; ++algo) {
    const Accounts& a = rig.accounts(static_cast<Algo>(algo));
    EXPECT_EQ(a.wait_total, expected[algo].wait_total) << "scheduler " << algo;
    EXPECT_EQ(a.max_wait, expected[algo].max_wait) << "scheduler " << algo;
    EXPECT_EQ(a.seek_total, expected[algo].seek) << "scheduler " << algo;
  }
}

TEST(SchedulersTest, OnlyRequestBehindTheHead) {
  // Head 50 moving up, cylinders 0 to 99, one request on 40.
  auto rig = ManualRig({"-i:50", "-m:100", "-b:1"}, "40");
  rig->RunToEnd();
  ExpectTotals(*rig, {{
                         {10, 10, 10},    // FCFS: straight down
                         {10, 10, 10},    // SSTF: straight down
                         {108, 108, 108}, // SCAN: up to 99 (49), turn, down to 40 (59)
                         {188, 188, 188}, // C-SCAN: up 49, back to 0 (99), up to 40
                         {10, 10, 10},    // LOOK: turns at once
                         {10, 10, 10},    // C-LOOK: returns down to the lowest request
                         {10, 10, 10},    // S-LOOK: 10 + 0 < 10 fails: no early turn, as LOOK
                     }});
}

TEST(SchedulersTest, SstfEqualDistancesGoToTheLowerQueueIndex) {
  struct Case {
    const char* requests;
    int32_t head_after;
    int ticks;
  } const kCases[] = {
      {"45 55", 49, 1},     // 45 is entry 0
      {"55 45", 51, 1},     // 55 is entry 0
      {"50 45 55", 51, 2},  // serving 50 moves 55 into entry 0 ahead of 45
  };
  for (const Case& c : kCases) {
    auto rig = ManualRig({"-i:50", "-b:1"}, c.requests);
    rig->Tick(c.ticks);
    EXPECT_EQ(rig->head_scheduler(kSstf).head(), c.head_after) << c.requests;
  }
}

TEST(SchedulersTest, NearerArrivalReplacesTheTargetOfSweepsButNotOfSstf) {
  // Head 50 heading for 90; 52 arrives in tick 1 when the head is on 51.
  auto rig = ManualRig({"-i:50", "-b:1"}, "90 t0 52");
  rig->Tick(2);
  EXPECT_EQ(rig->target_cylinder(kSstf), 90);
  for (Algo algo : {kScan, kCScan, kLook, kCLook, kSLook}) {
    EXPECT_EQ(rig->target_cylinder(algo), 52) << algo;
  }
  rig->RunToEnd();
  ExpectTotals(*rig, {{
                         {118, 78, 78},  // FCFS: 90 at tick 40, 52 at tick 79
                         {118, 78, 78},  // SSTF: the same
                         {42, 41, 40},   // SCAN: 52 at tick 2, 90 at tick 41
                         {42, 41, 40},   // C-SCAN
                         {42, 41, 40},   // LOOK
                         {42, 41, 40},   // C-LOOK
                         {42, 41, 40},   // S-LOOK: 52 is the nearer extreme, ahead: no turn
                     }});
}

TEST(SchedulersTest, ArrivalOnTheHeadsCylinderIsServedInEitherDirection) {
  // LOOK turns down towards 40; 47 arrives in tick 3 just as the head is on
  // it and is served at once. C-LOOK's return serves nothing: it takes 40 at
  // tick 10 and 47 on the way up at tick 18.
  auto rig = ManualRig({"-i:50", "-b:1"}, "40 t2 47");
  rig->RunToEnd();
  EXPECT_EQ(rig->accounts(kLook).wait_total, 11u);  // 0 + 11
  EXPECT_EQ(rig->accounts(kLook).seek_total, 10);
  EXPECT_EQ(rig->accounts(kSLook).wait_total, 11u);
  EXPECT_EQ(rig->accounts(kCLook).wait_total, 25u);  // 10 + 15
  EXPECT_EQ(rig->accounts(kCLook).max_wait, 15u);
  EXPECT_EQ(rig->accounts(kCLook).seek_total, 17);
}

TEST(SchedulersTest, CLookReturnsToTheLowestRequestWithoutServing) {
  // Head 70, requests 20 and 30: down to 20 (50 moves, 30 passed), then 30.
  auto rig = ManualRig({"-i:70", "-b:1"}, "20 30");
  rig->Tick(45);
  EXPECT_EQ(rig->head_scheduler(kCLook).head(), 25);
  EXPECT_EQ(rig->queue_scheduler(kCLook).queue().size(), 2u);
  rig->RunToEnd();
  EXPECT_EQ(rig->accounts(kCLook).wait_total, 111u);  // 50 + 61
  EXPECT_EQ(rig->accounts(kCLook).max_wait, 61u);
  EXPECT_EQ(rig->accounts(kCLook).seek_total, 60);

  // 10 arrives in tick 5, below the target 20: the return goes on to 10
  // (served at tick 60, waited 55), then 20 at tick 71 and 30 at tick 82.
  auto lower = ManualRig({"-i:70", "-b:1"}, "20 30 t4 10");
  lower->RunToEnd();
  EXPECT_EQ(lower->accounts(kCLook).wait_total, 208u);
  EXPECT_EQ(lower->accounts(kCLook).max_wait, 82u);
  EXPECT_EQ(lower->accounts(kCLook).seek_total, 80);
}

TEST(SchedulersTest, CScanReturnsFromTheTopEvenWithNothingPending) {
  // Cylinders 0 to 99, head 98. Cylinder 99 is served at tick 1 by all; the
  // next request on 99 arrives at tick 151. C-SCAN has meanwhile gone back
  // to 0 (99 moves) and climbs again (99 moves): waits 1 + 99. The others
  // stand still on 99 and serve it at once.
  auto rig = ManualRig({"-i:98", "-m:100", "-b:1"}, "99 t150 99");
  rig->RunToEnd();
  const Totals still = {1, 1, 1};
  ExpectTotals(*rig, {{still, still, still, {100, 99, 199}, still, still, still}});
}

TEST(SchedulersTest, CScanStaysOnAOneCylinderDisk) {
  // Cylinder 0 only: there is nothing to return over, so C-SCAN must not
  // turn off the disk between the two requests; both wait 0 with no seek.
  auto rig = ManualRig({"-i:0", "-m:1", "-b:1"}, "0 t5 0");
  rig->RunToEnd();
  EXPECT_EQ(rig->head_scheduler(kCScan).head(), 0);
  EXPECT_EQ(rig->accounts(kCScan).wait_total, 0u);
  EXPECT_EQ(rig->accounts(kCScan).seek_total, 0);
}

TEST(SchedulersTest, CScanSettlesOnCylinderZeroAfterItsReturn) {
  // Cylinders 0 to 9, head 5, settle 2, one request on 0.
  auto rig = ManualRig({"-i:5", "-m:10", "-st:2", "-b:1"}, "0");
  rig->RunToEnd();
  // SCAN: up to 9 (4), down to 0 (9) with settle 2: served at tick 15.
  EXPECT_EQ(rig->accounts(kScan).wait_total, 15u);
  EXPECT_EQ(rig->accounts(kScan).seek_total, 15);
  // C-SCAN: the same moves, its return without settle, then settle 2 on
  // cylinder 0 in the tick after arriving there: also served at tick 15.
  EXPECT_EQ(rig->accounts(kCScan).wait_total, 15u);
  EXPECT_EQ(rig->accounts(kCScan).seek_total, 15);
  // LOOK and C-LOOK go straight down: 5 moves and settle 2.
  EXPECT_EQ(rig->accounts(kLook).wait_total, 7u);
  EXPECT_EQ(rig->accounts(kCLook).wait_total, 7u);
  EXPECT_EQ(rig->accounts(kCLook).seek_total, 7);
}

// S-LOOK's early turn, after the first tick: head 500 moving up.
TEST(SlookTest, TurnsWhenTheNearerExtremeBeatsTheOtherByTheWaistedTime) {
  struct Case {
    const char* requests;
    const char* constant;
    int32_t direction;
    const char* why;
  } const kCases[] = {
      {"520 900 450", "-wc:0", -1, "dLow 50 + 0 < dHigh 400"},
      {"520 900 450", "-wc:349", -1, "50 + 349 < 400"},
      {"520 900 450", "-wc:350", +1, "50 + 350 is not below 400"},
      {"520 900 100", "-wc:0", +1, "dLow 400 = dHigh 400: the highest is ahead"},
      {"520 900", "-wc:0", +1, "the nearer extreme 520 is ahead"},
  };
  for (const Case& c : kCases) {
    auto rig = ManualRig({"-i:500", "-f:0", c.constant}, c.requests);
    rig->Tick();
    EXPECT_EQ(rig->queue_scheduler(kSLook).direction(), c.direction) << c.why;
    EXPECT_EQ(rig->head_scheduler(kSLook).head(), 500 + c.direction) << c.why;
    EXPECT_EQ(rig->queue_scheduler(kLook).direction(), +1) << c.why;
  }
}

TEST(SlookTest, TurnDecisionWaitsForTheHeadToBeFree) {
  // Seek 3: after the move in tick 0 the head counts down in ticks 1 and 2.
  // 450 arrives in tick 1; the turn is decided in tick 3 and taken at once.
  auto rig = ManualRig({"-i:500", "-e:3", "-f:0"}, "520 900 t0 450");
  rig->Tick(3);
  EXPECT_EQ(rig->queue_scheduler(kSLook).direction(), +1);
  rig->Tick();
  EXPECT_EQ(rig->queue_scheduler(kSLook).direction(), -1);
  EXPECT_EQ(rig->head_scheduler(kSLook).head(), 500);
}

TEST(SlookTest, SaturatedWaistedTimeSuppressesTurns) {
  // 450 arrives in tick 2 with the head on 502: 52 + 0 < 398 turns with
  // factor 0, but a factor of 2^30 has overflowed by then and sticks.
  auto turning = ManualRig({"-i:500", "-f:0"}, "520 900 t1 450");
  turning->Tick(3);
  EXPECT_EQ(turning->queue_scheduler(kSLook).direction(), -1);

  // The largest factor would wrap the saturated value back to a small one
  // if it kept being added; it must stick all the same.
  for (const char* factor : {"-f:1073741824", "-f:2147483647"}) {
    auto saturated = ManualRig({"-i:500", factor}, "520 900 t1 450");
    saturated->Tick(3);
    EXPECT_EQ(saturated->queue_scheduler(kSLook).direction(), +1) << factor;
    EXPECT_EQ(saturated->slook().waisted_time(), SLook::kSaturated) << factor;
    saturated->Tick(10);
    EXPECT_EQ(saturated->slook().waisted_time(), SLook::kSaturated) << factor;
  }
}

TEST(SlookTest, ResetMethods) {
  // Head 5, constant 100, factor 1 per cylinder. Tick 0: 0, 6, 9 arrive;
  // tick 7: 3 and 12. Served: 6 at tick 1 (ordinary), 9 at tick 5 (the
  // highest), 3 at tick 12 (ordinary: 0 and 12 are the extremes), 0 at
  // tick 16 (the lowest), 12 at tick 29 (lowest and highest). With 12 ahead
  // by 4 and 0 behind by 8 at tick 7, 4 + 101 never allows a turn.
  struct Case {
    const char* method;
    int32_t after_2, after_6, after_13, at_end, after_idle_tick;
  } const kCases[] = {
      // Extremes: reset when 9 and 12 are served, not for 6 or 3.
      {"-rw:1", 101, 100, 106, 100, 100},
      // Ping Pong: reset when the kind changes, ordinary ones included:
      // 6 (0 = 0, none), 9 (2), 3 (0), 0 (1), 12 (2).
      {"-rw:2", 101, 100, 100, 100, 100},
      // Empty Queue: only in a step that finds the queue empty.
      {"-rw:3", 101, 104, 110, 125, 100},
      // Any other method never resets.
      {"-rw:4", 101, 104, 110, 125, 125},
  };
  for (const Case& c : kCases) {
    auto rig = ManualRig({"-i:5", "-f:1", "-wc:100", "-b:1", c.method}, "0 6 9 t6 3 12");
    rig->Tick(2);
    EXPECT_EQ(rig->slook().waisted_time(), c.after_2) << c.method;
    rig->Tick(4);
    EXPECT_EQ(rig->slook().waisted_time(), c.after_6) << c.method;
    rig->Tick(7);
    EXPECT_EQ(rig->slook().waisted_time(), c.after_13) << c.method;
    rig->Tick(17);  // up to tick 29, which serves the last request
    EXPECT_TRUE(rig->queue_scheduler(kSLook).queue().empty()) << c.method;
    EXPECT_EQ(rig->slook().waisted_time(), c.at_end) << c.method;
    rig->Tick();
    EXPECT_EQ(rig->slook().waisted_time(), c.after_idle_tick) << c.method;
    EXPECT_EQ(rig->queue_scheduler(kSLook).direction(), +1) << c.method;
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

TEST(SlookTest, ConstantBeyondTheDiskMakesItLook) {
  // A generated workload: with a waisted time larger than any distance no
  // early turn happens, whatever the reset method; with 0 it does differ.
  auto run = [](const char* constant, const char* method) {
    Rig rig({"-t:400", "-n:2", "-p:20", "-r:11", "-m:200", "-f:0", constant, method}, "");
    rig.RunToEnd();
    return std::make_pair(rig.accounts(kSLook), rig.accounts(kLook));
  };
  for (const char* method : {"-rw:1", "-rw:2", "-rw:3"}) {
    auto [slook, look] = run("-wc:5000", method);
    EXPECT_EQ(slook.seek_total, look.seek_total) << method;
    EXPECT_EQ(slook.wait_total, look.wait_total) << method;
    EXPECT_EQ(slook.max_wait, look.max_wait) << method;
  }
  auto [slook, look] = run("-wc:0", "-rw:3");
  EXPECT_NE(slook.wait_total, look.wait_total);
}

}  // namespace
}  // namespace schedule
