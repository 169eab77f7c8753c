#ifndef SCHEDULE_ENGINE_SCHEDULERS_LOOK_H_
#define SCHEDULE_ENGINE_SCHEDULERS_LOOK_H_

#include "engine/schedulers/queue_scheduler.h"

namespace schedule {

// LOOK: sweeps like SCAN but turns as soon as nothing is pending at or
// beyond the head in its direction.
class Look : public QueueScheduler {
 public:
  using QueueScheduler::QueueScheduler;

 protected:
  void Decide(uint64_t tick) override;
  void Refresh(int32_t slot) override { RefreshAhead(slot); }
  // Moves towards the target, or turns when there is none and moves one
  // cylinder the other way, taking the nearest request there.
  void LookMove(uint64_t tick);
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_LOOK_H_
