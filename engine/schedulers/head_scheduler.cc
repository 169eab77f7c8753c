#include "engine/schedulers/head_scheduler.h"

#include <algorithm>

#include "engine/link.h"
#include "engine/path_log.h"

namespace schedule {

bool HeadScheduler::PollStop() { return run_.stop->Poll(); }

void HeadScheduler::Finish(uint64_t tick) {
  RunUntil(tick);
  Materialize(tick);
  if (path_ != nullptr) path_->End(tick, head_);
}

void HeadScheduler::ReportService(uint64_t tick, uint32_t wait, int32_t request) {
  if (path_ != nullptr) {
    path_->Serve(tick + path_shift_, head_, request, uint64_t{wait} + path_shift_);
  }
  if (waits_ != nullptr) {
    // Only FCFS's shifted waits can outgrow 32 bits; they are kept at the top.
    const uint64_t physical = uint64_t{wait} + path_shift_;
    waits_->push_back(static_cast<uint32_t>(std::min<uint64_t>(physical, UINT32_MAX)));
  }
  if (run_.link != nullptr) run_.link->CountService();
}

void HeadScheduler::LimitRunToOneMove() {
  if (phase_ != Phase::kMoving || run_plan_.moves <= 1) return;
  StartRun(run_plan_.start, run_plan_.direction, 1, false);
}

void HeadScheduler::RecordMoves(uint64_t tick, int32_t direction, uint64_t moves) {
  if (path_ != nullptr) path_->Moves(tick + path_shift_, head_, direction, moves);
}

void HeadScheduler::Materialize(uint64_t tick) {
  if (phase_ != Phase::kMoving || tick <= run_plan_.start) return;
  // Moves happen in ticks start, start + seek, ...: those before `tick`.
  const uint64_t seek = static_cast<uint64_t>(disk_.seek_time);
  const uint64_t made = std::min(run_plan_.moves, (tick - run_plan_.start + seek - 1) / seek);
  const bool all = made == run_plan_.moves;
  const uint64_t start = run_plan_.start;
  MakeMoves(made);
  if (!all) WaitUntil(start + made * seek);  // else event_ stays: the end of the run
}

}  // namespace schedule
