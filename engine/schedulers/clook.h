#ifndef SCHEDULE_ENGINE_SCHEDULERS_CLOOK_H_
#define SCHEDULE_ENGINE_SCHEDULERS_CLOOK_H_

#include "engine/schedulers/queue_scheduler.h"

namespace schedule {

// C-LOOK: serves while sweeping up; when nothing is pending at or above
// the head it returns down to the lowest pending request without serving.
class CLook : public QueueScheduler {
 public:
  using QueueScheduler::QueueScheduler;

 protected:
  void Decide(uint64_t tick) override;
  void Refresh(int32_t slot) override;

 private:
  // A decision on the way down; true when it used the tick.
  bool ReturnStep(uint64_t tick);
  void ServingStep(uint64_t tick);
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_CLOOK_H_
