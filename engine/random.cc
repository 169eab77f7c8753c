#include "engine/random.h"

namespace schedule {

namespace {
constexpr int kShift = 397;
constexpr uint32_t kMatrixA = 0x9908b0dfu;
constexpr uint32_t kUpperMask = 0x80000000u;
constexpr uint32_t kLowerMask = 0x7fffffffu;

// One word of the refill, without a branch so that the loops vectorise.
inline uint32_t Twist(uint32_t word, uint32_t next, uint32_t far) {
  uint32_t y = (word & kUpperMask) | (next & kLowerMask);
  return far ^ (y >> 1) ^ ((0u - (y & 1u)) & kMatrixA);
}
}  // namespace

void MersenneTwister::Seed(uint32_t seed) {
  state_[0] = seed;
  for (int i = 1; i < kSize; ++i) state_[i] = 69069u * state_[i - 1];
  index_ = kSize;
}

void MersenneTwister::Refill() {
  int i = 0;
  for (; i < kSize - kShift; ++i) state_[i] = Twist(state_[i], state_[i + 1], state_[i + kShift]);
  for (; i < kSize - 1; ++i) {
    state_[i] = Twist(state_[i], state_[i + 1], state_[i + kShift - kSize]);
  }
  state_[kSize - 1] = Twist(state_[kSize - 1], state_[0], state_[kShift - 1]);
  for (int k = 0; k < kSize; ++k) output_[k] = Temper(state_[k]);
  index_ = 0;
  ++refills_;
}

void MersenneTwister::NextBlock() {
  if (index_ == kSize + 1) Seed(4357);
  Refill();
}

}  // namespace schedule
