#include "engine/schedulers/queue_scheduler.h"

#include <algorithm>

namespace schedule {

int32_t QueueScheduler::Nearest(int32_t x) const {
  const int32_t above = queue_.LowestAtOrAbove(cylinders_.FirstAtOrAbove(x));
  const int32_t below = queue_.LowestAtOrBelow(cylinders_.LastAtOrBelow(x));
  if (above == kNone) return below;
  if (below == kNone) return above;
  const int64_t d_above = int64_t{Cylinder(above)} - x;
  const int64_t d_below = int64_t{x} - Cylinder(below);
  if (d_below < d_above) return below;
  if (d_above < d_below) return above;
  return std::min(above, below);  // also when both are on x's own cylinder
}

void QueueScheduler::RemoveFromQueue(int32_t slot) {
  queue_.Remove(slot);
  if (records_path()) {
    requests_[static_cast<size_t>(slot)] = requests_.back();
    requests_.pop_back();
  }
}

}  // namespace schedule
