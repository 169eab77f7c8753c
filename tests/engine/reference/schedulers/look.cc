#include "tests/engine/reference/schedulers/look.h"

namespace schedule::reference {

void Look::LookMove() {
  if (target_ != kNone) {
    MoveOne(direction_);
    return;
  }
  direction_ = -direction_;
  int32_t new_head = head_ + direction_;
  target_ = NearestInDirection(new_head, direction_);
  Move(direction_, target_ != kNone && Cylinder(target_) == new_head);
}

void Look::Step(const StepContext& context) {
  if (CountDownBusy() || TransferOrServe(context)) return;
  if (pending() == 0) return;  // stands still, keeping its direction
  LookMove();
}

}  // namespace schedule::reference
