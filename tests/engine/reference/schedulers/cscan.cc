#include "tests/engine/reference/schedulers/cscan.h"

namespace schedule::reference {

// Only during the serving sweep: a new request at or above the head that is
// strictly nearer than the target replaces it.
void CScan::Refresh(int32_t index) {
  if (direction_ == +1) RefreshUpward(index);
}

bool CScan::ReturnStep() {
  if (head_ > 0) {
    MoveWithoutSettle(-1);
    return true;
  }
  // Back on cylinder 0: the serving sweep starts again from here.
  direction_ = +1;
  target_ = NearestInDirection(0, +1);
  if (target_ != kNone && Cylinder(target_) == 0) {
    accounts_.seek_total += disk_.settle_time;
    busy_ = disk_.settle_time;
  }
  return CountDownBusy();
}

void CScan::ServingStep(const StepContext& context) {
  if (TransferOrServe(context)) return;
  if (pending() != 0 && head_ < disk_.highest_cylinder) {
    MoveOne(+1);
  } else if (AtTop()) {
    // The top is reached: turn back whether or not anything is pending.
    direction_ = -1;
    MoveWithoutSettle(-1);
  }
}

void CScan::Step(const StepContext& context) {
  if (CountDownBusy()) return;
  if (direction_ == -1 && ReturnStep()) return;
  ServingStep(context);
}

}  // namespace schedule::reference
