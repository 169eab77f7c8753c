#ifndef SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_SSTF_H_
#define SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_SSTF_H_

#include "tests/engine/reference/schedulers/queue_scheduler.h"

namespace schedule::reference {

// Shortest seek time first: heads for the nearest request and keeps that
// target until its transfer ends, even if a nearer one arrives meanwhile.
class Sstf : public QueueScheduler {
 public:
  using QueueScheduler::QueueScheduler;
  void Step(const StepContext& context) override;

 protected:
  int32_t ChooseTarget() const override { return Nearest(head_); }
};

}  // namespace schedule::reference

#endif  // SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_SSTF_H_
