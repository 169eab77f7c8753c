#ifndef SCHEDULE_ENGINE_SCHEDULERS_DRIVEN_H_
#define SCHEDULE_ENGINE_SCHEDULERS_DRIVEN_H_

#include <cstdint>
#include <type_traits>

#include "engine/scheduler.h"
#include "engine/schedulers/queue_scheduler.h"

namespace schedule {

// The event loop of one algorithm. Every scheduler of a run is built as
// Driven<Algorithm>; since this class is final, the loop's calls of the
// algorithm's hooks (its decision, the end of a transfer, the moves made,
// the refresh of its target by an arrival) are direct calls that the
// compiler can inline, not an indirect call for each event.
template <class Algorithm>
class Driven final : public Algorithm {
 public:
  using Algorithm::Algorithm;

  void RunUntil(uint64_t tick) override {
    if (this->StopSeen()) return;
    while (this->event_ < tick) {
      if (this->Stopped()) return;
      Act();
    }
  }

  uint64_t Drain() override {
    uint64_t quiet = 0;
    if (this->StopSeen()) return quiet;
    while (this->HasPending() && this->event_ != kNever) {
      if (this->Stopped()) return quiet;
      const uint64_t tick = this->event_;
      Act();
      if (!this->HasPending()) quiet = tick + 1;
    }
    return quiet;
  }

  // A scheduler with a queue of its own: a run that the arrivals may
  // redirect is cut at them, each one joins the queue and is offered as
  // the target, and a head standing still decides in this tick.
  void Arrive(uint64_t tick, int32_t first, int32_t last) override {
    if constexpr (std::is_base_of_v<QueueScheduler, Algorithm>) {
      if (this->moving() && this->RedirectsOnArrival()) this->Materialize(tick);
      for (int32_t request = first; request < last; ++request) this->Refresh(this->Enqueue(request));
      this->WakeAt(tick);
    } else {
      Algorithm::Arrive(tick, first, last);
    }
  }

  bool HasWork() const override { return this->HasPending() || this->KeepsDiskBusy(); }

 private:
  using Phase = typename Algorithm::Phase;

  // Handles the next event.
  void Act() {
    switch (this->phase_) {
      case Phase::kMoving: {
        const uint64_t moves = this->run_plan_.moves;
        this->MoveHead(moves);
        this->AfterMoves(moves);
        this->Decide(this->event_);
        break;
      }
      case Phase::kFree:
        this->Decide(this->event_);
        break;
      case Phase::kTransfer: {
        const uint64_t tick = this->event_;
        this->CompleteTransfer();
        this->WaitUntil(tick + 1);
        break;
      }
      case Phase::kIdle:
        break;
    }
  }
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_DRIVEN_H_
