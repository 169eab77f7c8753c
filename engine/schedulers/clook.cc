#include "engine/schedulers/clook.h"

namespace schedule {

// Sweeping up, a new request at or above the head and strictly nearer than
// the target replaces it; on the way down, one strictly below the target.
void CLook::Refresh(int32_t slot) {
  if (direction_ == +1) {
    RefreshUpward(slot);
  } else if (target_ != kNone && Cylinder(slot) < Cylinder(target_)) {
    target_ = slot;
  }
}

bool CLook::ReturnStep(uint64_t tick) {
  if (target_ == kNone) target_ = NearestInDirection(0, +1);  // the lowest request
  if (target_ != kNone && Cylinder(target_) < head_) {
    RunTowardTarget(tick, -1);
    return true;
  }
  direction_ = +1;
  return false;
}

void CLook::ServingStep(uint64_t tick) {
  if (ServeIfOnTarget(tick)) return;
  if (target_ != kNone) {
    RunTowardTarget(tick, +1);
  } else if (pending() != 0) {
    // Nothing left at or above the head: start the return at once.
    direction_ = -1;
    StartRun(tick, -1, 1, false);
  } else {
    StandStill();
  }
}

void CLook::Decide(uint64_t tick) {
  if (direction_ == -1 && ReturnStep(tick)) return;
  ServingStep(tick);
}

}  // namespace schedule
