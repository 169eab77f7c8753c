#ifndef SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_QUEUE_SCHEDULER_H_
#define SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_QUEUE_SCHEDULER_H_

#include <cstdint>
#include <vector>

#include "tests/engine/reference/schedulers/cylinder_index.h"
#include "tests/engine/reference/schedulers/head_scheduler.h"

namespace schedule::reference {

inline constexpr int32_t kNone = -1;

// A scheduler with its own copy of the queue of arrived, unfinished
// requests, a target in it and a sweep direction.
class QueueScheduler : public HeadScheduler {
 public:
  using HeadScheduler::HeadScheduler;

  void Arrive(const Request& request) override;
  bool HasPending() const override { return !queue_.empty(); }

  // Read-only views for tests.
  int32_t direction() const { return direction_; }
  int32_t target() const { return target_; }
  const std::vector<Request>& queue() const { return queue_; }

 protected:
  // Offers a new request, already appended at `index`, as the target. A
  // scheduler without a target ignores the offer.
  virtual void Refresh(int32_t index) { (void)index; }

  // The refresh of the sweeping schedulers: a new request at or beyond the
  // head in its direction that is strictly nearer than the target replaces it.
  void RefreshAhead(int32_t index) {
    if (target_ == kNone) return;
    int64_t ahead = (int64_t{Cylinder(index)} - head_) * direction_;
    if (ahead >= 0 && Distance(index) < Distance(target_)) target_ = index;
  }

  // The refresh of a serving upward sweep: a new request at or above the
  // head that is strictly nearer than the target replaces it.
  void RefreshUpward(int32_t index) {
    if (target_ == kNone) return;
    if (Cylinder(index) >= head_ && Distance(index) < Distance(target_)) target_ = index;
  }

  // The entry nearest to cylinder x; among equal distances the lowest index.
  int32_t Nearest(int32_t x) const;
  // The same among the entries on x's cylinder or beyond it in direction d.
  int32_t NearestInDirection(int32_t x, int32_t d) const;

  int32_t Cylinder(int32_t index) const { return queue_[index].cylinder; }
  // Distance of entry `index` from the head.
  int64_t Distance(int32_t index) const;
  bool OnTarget() const { return target_ != kNone && head_ == Cylinder(target_); }
  int32_t pending() const { return static_cast<int32_t>(queue_.size()); }

  // Removes entry `index`: its slot takes the queue's last entry, which is
  // why queue order after removals is not arrival order.
  void Remove(int32_t index);
  // Runs the transfer countdown; true when the tick went to the transfer.
  bool RunTransfer() {
    bool completed;
    if (!TickTransfer(&completed)) return false;
    if (completed) CompleteTransfer();
    return true;
  }
  // The target's transfer has ended: it leaves the queue.
  virtual void CompleteTransfer() {
    Remove(target_);
    target_ = kNone;
  }
  void ServeTarget(const StepContext& context) { Serve(queue_[target_], context); }
  // The target a free head takes up: by default the nearest request at or
  // beyond the head in the sweep direction.
  virtual int32_t ChooseTarget() const { return NearestInDirection(head_, direction_); }
  // The part of a step that every scheduler shares once its head is free:
  // run the transfer, take up a target and serve it while the head is on
  // its cylinder (a block time of 1 frees the head again in the same tick).
  // True when the tick is used up; false when the head may move.
  bool TransferOrServe(const StepContext& context);
  // Moves one cylinder in direction d, settling when it reaches the target.
  void MoveOne(int32_t d) { Move(d, target_ != kNone && head_ + d == Cylinder(target_)); }
  void MoveWithoutSettle(int32_t d) { Move(d, false); }

  std::vector<Request> queue_;
  CylinderIndex index_;  // the same entries, ordered for the searches
  int32_t target_ = kNone;
  int32_t direction_ = +1;
};

}  // namespace schedule::reference

#endif  // SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_QUEUE_SCHEDULER_H_
