#ifndef SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_FCFS_H_
#define SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_FCFS_H_

#include <vector>

#include "tests/engine/reference/schedulers/head_scheduler.h"

namespace schedule::reference {

// First come, first served: works straight on the run's arrival list.
class Fcfs : public HeadScheduler {
 public:
  // `skipped` (-FCFS) puts the index beyond the end, so FCFS never serves.
  Fcfs(const DiskTiming& disk, int32_t initial_head, const std::vector<Request>& arrivals,
       int32_t total, bool skipped);

  void Arrive(const Request&) override {}
  void Step(const StepContext& context) override;
  bool HasPending() const override { return index_ <= LastArrived(); }

 private:
  int64_t LastArrived() const { return static_cast<int64_t>(arrivals_.size()) - 1; }
  void TailShortcut();

  const std::vector<Request>& arrivals_;
  int64_t index_;
};

}  // namespace schedule::reference

#endif  // SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_FCFS_H_
