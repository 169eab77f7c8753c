// The common timing model: one cylinder per seek period, settle on the
// move that reaches the target, service in the first free tick there, the
// block transfer, and FCFS's shortcut once every request has arrived.
#include <gtest/gtest.h>

#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

struct TimingCase {
  std::vector<std::string> arguments;
  const char* requests;
  uint64_t wait_total;
  uint32_t max_wait;
  int64_t seek;
  uint32_t fcfs_max;  // FCFS's maximum, short where its shortcut applies
  const char* why;
};

// Head 0 moving up, every request at or above it: all seven schedulers take
// the same path, so they must all account the same times.
TEST(TimingTest, AllSchedulersAgreeOnASimplePath) {
  const TimingCase kCases[] = {
      {{}, "3", 3, 3, 3, 3, "moves in ticks 0-2, served in tick 3"},
      {{"-st:4"}, "3", 7, 7, 7, 4, "last move in tick 2 settles 4 more: served in tick 7"},
      {{"-b:1"}, "3", 3, 3, 3, 3, "block time does not delay the first service"},
      {{}, "0", 0, 0, 0, 0, "on the head's own cylinder: served in its arrival tick"},
      {{"-i:7"}, "t3 7", 0, 0, 0, 0, "arrives in tick 4 at an idle head on its cylinder"},
      {{"-e:3"}, "3", 9, 9, 9, 6, "moves in ticks 0, 3, 6; FCFS skips the countdowns"},
      {{"-e:2", "-st:3"}, "2", 7, 7, 7, 4, "moves in 0 and 2, the second settles: tick 7"},
      {{"-b:1"}, "0 1", 2, 2, 1, 2, "cylinder 0 served and done in tick 0, move in 1, 1 in 2"},
      {{"-b:2"}, "0 1", 3, 3, 1, 3, "transfer in ticks 0-1, move in 2, served in 3"},
      {{"-b:5"}, "0 1", 6, 6, 1, 6, "transfer in ticks 0-4, move in 5, served in 6"},
  };
  for (const TimingCase& c : kCases) {
    auto rig = ManualRig(c.arguments, c.requests);
    rig->RunToEnd();
    for (int algo = kFcfs; algo < kAlgoCount; ++algo) {
      const Accounts& a = rig->accounts(static_cast<Algo>(algo));
      SCOPED_TRACE(std::string(c.requests) + " (" + c.why + "), scheduler " +
                   std::to_string(algo));
      EXPECT_EQ(a.wait_total, c.wait_total);
      EXPECT_EQ(a.max_wait, algo == kFcfs ? c.fcfs_max : c.max_wait);
      EXPECT_EQ(a.seek_total, c.seek);
    }
  }
}

TEST(TimingTest, TransferStartsInTheServiceTickAndLastsTheBlockTime) {
  auto rig = ManualRig({"-b:2"}, "3");
  rig->Tick(4);  // moves in ticks 0-2, service and first transfer tick in 3
  EXPECT_EQ(rig->head_scheduler(kSstf).head(), 3);
  EXPECT_EQ(rig->queue_scheduler(kSstf).queue().size(), 1u);
  EXPECT_FALSE(rig->simulation().Finished());
  rig->Tick();  // the transfer's second tick completes it
  EXPECT_TRUE(rig->queue_scheduler(kSstf).queue().empty());
  EXPECT_TRUE(rig->simulation().Finished());
}

TEST(TimingTest, FcfsShortcutKeepsTheWaitTotalButShortensTheMaximum) {
  // Seek 3, block 1, head 0, requests 2 then 1 at tick 0. FCFS moves in
  // ticks 0, 2, 4 (clearing each countdown a tick early and adding 1 for
  // every unfinished request: 2 + 2 + 1), serves 2 at tick 4 and 1 at tick 7
  // after its move in 5: 4 + 7 + 5 = 16, exactly what 6 + 10 would give.
  auto rig = ManualRig({"-e:3", "-b:1"}, "2 1");
  rig->RunToEnd();
  EXPECT_EQ(rig->accounts(kFcfs).wait_total, 16u);
  EXPECT_EQ(rig->accounts(kFcfs).max_wait, 7u);
  EXPECT_EQ(rig->accounts(kFcfs).seek_total, 9);
  // SSTF has no shortcut: 1 served at tick 3, 2 at tick 7.
  EXPECT_EQ(rig->accounts(kSstf).wait_total, 10u);
  EXPECT_EQ(rig->accounts(kSstf).max_wait, 7u);
  EXPECT_EQ(rig->accounts(kSstf).seek_total, 6);
}

TEST(TimingTest, FcfsShortcutWaitsForTheLastArrival) {
  // Seek 3: cylinder 3 is served at tick 9 by everyone, since the request
  // on 0 is still to come (tick 21). After it, FCFS alone skips countdowns:
  // served at tick 27 plus 3 restored = 9, SSTF at tick 30 = 9.
  auto rig = ManualRig({"-e:3"}, "3 t20 0");
  rig->RunToEnd();
  for (Algo algo : {kFcfs, kSstf}) {
    EXPECT_EQ(rig->accounts(algo).wait_total, 18u) << algo;
    EXPECT_EQ(rig->accounts(algo).max_wait, 9u) << algo;
    EXPECT_EQ(rig->accounts(algo).seek_total, 18) << algo;
  }
}

}  // namespace
}  // namespace schedule
