#ifndef SCHEDULE_ENGINE_SCHEDULERS_HEAD_SCHEDULER_H_
#define SCHEDULE_ENGINE_SCHEDULERS_HEAD_SCHEDULER_H_

#include <cstdint>
#include <vector>

#include "engine/disk.h"
#include "engine/link.h"
#include "engine/scheduler.h"

namespace schedule {

// A head with its accounts and the common timing model: one cylinder per
// seek period, settle on the move that reaches the target, serve on the
// target's cylinder in the first free tick there, then the block transfer.
//
// The head goes from event to event. At a decision (a tick in which it is
// free) the algorithm serves, stands still, or starts a run of moves in one
// direction; a run of d moves is one event, and the state in any tick of it
// follows by arithmetic, which is what an arrival in the middle of a run
// needs (Materialize). The tick a transfer completes in is an event too,
// since arrivals in that tick come before the removal from the queue.
//
// The event loop itself is Driven's (driven.h), which each algorithm is
// built as, so that the loop calls the algorithm's hooks directly.
class HeadScheduler : public Scheduler {
 public:
  HeadScheduler(const DiskTiming& disk, const RunState& run, int32_t initial_head)
      : disk_(disk),
        run_(run),
        head_(initial_head),
        reports_services_(run.link != nullptr && run.link->counts_services()) {}

  void Finish(uint64_t tick) override;
  const Accounts& accounts() const override { return accounts_; }
  void RecordPath(PathRecorder* path) override {
    path_ = path;
    reports_services_ = true;
  }
  void RecordWaits(std::vector<uint32_t>* waits) override {
    waits_ = waits;
    reports_services_ = true;
  }

 protected:
  enum class Phase {
    kFree,      // free in tick event_: a decision
    kTransfer,  // the transfer completes in tick event_
    kMoving,    // a run of moves; free again in tick event_
    kIdle,      // standing still until a request arrives
  };

  // The algorithm's step in `tick`, with the head free: it ends by serving,
  // starting a run, waiting or standing still.
  virtual void Decide(uint64_t tick) = 0;
  // The transfer has ended: the served request leaves the queue.
  virtual void CompleteTransfer() = 0;
  // Called after `moves` moves of a run have been made.
  virtual void AfterMoves(uint64_t moves) { (void)moves; }

  // Serves a request that arrived in `arrival` (the 32-bit clock): its wait
  // ends now and its transfer starts in this tick. `request` is its index in
  // arrival order, which only the head-path log needs.
  void Serve(uint64_t tick, uint32_t arrival, int32_t request) {
    const uint32_t wait = static_cast<uint32_t>(tick) - arrival;
    if (reports_services_) ReportService(tick, wait, request);
    accounts_.wait_total += wait;
    if (wait > accounts_.max_wait) accounts_.max_wait = wait;
    // The transfer's first tick is this one; with a block time of 1 it also
    // ends in it.
    if (disk_.block_time == 1) {
      CompleteTransfer();
      WaitUntil(tick + 1);
    } else {
      phase_ = Phase::kTransfer;
      event_ = tick + static_cast<uint64_t>(disk_.block_time) - 1;
    }
  }
  // Moves `moves` cylinders in `direction`, one every seek period starting
  // in `tick`; the last move settles when `settles`.
  void StartRun(uint64_t tick, int32_t direction, uint64_t moves, bool settles) {
    phase_ = Phase::kMoving;
    run_plan_ = Run{tick, direction, moves, settles};
    event_ = tick + moves * static_cast<uint64_t>(disk_.seek_time) +
             (settles ? static_cast<uint64_t>(disk_.settle_time) : 0);
  }
  // Shortens the run just started to its first move, which then does not
  // settle unless it was the only one.
  void LimitRunToOneMove();
  // The head is busy until `tick`, its next decision.
  void WaitUntil(uint64_t tick) {
    phase_ = Phase::kFree;
    event_ = tick;
  }
  void StandStill() {
    phase_ = Phase::kIdle;
    event_ = kNever;
  }
  // A request arrived in `tick`: a head standing still decides there.
  void WakeAt(uint64_t tick) {
    if (phase_ == Phase::kIdle) WaitUntil(tick);
  }
  // Brings a run under way to the start of `tick`: the moves made in the
  // ticks before it are accounted, and the head is next free after the
  // countdown of the last of them.
  void Materialize(uint64_t tick);
  bool moving() const { return phase_ == Phase::kMoving; }
  bool records_path() const { return path_ != nullptr; }
  // Reports `moves` moves from the head's cylinder to the head-path log.
  void RecordMoves(uint64_t tick, int32_t direction, uint64_t moves);

  const DiskTiming disk_;
  const RunState& run_;
  int32_t head_;
  Accounts accounts_;
  // The head-path log, or null; its ticks run ahead of the clock by the
  // shift (the ticks FCFS's tail shortcut skips, so its log is in physical
  // time). The recorded waits are in physical time too.
  PathRecorder* path_ = nullptr;
  uint64_t path_shift_ = 0;
  std::vector<uint32_t>* waits_ = nullptr;

 protected:
  struct Run {
    uint64_t start;  // the tick of the first move
    int32_t direction;
    uint64_t moves;
    bool settles;
  };

  // Accounts the first `moves` moves of the run and ends it, without the
  // algorithm's AfterMoves; MakeMoves with it.
  void MoveHead(uint64_t moves) {
    const Run& run = run_plan_;
    if (path_ != nullptr) RecordMoves(run.start, run.direction, moves);
    head_ = static_cast<int32_t>(head_ + static_cast<int64_t>(moves) * run.direction);
    uint64_t seek = moves * static_cast<uint64_t>(disk_.seek_time);
    if (moves == run.moves && run.settles) seek += static_cast<uint64_t>(disk_.settle_time);
    accounts_.seek_total =
        static_cast<int64_t>(static_cast<uint64_t>(accounts_.seek_total) + seek);
    phase_ = Phase::kFree;
  }
  void MakeMoves(uint64_t moves) {
    MoveHead(moves);
    AfterMoves(moves);
  }
  // True when a stop has been requested before a loop over events starts.
  bool StopSeen() const { return run_.stop != nullptr && run_.stop->stopped(); }
  // Counts an event of such a loop; every kEventsPerPoll events (well under
  // a millisecond) asks the caller, and true when a stop has been requested.
  // Only a poll can see a stop, and within the loop only this one polls.
  bool Stopped() {
    if (--events_to_poll_ != 0) return false;
    events_to_poll_ = kEventsPerPoll;
    return run_.stop != nullptr && PollStop();
  }

  Phase phase_ = Phase::kFree;
  Run run_plan_{};

 private:
  static constexpr uint32_t kEventsPerPoll = 1024;
  bool PollStop();
  // Tells the head-path log, the waiting-time records and the link, those
  // that there are, of a request served with `wait`.
  void ReportService(uint64_t tick, uint32_t wait, int32_t request);

  // A service is reported anywhere (the rare case, kept out of Serve).
  bool reports_services_;

  uint32_t events_to_poll_ = kEventsPerPoll;  // events of the loops until the next poll
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_HEAD_SCHEDULER_H_
