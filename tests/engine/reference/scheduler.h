#ifndef SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULER_H_
#define SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULER_H_

#include <cstdint>
#include <string_view>

#include "engine/disk.h"
#include "engine/link.h"
#include "engine/path_log.h"
#include "engine/scheduler.h"

// The clock loop as it was first written: every scheduler steps through
// every tick. The engine's event-driven clock must give exactly its results;
// the tests compare the two.
namespace schedule::reference {

// One request: its cylinder, the tick in which it arrived and its index in
// arrival order.
struct Request {
  int32_t cylinder;
  uint32_t arrival;
  int32_t index;
};

// What one step needs to know of the run.
struct StepContext {
  uint32_t clock;
  bool all_arrived;    // every request of the run has arrived
  FrontEndLink* link;  // told of every served request
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

  // From now on the head's moves and services are reported to `path`, for
  // the head-path log; `clock` is the run's clock.
  virtual void RecordPath(PathRecorder* path, const uint32_t* clock) = 0;
  // The run ended at the start of tick `clock`.
  virtual void EndPath(uint32_t clock) = 0;
};

}  // namespace schedule::reference

#endif  // SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULER_H_
