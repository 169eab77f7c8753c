#include "tests/engine/reference/schedulers/clook.h"

namespace schedule::reference {

// Sweeping up, a new request at or above the head and strictly nearer than
// the target replaces it; on the way down, one strictly below the target.
void CLook::Refresh(int32_t index) {
  if (direction_ == +1) {
    RefreshUpward(index);
  } else if (target_ != kNone && Cylinder(index) < Cylinder(target_)) {
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
  if (TransferOrServe(context)) return;
  if (target_ != kNone) {
    MoveOne(+1);
  } else if (pending() != 0) {
    // Nothing left at or above the head: start the return at once.
    direction_ = -1;
    MoveWithoutSettle(-1);
  }
}

void CLook::Step(const StepContext& context) {
  if (CountDownBusy()) return;
  if (direction_ == -1 && ReturnStep()) return;
  ServingStep(context);
}

}  // namespace schedule::reference
