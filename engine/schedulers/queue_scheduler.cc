#include "engine/schedulers/queue_scheduler.h"

namespace schedule {

namespace {
int64_t Abs(int64_t v) { return v < 0 ? -v : v; }
}  // namespace

void QueueScheduler::Arrive(const Request& request) {
  queue_.push_back(request);
  Refresh(pending() - 1);
}

int64_t QueueScheduler::Distance(int32_t index) const {
  return Abs(int64_t{Cylinder(index)} - head_);
}

int32_t QueueScheduler::Nearest(int32_t x) const {
  int32_t best = kNone;
  int64_t best_distance = 0;
  for (int32_t i = 0; i < pending(); ++i) {
    int64_t d = Abs(int64_t{queue_[i].cylinder} - x);
    if (best == kNone || d < best_distance) {
      best = i;
      best_distance = d;
    }
  }
  return best;
}

int32_t QueueScheduler::NearestInDirection(int32_t x, int32_t d) const {
  int32_t best = kNone;
  int64_t best_distance = 0;
  for (int32_t i = 0; i < pending(); ++i) {
    int64_t offset = (int64_t{queue_[i].cylinder} - x) * d;
    if (offset < 0) continue;
    if (best == kNone || offset < best_distance) {
      best = i;
      best_distance = offset;
    }
  }
  return best;
}

void QueueScheduler::Remove(int32_t index) {
  queue_[index] = queue_.back();
  queue_.pop_back();
}

}  // namespace schedule
