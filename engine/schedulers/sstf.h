#ifndef SCHEDULE_ENGINE_SCHEDULERS_SSTF_H_
#define SCHEDULE_ENGINE_SCHEDULERS_SSTF_H_

#include "engine/schedulers/queue_scheduler.h"

namespace schedule {

// Shortest seek time first: heads for the nearest request and keeps that
// target until its transfer ends, even if a nearer one arrives meanwhile.
class Sstf : public QueueScheduler {
 public:
  using QueueScheduler::QueueScheduler;

 protected:
  void Decide(uint64_t tick) override;
  bool RedirectsOnArrival() const override { return false; }
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_SSTF_H_
