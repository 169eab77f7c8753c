#include "engine/schedulers/look.h"

namespace schedule {

void Look::LookMove(uint64_t tick) {
  if (target_ != kNone) {
    RunTowardTarget(tick, direction_);
    return;
  }
  direction_ = -direction_;
  int32_t new_head = head_ + direction_;
  target_ = NearestInDirection(new_head, direction_);
  StartRun(tick, direction_, 1, target_ != kNone && Cylinder(target_) == new_head);
}

void Look::Decide(uint64_t tick) {
  if (ServeIfOnTarget(tick)) return;
  if (pending() == 0) {
    StandStill();  // keeping its direction
    return;
  }
  LookMove(tick);
}

}  // namespace schedule
