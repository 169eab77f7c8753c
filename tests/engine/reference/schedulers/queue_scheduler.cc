#include "tests/engine/reference/schedulers/queue_scheduler.h"

namespace schedule::reference {

namespace {
int64_t Abs(int64_t v) { return v < 0 ? -v : v; }
}  // namespace

void QueueScheduler::Arrive(const Request& request) {
  queue_.push_back(request);
  index_.Add(request.cylinder, pending() - 1);
  Refresh(pending() - 1);
}

int64_t QueueScheduler::Distance(int32_t index) const {
  return Abs(int64_t{Cylinder(index)} - head_);
}

int32_t QueueScheduler::Nearest(int32_t x) const { return index_.Nearest(x); }

int32_t QueueScheduler::NearestInDirection(int32_t x, int32_t d) const {
  return index_.NearestInDirection(x, d);
}

bool QueueScheduler::TransferOrServe(const StepContext& context) {
  for (;;) {
    if (RunTransfer()) return true;
    if (target_ == kNone) target_ = ChooseTarget();
    if (!OnTarget()) return false;
    ServeTarget(context);
  }
}

// The freed slot takes the last entry, so the index of that entry changes.
void QueueScheduler::Remove(int32_t index) {
  const int32_t last = pending() - 1;
  index_.Erase(queue_[index].cylinder, index);
  if (index != last) {
    index_.Erase(queue_[last].cylinder, last);
    index_.Add(queue_[last].cylinder, index);
    queue_[index] = queue_[last];
  }
  queue_.pop_back();
}

}  // namespace schedule::reference
