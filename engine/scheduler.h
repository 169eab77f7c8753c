#ifndef SCHEDULE_ENGINE_SCHEDULER_H_
#define SCHEDULE_ENGINE_SCHEDULER_H_

#include <cstdint>
#include <limits>
#include <vector>

#include "engine/cylinder_ranks.h"
#include "engine/disk.h"

namespace schedule {

class FrontEndLink;
class PathRecorder;
class StopCheck;

// A scheduler's totals, as the results report them.
struct Accounts {
  int64_t seek_total = 0;   // TU spent moving and settling
  uint64_t wait_total = 0;  // sum of the 32-bit waiting times
  uint32_t max_wait = 0;
};

// One arrived request: the rank of its cylinder (see CylinderRanks) and the
// tick in which it arrived, as the 32-bit clock shows it.
struct Arrival {
  uint32_t rank;
  uint32_t tick;
};

// What every scheduler of a run reads: the arrival list as far as it has
// arrived, the disk's cylinders, and where services and stops are reported.
struct RunState {
  const Arrival* arrivals = nullptr;
  int32_t arrived = 0;       // requests in the arrival list so far
  int32_t total = 0;         // requests of the run
  bool all_arrived = false;  // every request of the run has arrived
  const CylinderRanks* cylinders = nullptr;
  FrontEndLink* link = nullptr;  // told of every served request
  StopCheck* stop = nullptr;
};

inline constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();

// One disk-scheduling algorithm with its own head, queue and accounts. The
// clock does not tick through it: the scheduler goes from one event (a
// decision of a free head, the end of a transfer) to the next and works out
// the ticks between them, so a run of moves or a long settle costs one step.
// All schedulers of a run see the same requests at the same ticks.
class Scheduler {
 public:
  virtual ~Scheduler() = default;

  // Requests [first, last) of the arrival list arrive in `tick`; every tick
  // before it has been run, and the steps of `tick` follow the arrivals.
  virtual void Arrive(uint64_t tick, int32_t first, int32_t last) = 0;
  // Runs every tick before `tick`; no request arrives in them. Returns early
  // once a stop has been requested.
  virtual void RunUntil(uint64_t tick) = 0;
  // Runs until nothing is pending; returns the first tick at whose start
  // nothing is (0 when nothing was pending). No request arrives meanwhile.
  virtual uint64_t Drain() = 0;
  // The end of the run at the start of `tick`: runs the ticks before it and
  // accounts the moves already made of a sweep still under way.
  virtual void Finish(uint64_t tick) = 0;

  // The next tick in which the head does more than count down; kNever when
  // it stands still until a request arrives. (A plain field: the clock asks
  // for it after every step of every scheduler.)
  uint64_t NextEvent() const { return event_; }
  // True while requests are waiting or being served.
  virtual bool HasPending() const = 0;
  // True while the head is busy even with nothing pending, so the tick
  // must not be skipped as idle.
  virtual bool KeepsDiskBusy() const { return false; }
  // HasPending() or KeepsDiskBusy(): this scheduler keeps the coming tick
  // from being idle.
  virtual bool HasWork() const = 0;

  virtual const Accounts& accounts() const = 0;

  // From now on the head's moves and services are reported to `path`, for
  // the head-path log.
  virtual void RecordPath(PathRecorder* path) = 0;
  // From now on the waiting time of every request served is appended to
  // `waits`, for the waiting-time statistics.
  virtual void RecordWaits(std::vector<uint32_t>* waits) = 0;

 protected:
  uint64_t event_ = 0;
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULER_H_
