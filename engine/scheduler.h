#ifndef SCHEDULE_ENGINE_SCHEDULER_H_
#define SCHEDULE_ENGINE_SCHEDULER_H_

#include <cstdint>
#include <string_view>

#include "engine/disk.h"

namespace schedule {

class FrontEndLink;

// A scheduler's totals, as the results report them.
struct Accounts {
  int64_t seek_total = 0;   // TU spent moving and settling
  uint64_t wait_total = 0;  // sum of the 32-bit waiting times
  uint32_t max_wait = 0;
};

// What one step needs to know of the run.
struct StepContext {
  uint32_t clock;
  bool all_arrived;     // every request of the run has arrived
  FrontEndLink* link;   // told of every served request
};

// One disk-scheduling algorithm with its own head, queue and accounts. All
// schedulers of a run see the same requests at the same ticks.
class Scheduler {
 public:
  virtual ~Scheduler() = default;

  // A request arrives: it joins the queue and may become the target.
  virtual void Arrive(const Request& request) = 0;
  // Called once per tick after the arrivals and before any step.
  virtual void BeforeSteps() {}
  // One tick of work: move, settle, serve or transfer.
  virtual void Step(const StepContext& context) = 0;
  // True while requests are waiting or being served.
  virtual bool HasPending() const = 0;
  // True while the head is busy even with nothing pending, so the tick
  // must not be skipped as idle.
  virtual bool KeepsDiskBusy() const { return false; }

  virtual const Accounts& accounts() const = 0;
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULER_H_
