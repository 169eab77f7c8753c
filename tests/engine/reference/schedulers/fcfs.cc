#include "tests/engine/reference/schedulers/fcfs.h"

namespace schedule::reference {

Fcfs::Fcfs(const DiskTiming& disk, int32_t initial_head, const std::vector<Request>& arrivals,
           int32_t total, bool skipped)
    : HeadScheduler(disk, initial_head),
      arrivals_(arrivals),
      index_(skipped ? int64_t{total} + 10 : 0) {}

// Once every request has arrived, FCFS skips the rest of a long move or
// settle: it clears the countdown and adds the skipped ticks to the wait of
// every request still to be served, so the wait total comes out right while
// the shared clock runs on. The maximum wait is not corrected.
void Fcfs::TailShortcut() {
  int32_t n = busy_;
  busy_ = 0;
  int64_t unfinished = LastArrived() - index_ + 1;
  accounts_.wait_total += static_cast<uint64_t>(int64_t{n - 1} * unfinished);
  path_shift_ += static_cast<uint64_t>(n - 1);
}

void Fcfs::Step(const StepContext& context) {
  if (busy_ != 0 && context.all_arrived) {
    TailShortcut();
    return;
  }
  if (CountDownBusy()) return;
  for (;;) {
    bool completed;
    if (TickTransfer(&completed)) {
      if (completed) ++index_;
      return;
    }
    if (index_ > LastArrived()) return;  // nothing to do: the head stands still
    const Request& target = arrivals_[index_];
    if (head_ == target.cylinder) {
      Serve(target, context);
      continue;
    }
    int32_t d = target.cylinder > head_ ? +1 : -1;
    Move(d, head_ + d == target.cylinder);
    return;
  }
}

}  // namespace schedule::reference
