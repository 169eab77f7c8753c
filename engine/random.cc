#include "engine/random.h"

namespace schedule {

namespace {
constexpr int kShift = 397;
constexpr uint32_t kMatrixA = 0x9908b0dfu;
constexpr uint32_t kUpperMask = 0x80000000u;
constexpr uint32_t kLowerMask = 0x7fffffffu;
}  // namespace

void MersenneTwister::Seed(uint32_t seed) {
  state_[0] = seed;
  for (int i = 1; i < kSize; ++i) state_[i] = 69069u * state_[i - 1];
  index_ = kSize;
}

void MersenneTwister::Refill() {
  auto twist = [this](int i, int next, int far) {
    uint32_t y = (state_[i] & kUpperMask) | (state_[next] & kLowerMask);
    state_[i] = state_[far] ^ (y >> 1) ^ ((y & 1u) ? kMatrixA : 0u);
  };
  int i = 0;
  for (; i < kSize - kShift; ++i) twist(i, i + 1, i + kShift);
  for (; i < kSize - 1; ++i) twist(i, i + 1, i + kShift - kSize);
  twist(kSize - 1, 0, kShift - 1);
  index_ = 0;
}

uint32_t MersenneTwister::Next() {
  if (index_ >= kSize) {
    if (index_ == kSize + 1) Seed(4357);
    Refill();
  }
  uint32_t y = state_[index_++];
  y ^= y >> 11;
  y ^= (y << 7) & 0x9d2c5680u;
  y ^= (y << 15) & 0xefc60000u;
  y ^= y >> 18;
  return y;
}

}  // namespace schedule
