#ifndef SCHEDULE_ENGINE_SCHEDULERS_QUEUE_SCHEDULER_H_
#define SCHEDULE_ENGINE_SCHEDULERS_QUEUE_SCHEDULER_H_

#include <cstdint>
#include <vector>

#include "engine/schedulers/head_scheduler.h"
#include "engine/schedulers/request_queue.h"

namespace schedule {

inline constexpr int32_t kNone = -1;

// A scheduler with its own copy of the queue of arrived, unfinished
// requests, a target in it and a sweep direction.
class QueueScheduler : public HeadScheduler {
 public:
  QueueScheduler(const DiskTiming& disk, const RunState& run, int32_t initial_head)
      : HeadScheduler(disk, run, initial_head),
        cylinders_(*run.cylinders),
        queue_(run.total, cylinders_.size()) {}

  bool HasPending() const override { return queue_.size() != 0; }

 protected:
  // Offers a new request, already appended in `slot`, as the target. A
  // scheduler without a target ignores the offer.
  virtual void Refresh(int32_t slot) { (void)slot; }
  // True when an arrival can change where a run under way is heading, so
  // that the run must be cut at the arrival and decided on again.
  virtual bool RedirectsOnArrival() const { return true; }
  void CompleteTransfer() override {
    RemoveFromQueue(target_);
    target_ = kNone;
  }
  // Appends request `request` of the arrival list; returns its slot. (The
  // arrivals themselves are taken by Driven::Arrive: the run under way is
  // cut when the algorithm redirects on arrival, each request is appended
  // and offered to Refresh, and a head standing still wakes up.)
  int32_t Enqueue(int32_t request) {
    const int32_t slot = queue_.Append(run_.arrivals[request]);
    if (records_path()) requests_.push_back(request);
    return slot;
  }
  // Removes the request in `slot`; the last entry moves into the slot.
  void RemoveFromQueue(int32_t slot);

  // The refresh of the sweeping schedulers: a new request at or beyond the
  // head in its direction that is strictly nearer than the target replaces it.
  void RefreshAhead(int32_t slot) {
    if (target_ == kNone) return;
    int64_t ahead = (int64_t{Cylinder(slot)} - head_) * direction_;
    if (ahead >= 0 && Distance(slot) < Distance(target_)) target_ = slot;
  }
  // The refresh of a serving upward sweep: a new request at or above the
  // head that is strictly nearer than the target replaces it.
  void RefreshUpward(int32_t slot) {
    if (target_ == kNone) return;
    if (Cylinder(slot) >= head_ && Distance(slot) < Distance(target_)) target_ = slot;
  }

  // The entry nearest to cylinder x; among equal distances the lowest slot.
  int32_t Nearest(int32_t x) const;
  // The same among the entries on x's cylinder or beyond it in direction d.
  int32_t NearestInDirection(int32_t x, int32_t d) const {
    if (d >= 0) return queue_.LowestAtOrAbove(cylinders_.FirstAtOrAbove(x));
    return queue_.LowestAtOrBelow(cylinders_.LastAtOrBelow(x));
  }

  int32_t Cylinder(int32_t slot) const { return cylinders_.cylinder(queue_.rank(slot)); }
  // Distance of entry `slot` from the head.
  int64_t Distance(int32_t slot) const {
    int64_t d = int64_t{Cylinder(slot)} - head_;
    return d < 0 ? -d : d;
  }
  int32_t pending() const { return queue_.size(); }

  // The shared start of a decision: takes up a target when there is none
  // (the nearest request at or beyond the head in the sweep direction), and
  // serves it when the head is on its cylinder. True when it served.
  bool ServeIfOnTarget(uint64_t tick) {
    if (target_ == kNone) target_ = NearestInDirection(head_, direction_);
    if (target_ == kNone || Cylinder(target_) != head_) return false;
    const int32_t request = records_path() ? requests_[static_cast<size_t>(target_)] : -1;
    Serve(tick, queue_.arrival(target_), request);
    return true;
  }
  // A run in direction d towards the target (settling on it) when it lies
  // ahead; otherwise one move in direction d.
  void RunTowardTarget(uint64_t tick, int32_t d) {
    const int64_t ahead = (int64_t{Cylinder(target_)} - head_) * d;
    if (ahead >= 1) {
      StartRun(tick, d, static_cast<uint64_t>(ahead), true);
    } else {
      StartRun(tick, d, 1, false);
    }
  }

  // The run's cylinders (run_.cylinders, which stay for the whole run).
  const CylinderRanks& cylinders_;
  RequestQueue queue_;
  int32_t target_ = kNone;
  int32_t direction_ = +1;

 private:
  // For the head-path log only: the arrival index of the request in each
  // slot, moved along with the queue's entries.
  std::vector<int32_t> requests_;
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_QUEUE_SCHEDULER_H_
