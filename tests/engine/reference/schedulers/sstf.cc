#include "tests/engine/reference/schedulers/sstf.h"

namespace schedule::reference {

void Sstf::Step(const StepContext& context) {
  if (CountDownBusy() || TransferOrServe(context) || target_ == kNone) return;
  MoveOne(Cylinder(target_) > head_ ? +1 : -1);
}

}  // namespace schedule::reference
