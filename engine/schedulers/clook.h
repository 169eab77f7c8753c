#ifndef SCHEDULE_ENGINE_SCHEDULERS_CLOOK_H_
#define SCHEDULE_ENGINE_SCHEDULERS_CLOOK_H_

#include "engine/schedulers/queue_scheduler.h"

namespace schedule {

// C-LOOK: serves while sweeping up; when nothing is pending at or above
// the head it returns down to the lowest pending request without serving.
class CLook : public QueueScheduler {
 public:
  using QueueScheduler::QueueScheduler;
  void Step(const StepContext& context) override;

 protected:
  void Refresh(int32_t index) override;

 private:
  // One step of the return; true when the step is over.
  bool ReturnStep();
  void ServingStep(const StepContext& context);
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_CLOOK_H_
