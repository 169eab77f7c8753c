#include "engine/schedulers/sstf.h"

namespace schedule {

void Sstf::Step(const StepContext& context) {
  if (CountDownBusy()) return;
  for (;;) {
    if (RunTransfer()) return;
    if (target_ == kNone) target_ = Nearest(head_);
    if (target_ == kNone) return;
    if (OnTarget()) {
      ServeTarget(context);
      continue;
    }
    MoveOne(Cylinder(target_) > head_ ? +1 : -1);
    return;
  }
}

}  // namespace schedule
