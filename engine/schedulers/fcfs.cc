#include "engine/schedulers/fcfs.h"

namespace schedule {

Fcfs::Fcfs(const DiskTiming& disk, const RunState& run, int32_t initial_head, bool skipped)
    : HeadScheduler(disk, run, initial_head), index_(skipped ? int64_t{run.total} + 10 : 0) {}

// Once every request has arrived, FCFS skips the rest of a long move or
// settle: in the first tick of a countdown n it clears the countdown and
// adds n - 1 to the wait of every request still to be served, so the wait
// total comes out right while the shared clock runs on. The maximum wait is
// not corrected. This adds `ticks` for every unfinished request.
void Fcfs::AddSkippedTicks(uint64_t ticks) {
  accounts_.wait_total += ticks * static_cast<uint64_t>(Unfinished());
  path_shift_ += ticks;  // the head-path log is in physical time
}

void Fcfs::Arrive(uint64_t tick, int32_t, int32_t last) {
  // The last arrival finds a countdown under way: its shortcut is in this
  // very tick. FCFS's target never changes, so no other arrival cuts a run.
  if (run_.all_arrived && last == run_.total && moving()) {
    Materialize(tick);
    if (NextEvent() > tick) {
      AddSkippedTicks(NextEvent() - tick - 1);
      WaitUntil(tick + 1);
    }
  }
  if (HasPending()) WakeAt(tick);
}

// k moves to the target, each charged in full, but each countdown cut to a
// single tick: a move whose countdown n is 0 takes 1 tick, any other 2.
void Fcfs::ShortcutRun(uint64_t tick, int32_t target_cylinder) {
  const int64_t distance = int64_t{target_cylinder} - head_;
  const uint64_t moves = static_cast<uint64_t>(distance < 0 ? -distance : distance);
  const uint64_t seek = static_cast<uint64_t>(disk_.seek_time);
  const uint64_t settle = static_cast<uint64_t>(disk_.settle_time);
  const uint64_t between = seek - 1;        // countdown after a move on the way
  const uint64_t last = seek - 1 + settle;  // countdown after the move that arrives
  uint64_t ticks = (moves - 1) * (between > 0 ? 2 : 1) + (last > 0 ? 2 : 1);
  RecordMoves(tick, distance > 0 ? +1 : -1, moves);
  if (between > 0) AddSkippedTicks((moves - 1) * (between - 1));
  if (last > 0) AddSkippedTicks(last - 1);
  head_ = target_cylinder;
  accounts_.seek_total =
      static_cast<int64_t>(static_cast<uint64_t>(accounts_.seek_total) + moves * seek + settle);
  WaitUntil(tick + ticks);
}

void Fcfs::Decide(uint64_t tick) {
  if (!HasPending()) {
    StandStill();  // nothing arrived beyond the index: the head stands still
    return;
  }
  const Arrival& target = run_.arrivals[index_];
  const int32_t cylinder = run_.cylinders->cylinder(target.rank);
  if (head_ == cylinder) {
    Serve(tick, target.tick, static_cast<int32_t>(index_));
    return;
  }
  if (run_.all_arrived) {
    ShortcutRun(tick, cylinder);
    return;
  }
  const int64_t distance = int64_t{cylinder} - head_;
  StartRun(tick, distance > 0 ? +1 : -1, static_cast<uint64_t>(distance > 0 ? distance : -distance),
           true);
}

}  // namespace schedule
