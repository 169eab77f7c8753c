#ifndef SCHEDULE_ENGINE_SCHEDULERS_SCAN_H_
#define SCHEDULE_ENGINE_SCHEDULERS_SCAN_H_

#include "engine/schedulers/queue_scheduler.h"

namespace schedule {

// SCAN: sweeps to the very end of the disk in its direction, serving on the
// way, and turns only at cylinder 0 or the highest cylinder.
class Scan : public QueueScheduler {
 public:
  using QueueScheduler::QueueScheduler;

 protected:
  void Decide(uint64_t tick) override;
  void Refresh(int32_t slot) override { RefreshAhead(slot); }
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_SCAN_H_
