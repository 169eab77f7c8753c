#ifndef SCHEDULE_ENGINE_SCHEDULERS_FCFS_H_
#define SCHEDULE_ENGINE_SCHEDULERS_FCFS_H_

#include <cstdint>

#include "engine/schedulers/head_scheduler.h"

namespace schedule {

// First come, first served: works straight on the run's arrival list.
class Fcfs : public HeadScheduler {
 public:
  // `skipped` (-FCFS) puts the index beyond the end, so FCFS never serves.
  Fcfs(const DiskTiming& disk, const RunState& run, int32_t initial_head, bool skipped);

  void Arrive(uint64_t tick, int32_t first, int32_t last) override;
  bool HasPending() const override { return index_ < run_.arrived; }

 protected:
  void Decide(uint64_t tick) override;
  void CompleteTransfer() override { ++index_; }

 private:
  int64_t Unfinished() const { return run_.arrived - index_; }
  // Once every request has arrived, FCFS skips the rest of each move's
  // countdown after one tick (see fcfs.cc).
  void ShortcutRun(uint64_t tick, int32_t target_cylinder);
  void AddSkippedTicks(uint64_t ticks);

  int64_t index_;
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_FCFS_H_
