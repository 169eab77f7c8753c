#include "tests/engine/reference/schedulers/head_scheduler.h"

#include "engine/link.h"

namespace schedule::reference {

void HeadScheduler::Serve(const Request& request, const StepContext& context) {
  uint32_t wait = context.clock - request.arrival;
  if (path_ != nullptr) {
    path_->Serve(context.clock + path_shift_, head_, request.index, uint64_t{wait} + path_shift_);
  }
  accounts_.wait_total += wait;
  if (wait > accounts_.max_wait) accounts_.max_wait = wait;
  transfer_ = static_cast<uint16_t>(disk_.block_time);
  if (context.link != nullptr) context.link->CountService();
}

void HeadScheduler::Move(int32_t d, bool settles) {
  if (path_ != nullptr) path_->Moves(*clock_ + path_shift_, head_, d, 1);
  head_ += d;
  if (settles) {
    accounts_.seek_total += disk_.move_and_settle();
    busy_ = disk_.move_and_settle_rest();
  } else {
    accounts_.seek_total += disk_.seek_time;
    busy_ = disk_.seek_time - 1;
  }
}

}  // namespace schedule::reference
