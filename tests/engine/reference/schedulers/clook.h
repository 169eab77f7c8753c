#ifndef SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_CLOOK_H_
#define SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_CLOOK_H_

#include "tests/engine/reference/schedulers/queue_scheduler.h"

namespace schedule::reference {

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

}  // namespace schedule::reference

#endif  // SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_CLOOK_H_
