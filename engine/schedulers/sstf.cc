#include "engine/schedulers/sstf.h"

namespace schedule {

// The target is the nearest request either way, taken up before the shared
// start of the decision (which then finds one unless the queue is empty).
void Sstf::Decide(uint64_t tick) {
  if (target_ == kNone) target_ = Nearest(head_);
  if (ServeIfOnTarget(tick)) return;
  if (target_ == kNone) {
    StandStill();
    return;
  }
  RunTowardTarget(tick, Cylinder(target_) > head_ ? +1 : -1);
}

}  // namespace schedule
