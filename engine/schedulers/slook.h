#ifndef SCHEDULE_ENGINE_SCHEDULERS_SLOOK_H_
#define SCHEDULE_ENGINE_SCHEDULERS_SLOOK_H_

#include <cstdint>

#include "engine/schedulers/look.h"
#include "engine/schedulers/waisted_time.h"

namespace schedule {

// How S-LOOK puts its waisted time back to the constant.
enum class SlookReset : int16_t { kExtremes = 1, kPingPong = 2, kEmptyQueue = 3 };

struct SlookOptions {
  int32_t factor;    // added to the waisted time for every cylinder moved
  int32_t constant;  // the start value and the value of every reset
  int16_t reset;     // 1, 2 or 3; any other value never resets
};

// S-LOOK: LOOK that may turn early when an arrival becomes the new lowest
// or highest pending request and that extreme is nearer than the other one
// by more than the accumulated waisted time.
class SLook : public Look {
 public:
  SLook(const DiskTiming& disk, const RunState& run, int32_t initial_head,
        const SlookOptions& options);

 protected:
  void Decide(uint64_t tick) override;
  void Refresh(int32_t slot) override;
  void CompleteTransfer() override;
  void AfterMoves(uint64_t moves) override {
    waisted_ = WaistedAfterMoves(waisted_, options_.factor, disk_.highest_cylinder, moves);
  }

 private:
  // Which extreme the last served request was, for the Ping Pong reset.
  enum Kind : int16_t { kOrdinary = 0, kLowest = 1, kHighest = 2 };

  // Considered in every tick in which the head is free, before its step.
  void TurnDecision();
  void ResetAfterService(int16_t kind);

  SlookOptions options_;
  int32_t waisted_;
  int32_t lowest_ = kNone;
  int32_t highest_ = kNone;
  bool extremes_changed_ = false;
  int16_t last_reset_kind_ = kOrdinary;
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_SLOOK_H_
