#ifndef SCHEDULE_ENGINE_MT19937_H_
#define SCHEDULE_ENGINE_MT19937_H_

#include <cstdint>

// The constants and the one-word steps of MT19937, shared by the large
// generator and its vectorised block kernels.
namespace schedule::mt19937 {

constexpr int kSize = 624;
constexpr int kShift = 397;
// Words below kFarAhead take their far word from the old state (i + 397);
// those from there on from the new one (i - 227).
constexpr int kFarAhead = kSize - kShift;
constexpr uint32_t kMatrixA = 0x9908b0dfu;
constexpr uint32_t kUpperMask = 0x80000000u;
constexpr uint32_t kLowerMask = 0x7fffffffu;
constexpr uint32_t kTemperB = 0x9d2c5680u;
constexpr uint32_t kTemperC = 0xefc60000u;

// One word of the refill, without a branch.
inline uint32_t Twist(uint32_t word, uint32_t next, uint32_t far) {
  uint32_t y = (word & kUpperMask) | (next & kLowerMask);
  return far ^ (y >> 1) ^ ((0u - (y & 1u)) & kMatrixA);
}

inline uint32_t Temper(uint32_t y) {
  y ^= y >> 11;
  y ^= (y << 7) & kTemperB;
  y ^= (y << 15) & kTemperC;
  y ^= y >> 18;
  return y;
}

// Twists word i of `state` in place and tempers it into `output`.
inline void TwistWord(uint32_t* state, uint32_t* output, int i) {
  const uint32_t far = state[i < kFarAhead ? i + kShift : i - kFarAhead];
  const uint32_t next = state[i + 1 < kSize ? i + 1 : 0];
  state[i] = Twist(state[i], next, far);
  output[i] = Temper(state[i]);
}

}  // namespace schedule::mt19937

#endif  // SCHEDULE_ENGINE_MT19937_H_
