#include "engine/schedulers/sstf.h"

namespace schedule {

void Sstf::Decide(uint64_t tick) {
  if (ServeIfOnTarget(tick)) return;
  if (target_ == kNone) {
    StandStill();
    return;
  }
  RunTowardTarget(tick, Cylinder(target_) > head_ ? +1 : -1);
}

}  // namespace schedule
