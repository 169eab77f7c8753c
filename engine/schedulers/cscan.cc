#include "engine/schedulers/cscan.h"

namespace schedule {

bool CScan::ReturnStep(uint64_t tick) {
  if (head_ > 0) {
    StartRun(tick, -1, static_cast<uint64_t>(head_), false);
    return true;
  }
  // Back on cylinder 0: the serving sweep starts again from here, after a
  // settle when the first target is on cylinder 0 itself.
  direction_ = +1;
  target_ = NearestInDirection(0, +1);
  if (target_ != kNone && Cylinder(target_) == 0 && disk_.settle_time != 0) {
    accounts_.seek_total += disk_.settle_time;
    WaitUntil(tick + static_cast<uint64_t>(disk_.settle_time));
    return true;
  }
  return false;
}

void CScan::ServingStep(uint64_t tick) {
  if (ServeIfOnTarget(tick)) return;
  if (pending() != 0 && head_ < disk_.highest_cylinder) {
    if (target_ != kNone) {
      RunTowardTarget(tick, +1);
    } else {
      StartRun(tick, +1, static_cast<uint64_t>(disk_.highest_cylinder - head_), false);
    }
  } else if (AtTop()) {
    // The top is reached: turn back whether or not anything is pending.
    direction_ = -1;
    StartRun(tick, -1, static_cast<uint64_t>(head_), false);
  } else {
    StandStill();
  }
}

void CScan::Decide(uint64_t tick) {
  if (direction_ == -1 && ReturnStep(tick)) return;
  ServingStep(tick);
}

}  // namespace schedule
