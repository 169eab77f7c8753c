#include "engine/schedulers/scan.h"

namespace schedule {

void Scan::Decide(uint64_t tick) {
  if (ServeIfOnTarget(tick)) return;
  if (pending() == 0) {
    StandStill();  // keeping its direction
    return;
  }
  bool at_end =
      (head_ == 0 && direction_ == -1) || (head_ == disk_.highest_cylinder && direction_ == +1);
  if (at_end) {
    direction_ = -direction_;
    target_ = NearestInDirection(head_, direction_);
  }
  if (target_ != kNone) {
    RunTowardTarget(tick, direction_);
  } else {
    // Nothing ahead: on to the end of the disk.
    int32_t cylinders = direction_ > 0 ? disk_.highest_cylinder - head_ : head_;
    StartRun(tick, direction_, static_cast<uint64_t>(cylinders), false);
  }
}

}  // namespace schedule
