#include "tests/engine/reference/schedulers/scan.h"

namespace schedule::reference {

void Scan::Step(const StepContext& context) {
  if (CountDownBusy() || TransferOrServe(context)) return;
  if (pending() == 0) return;  // stands still, keeping its direction
  bool at_end =
      (head_ == 0 && direction_ == -1) || (head_ == disk_.highest_cylinder && direction_ == +1);
  if (at_end) {
    direction_ = -direction_;
    target_ = NearestInDirection(head_, direction_);
  }
  MoveOne(direction_);
}

}  // namespace schedule::reference
