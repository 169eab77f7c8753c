#include "tests/engine/reference/schedulers/slook.h"

namespace schedule::reference {

namespace {
// 32-bit signed addition that wraps, as the waisted time does.
int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
}  // namespace

SLook::SLook(const DiskTiming& disk, int32_t initial_head, const SlookOptions& options)
    : Look(disk, initial_head), options_(options), waisted_(options.constant) {}

// Tracks the extremes (equal cylinders leave the older one in place), then
// refreshes the target as LOOK does.
void SLook::Refresh(int32_t index) {
  if (highest_ == kNone || Cylinder(index) > Cylinder(highest_)) {
    highest_ = index;
    extremes_changed_ = true;
  }
  if (lowest_ == kNone || Cylinder(index) < Cylinder(lowest_)) {
    lowest_ = index;
    extremes_changed_ = true;
  }
  RefreshAhead(index);
}

void SLook::TurnDecision() {
  if (!extremes_changed_ || pending() == 0 || busy_ != 0 || transfer_ != 0 ||
      waisted_ == kSaturated) {
    return;  // considered again in the next tick
  }
  extremes_changed_ = false;
  int64_t d_low = Distance(lowest_);
  int64_t d_high = Distance(highest_);
  int32_t way;
  bool turn;
  if (d_low < d_high) {
    way = Cylinder(lowest_) < head_ ? -1 : +1;
    turn = d_low + waisted_ < d_high;
  } else {
    way = Cylinder(highest_) <= head_ ? -1 : +1;
    turn = d_high + waisted_ < d_low;
  }
  if (way != direction_ && turn) {
    direction_ = way;
    target_ = kNone;
  }
}

// The served request leaves the queue; the extremes are found again when
// they were served, or follow the entry that moved into the freed slot.
void SLook::CompleteTransfer() {
  const int32_t served = target_;
  const int32_t old_last = pending() - 1;
  Remove(served);
  int16_t kind = kOrdinary;
  if (served == lowest_) {
    lowest_ = NearestInDirection(0, +1);
    kind = kLowest;
  } else if (lowest_ == old_last) {
    lowest_ = served;
  }
  if (served == highest_) {
    highest_ = NearestInDirection(disk_.highest_cylinder, -1);
    kind = kHighest;
  } else if (highest_ == old_last) {
    highest_ = served;
  }
  ResetAfterService(kind);
  target_ = kNone;
}

void SLook::ResetAfterService(int16_t kind) {
  switch (static_cast<SlookReset>(options_.reset)) {
    case SlookReset::kExtremes:
      if (kind != kOrdinary) waisted_ = options_.constant;
      break;
    case SlookReset::kPingPong:
      // Every served request counts here, ordinary ones included.
      if (kind != last_reset_kind_) {
        last_reset_kind_ = kind;
        waisted_ = options_.constant;
      }
      break;
    default:
      break;
  }
}

// The waisted time grows by the factor per cylinder moved; once it would
// overflow a 32-bit number together with the disk size, it sticks at the
// saturation value and no early turn is considered any more.
void SLook::AddFactor() {
  if (waisted_ == kSaturated && options_.factor >= 0) return;  // stuck until a reset
  waisted_ = WrappingAdd(waisted_, options_.factor);
  if (WrappingAdd(WrappingAdd(waisted_, disk_.highest_cylinder), 10) < 0) waisted_ = kSaturated;
}

void SLook::Step(const StepContext& context) {
  if (CountDownBusy() || TransferOrServe(context)) return;
  if (pending() != 0) {
    LookMove();
    AddFactor();
  } else if (options_.reset == static_cast<int16_t>(SlookReset::kEmptyQueue)) {
    waisted_ = options_.constant;
  }
}

}  // namespace schedule::reference
