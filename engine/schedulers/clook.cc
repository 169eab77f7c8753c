#include "engine/schedulers/clook.h"

namespace schedule {

// Sweeping up, a new request at or above the head and strictly nearer than
// the target replaces it; on the way down, one strictly below the target.
void CLook::Refresh(int32_t index) {
  if (target_ == kNone) return;
  if (direction_ == +1) {
    if (Cylinder(index) >= head_ && Distance(index) < Distance(target_)) target_ = index;
  } else if (Cylinder(index) < Cylinder(target_)) {
    target_ = index;
  }
}

bool CLook::ReturnStep() {
  if (target_ == kNone) target_ = NearestInDirection(0, +1);  // the lowest request
  if (target_ != kNone && Cylinder(target_) < head_) {
    MoveOne(-1);
    return true;
  }
  direction_ = +1;
  return false;
}

void CLook::ServingStep(const StepContext& context) {
  for (;;) {
    if (RunTransfer()) return;
    if (target_ == kNone) target_ = NearestInDirection(head_, +1);
    if (OnTarget()) {
      ServeTarget(context);
      continue;
    }
    if (target_ != kNone) {
      MoveOne(+1);
    } else if (pending() != 0) {
      // Nothing left at or above the head: start the return at once.
      direction_ = -1;
      MoveWithoutSettle(-1);
    }
    return;
  }
}

void CLook::Step(const StepContext& context) {
  if (CountDownBusy()) return;
  if (direction_ == -1 && ReturnStep()) return;
  ServingStep(context);
}

}  // namespace schedule
