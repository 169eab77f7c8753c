// The common timing model: one cylinder per seek period, settle on the
// move that reaches the target, service in the first free tick there, the
// block transfer, and FCFS's shortcut once every request has arrived.
#include <gtest/gtest.h>

#include "tests/engine/engine_test_support.h"

namespace schedule {
namespace {

// Head 0 moving up, every request at or above it: all seven schedulers take
// the same path, so they must all account the same times.
TEST(TimingTest, AllSchedulersAgreeOnASimplePath) {
  const struct {
    std::vector<std::string> arguments;
    const char* requests;
    uint64_t wait_total;
    uint32_t max_wait;
    int64_t seek;
    uint32_t fcfs_max;  // FCFS's maximum, short where its shortcut applies
    const char* why;
  } kCases[] = {
      {{}, "3", 3, 3, 3, 3, "moves in ticks 0-2, served in tick 3"},
      {{"-st:4"}, "3", 7, 7, 7, 4, "last move in tick 2 settles 4 more: served in tick 7"},
      {{}, "0", 0, 0, 0, 0, "on the head's own cylinder: served in its arrival tick"},
      {{"-i:7"}, "t3 7", 0, 0, 0, 0, "arrives in tick 4 at an idle head on its cylinder"},
      {{"-e:3"}, "3", 9, 9, 9, 6, "moves in ticks 0, 3, 6; FCFS skips the countdowns"},
      {{"-e:2", "-st:3"}, "2", 7, 7, 7, 4, "moves in 0 and 2, the second settles: tick 7"},
      {{"-b:1"}, "0 1", 2, 2, 1, 2, "cylinder 0 served and done in tick 0, move in 1, 1 in 2"},
      {{"-b:5"}, "0 1", 6, 6, 1, 6, "transfer in ticks 0-4, move in 5, served in 6"},
      {{"-m:100"}, "150", 99, 99, 99, 99, "a request above the disk is cut to its top"},
  };
  for (const auto& c : kCases) {
    auto rig = ManualRig(c.arguments, c.requests);
    rig->RunToEnd();
    for (int algo = kFcfs; algo < kAlgoCount; ++algo) {
      const Accounts& a = rig->accounts(static_cast<Algo>(algo));
      SCOPED_TRACE(std::string(c.requests) + " (" + c.why + "), scheduler " + std::to_string(algo));
      EXPECT_EQ(a.wait_total, c.wait_total);
      EXPECT_EQ(a.max_wait, algo == kFcfs ? c.fcfs_max : c.max_wait);
      EXPECT_EQ(a.seek_total, c.seek);
    }
    EXPECT_EQ(rig->EngineTotals(), rig->Totals()) << c.requests;
  }
}

TEST(TimingTest, FcfsShortcutKeepsTheWaitTotalButShortensTheMaximum) {
  // Seek 3, block 1, head 0, requests 2 then 1 at tick 0. FCFS moves in
  // ticks 0, 2, 4 (clearing each countdown a tick early and adding 1 for
  // every unfinished request: 2 + 2 + 1), serves 2 at tick 4 and 1 at tick 7
  // after its move in 5: 4 + 7 + 5 = 16, exactly what 6 + 10 would give.
  // The others serve 1 at tick 3 and 2 at tick 7.
  auto rig = ManualRig({"-e:3", "-b:1"}, "2 1");
  rig->RunToEnd();
  EXPECT_EQ(rig->Totals(), "16/7/9 10/7/6 10/7/6 10/7/6 10/7/6 10/7/6 10/7/6");
  EXPECT_EQ(rig->EngineTotals(), rig->Totals());

  // The shortcut waits for the last arrival: 3 is served at tick 9 by all,
  // since the request on 0 is still to come (tick 21). After it, FCFS alone
  // skips countdowns: served at tick 27 plus 3 restored = 9, SSTF at 30 = 9.
  auto late = ManualRig({"-e:3"}, "3 t20 0");
  late->RunToEnd();
  EXPECT_EQ(late->Totals(),
            "18/9/18 18/9/18 6000/5991/6000 6000/5991/6000 18/9/18 18/9/18 18/9/18");
  EXPECT_EQ(late->EngineTotals(), late->Totals());
}

}  // namespace
}  // namespace schedule
