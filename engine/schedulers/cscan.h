#ifndef SCHEDULE_ENGINE_SCHEDULERS_CSCAN_H_
#define SCHEDULE_ENGINE_SCHEDULERS_CSCAN_H_

#include "engine/schedulers/queue_scheduler.h"

namespace schedule {

// C-SCAN: serves only while sweeping up to the highest cylinder, then
// returns to cylinder 0 one cylinder per seek period without serving.
class CScan : public QueueScheduler {
 public:
  using QueueScheduler::QueueScheduler;
  void Step(const StepContext& context) override;
  // On the highest cylinder or on the way back the head is never idle.
  bool KeepsDiskBusy() const override {
    return direction_ == -1 || head_ == disk_.highest_cylinder;
  }

 protected:
  void Refresh(int32_t index) override;

 private:
  // One step of the return sweep; true when the step is over.
  bool ReturnStep();
  void ServingStep(const StepContext& context);
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_CSCAN_H_
