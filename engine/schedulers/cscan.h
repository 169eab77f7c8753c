#ifndef SCHEDULE_ENGINE_SCHEDULERS_CSCAN_H_
#define SCHEDULE_ENGINE_SCHEDULERS_CSCAN_H_

#include "engine/schedulers/queue_scheduler.h"

namespace schedule {

// C-SCAN: serves only while sweeping up to the highest cylinder, then
// returns to cylinder 0 one cylinder per seek period without serving.
class CScan : public QueueScheduler {
 public:
  using QueueScheduler::QueueScheduler;
  // On the highest cylinder or on the way back the head is never idle.
  bool KeepsDiskBusy() const override { return direction_ == -1 || AtTop(); }

 protected:
  void Decide(uint64_t tick) override;
  void Refresh(int32_t slot) override {
    if (direction_ == +1) RefreshUpward(slot);
  }
  // The return sweep goes to cylinder 0 whatever arrives.
  bool RedirectsOnArrival() const override { return direction_ == +1; }

 private:
  // On the highest cylinder of a disk that has more than one: a disk of one
  // cylinder has no return sweep, since the head would leave the disk.
  bool AtTop() const { return head_ == disk_.highest_cylinder && head_ > 0; }
  // A decision on the way back; true when it used the tick.
  bool ReturnStep(uint64_t tick);
  void ServingStep(uint64_t tick);
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_CSCAN_H_
