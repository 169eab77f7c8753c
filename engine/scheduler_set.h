#ifndef SCHEDULE_ENGINE_SCHEDULER_SET_H_
#define SCHEDULE_ENGINE_SCHEDULER_SET_H_

#include <cstddef>

#include "engine/scheduler_table.h"
#include "engine/schedulers/clook.h"
#include "engine/schedulers/cscan.h"
#include "engine/schedulers/driven.h"
#include "engine/schedulers/fcfs.h"
#include "engine/schedulers/look.h"
#include "engine/schedulers/scan.h"
#include "engine/schedulers/slook.h"
#include "engine/schedulers/sstf.h"

namespace schedule {

// The simulated schedulers of a run, each as its own final type, so that
// the clock's calls (run until a tick, take arrivals, has it work) are
// direct and can be inlined: the clock makes them after every event.
class SchedulerSet {
 public:
  explicit SchedulerSet(const SchedulerSetup& setup);

  static constexpr size_t size() { return kSimulatedCount; }

  // Calls f(i, scheduler) for each scheduler, in column order.
  template <class F>
  void ForEach(F&& f) {
    f(size_t{0}, fcfs_);
    f(size_t{1}, sstf_);
    f(size_t{2}, scan_);
    f(size_t{3}, cscan_);
    f(size_t{4}, look_);
    f(size_t{5}, clook_);
    f(size_t{6}, slook_);
  }

 private:
  Driven<Fcfs> fcfs_;
  Driven<Sstf> sstf_;
  Driven<Scan> scan_;
  Driven<CScan> cscan_;
  Driven<Look> look_;
  Driven<CLook> clook_;
  Driven<SLook> slook_;
};

static_assert(kSimulatedCount == 7, "SchedulerSet holds one of each simulated scheduler");

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULER_SET_H_
