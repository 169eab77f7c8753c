#ifndef SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_LOOK_H_
#define SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_LOOK_H_

#include "tests/engine/reference/schedulers/queue_scheduler.h"

namespace schedule::reference {

// LOOK: sweeps like SCAN but turns as soon as nothing is pending at or
// beyond the head in its direction.
class Look : public QueueScheduler {
 public:
  using QueueScheduler::QueueScheduler;
  void Step(const StepContext& context) override;

 protected:
  void Refresh(int32_t index) override { RefreshAhead(index); }
  // Moves one cylinder towards the target, or turns when there is none and
  // moves one cylinder the other way, taking the nearest request there.
  void LookMove();
};

}  // namespace schedule::reference

#endif  // SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_LOOK_H_
