#ifndef SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_SLOOK_H_
#define SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_SLOOK_H_

#include <cstdint>

#include "tests/engine/reference/schedulers/look.h"

namespace schedule::reference {

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
  // The waisted time at which early turns are no longer considered.
  static constexpr int32_t kSaturated = 0x7FFFFFFE;

  SLook(const DiskTiming& disk, int32_t initial_head, const SlookOptions& options);

  void BeforeSteps() override { TurnDecision(); }
  void Step(const StepContext& context) override;

  int32_t waisted_time() const { return waisted_; }

 protected:
  void Refresh(int32_t index) override;
  void CompleteTransfer() override;

 private:
  // Which extreme the last served request was, for the Ping Pong reset.
  enum Kind : int16_t { kOrdinary = 0, kLowest = 1, kHighest = 2 };

  void TurnDecision();
  void ResetAfterService(int16_t kind);
  void AddFactor();

  SlookOptions options_;
  int32_t waisted_;
  int32_t lowest_ = kNone;
  int32_t highest_ = kNone;
  bool extremes_changed_ = false;
  int16_t last_reset_kind_ = kOrdinary;
};

}  // namespace schedule::reference

#endif  // SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_SLOOK_H_
