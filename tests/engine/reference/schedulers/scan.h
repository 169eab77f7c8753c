#ifndef SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_SCAN_H_
#define SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_SCAN_H_

#include "tests/engine/reference/schedulers/queue_scheduler.h"

namespace schedule::reference {

// SCAN: sweeps to the very end of the disk in its direction, serving on the
// way, and turns only at cylinder 0 or the highest cylinder.
class Scan : public QueueScheduler {
 public:
  using QueueScheduler::QueueScheduler;
  void Step(const StepContext& context) override;

 protected:
  void Refresh(int32_t index) override { RefreshAhead(index); }
};

}  // namespace schedule::reference

#endif  // SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_SCAN_H_
