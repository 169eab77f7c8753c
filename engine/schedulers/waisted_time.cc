#include "engine/schedulers/waisted_time.h"

#include <algorithm>
#include <limits>

namespace schedule {

namespace {

constexpr uint64_t kNoSaturation = std::numeric_limits<uint64_t>::max();
constexpr uint64_t kSignBit = uint64_t{1} << 31;

uint32_t Bits(int32_t v) { return static_cast<uint32_t>(v); }

// The number of moves after which the waisted time next saturates: its sum
// with highest + 10, y below, reaches the negative half of the 32-bit
// numbers. With a factor of 0 or more, landing exactly on the saturation
// value counts too, since the value stays there. kNoSaturation for never.
uint64_t MovesToSaturation(int32_t waisted, int32_t factor, int32_t highest) {
  const uint32_t offset = Bits(highest) + 10u;
  const uint32_t y1 = Bits(waisted) + offset + Bits(factor);  // after the first move
  if (y1 >= kSignBit) return 1;
  if (factor == 0) return kNoSaturation;
  if (factor < 0) {
    // y falls by -factor per move until it passes below 0.
    const uint64_t fall = static_cast<uint64_t>(-int64_t{factor});
    return 2 + y1 / fall;
  }
  const uint64_t rise = static_cast<uint64_t>(factor);
  uint64_t moves = 1 + (kSignBit - y1 + rise - 1) / rise;
  const uint32_t saturated = Bits(kSaturatedWaisted) + offset;
  if (saturated < kSignBit && saturated >= y1 && (saturated - y1) % rise == 0) {
    moves = std::min<uint64_t>(moves, 1 + (saturated - y1) / rise);
  }
  return moves;
}

}  // namespace

int32_t WaistedAfterMoves(int32_t waisted, int32_t factor, int32_t highest, uint64_t moves) {
  while (moves > 0) {
    if (waisted == kSaturatedWaisted && factor >= 0) return waisted;
    const uint64_t to_saturation = MovesToSaturation(waisted, factor, highest);
    if (to_saturation > moves) {
      return static_cast<int32_t>(Bits(waisted) + Bits(factor) * static_cast<uint32_t>(moves));
    }
    moves -= to_saturation;
    waisted = kSaturatedWaisted;
    // A negative factor leaves the saturation value and comes back to it
    // after the same number of moves every time.
    if (factor < 0) moves %= MovesToSaturation(kSaturatedWaisted, factor, highest);
  }
  return waisted;
}

}  // namespace schedule
