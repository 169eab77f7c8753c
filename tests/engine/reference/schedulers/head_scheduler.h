#ifndef SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_HEAD_SCHEDULER_H_
#define SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_HEAD_SCHEDULER_H_

#include <cstdint>

#include "engine/disk.h"
#include "tests/engine/reference/scheduler.h"

namespace schedule::reference {

// A head with its countdowns and accounts, and the common timing model:
// one cylinder per seek period, settle on arriving at the target, serve on
// the target's cylinder, then the block transfer.
class HeadScheduler : public Scheduler {
 public:
  HeadScheduler(const DiskTiming& disk, int32_t initial_head) : disk_(disk), head_(initial_head) {}

  const Accounts& accounts() const override { return accounts_; }
  int32_t head() const { return head_; }
  void RecordPath(PathRecorder* path, const uint32_t* clock) override {
    path_ = path;
    clock_ = clock;
  }
  void EndPath(uint32_t clock) override {
    if (path_ != nullptr) path_->End(clock, head_);
  }

 protected:
  // The first part of every step: true when the tick went to counting down.
  bool CountDownBusy() {
    if (busy_ == 0) return false;
    --busy_;
    return true;
  }
  // Runs the transfer countdown. True when the tick went to the transfer;
  // `completed` tells that the transfer ended in it.
  bool TickTransfer(bool* completed) {
    *completed = false;
    if (transfer_ == 0) return false;
    *completed = transfer_-- == 1;
    return true;
  }
  // Serves `request` now: its waiting time ends here and its transfer starts.
  void Serve(const Request& request, const StepContext& context);
  // Moves one cylinder in direction d and charges the move; `settles` when
  // the new cylinder is the target's.
  void Move(int32_t d, bool settles);

  const DiskTiming disk_;
  int32_t head_;
  int32_t busy_ = 0;
  uint16_t transfer_ = 0;
  Accounts accounts_;
  // The head-path log, or null; its ticks run ahead of the clock by the
  // ticks FCFS's tail shortcut skips.
  PathRecorder* path_ = nullptr;
  const uint32_t* clock_ = nullptr;
  uint64_t path_shift_ = 0;
};

}  // namespace schedule::reference

#endif  // SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_HEAD_SCHEDULER_H_
