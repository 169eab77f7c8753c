#ifndef SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_CSCAN_H_
#define SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_CSCAN_H_

#include "tests/engine/reference/schedulers/queue_scheduler.h"

namespace schedule::reference {

// C-SCAN: serves only while sweeping up to the highest cylinder, then
// returns to cylinder 0 one cylinder per seek period without serving.
class CScan : public QueueScheduler {
 public:
  using QueueScheduler::QueueScheduler;
  void Step(const StepContext& context) override;
  // On the highest cylinder or on the way back the head is never idle.
  bool KeepsDiskBusy() const override { return direction_ == -1 || AtTop(); }

 protected:
  void Refresh(int32_t index) override;

 private:
  // On the highest cylinder of a disk that has more than one: a disk of one
  // cylinder has no return sweep, since the head would leave the disk.
  bool AtTop() const { return head_ == disk_.highest_cylinder && head_ > 0; }
  // One step of the return sweep; true when the step is over.
  bool ReturnStep();
  void ServingStep(const StepContext& context);
};

}  // namespace schedule::reference

#endif  // SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_CSCAN_H_
