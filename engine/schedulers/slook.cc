#include "engine/schedulers/slook.h"

namespace schedule {

SLook::SLook(const DiskTiming& disk, const RunState& run, int32_t initial_head,
             const SlookOptions& options)
    : Look(disk, run, initial_head), options_(options), waisted_(options.constant) {}

// Tracks the extremes (equal cylinders leave the older one in place), then
// refreshes the target as LOOK does.
void SLook::Refresh(int32_t slot) {
  if (highest_ == kNone || Cylinder(slot) > Cylinder(highest_)) {
    highest_ = slot;
    extremes_changed_ = true;
  }
  if (lowest_ == kNone || Cylinder(slot) < Cylinder(lowest_)) {
    lowest_ = slot;
    extremes_changed_ = true;
  }
  RefreshAhead(slot);
}

// A decision is made only with the head free and no transfer running, which
// is every decision of this engine; until it is made the flag stays set.
void SLook::TurnDecision() {
  if (!extremes_changed_ || pending() == 0 || waisted_ == kSaturatedWaisted) return;
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
  RemoveFromQueue(served);
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

void SLook::Decide(uint64_t tick) {
  TurnDecision();
  if (ServeIfOnTarget(tick)) return;
  if (pending() != 0) {
    LookMove(tick);
    // A decision held back by the saturation is looked at again in the next
    // free tick, which a negative factor may have made possible: so one
    // move at a time until then.
    if (extremes_changed_ && waisted_ == kSaturatedWaisted && options_.factor < 0) {
      LimitRunToOneMove();
    }
    return;
  }
  if (options_.reset == static_cast<int16_t>(SlookReset::kEmptyQueue)) {
    waisted_ = options_.constant;
  }
  StandStill();
}

}  // namespace schedule
