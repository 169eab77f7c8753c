#ifndef SCHEDULE_ENGINE_RANDOM_H_
#define SCHEDULE_ENGINE_RANDOM_H_

#include <array>
#include <cstdint>

namespace schedule {

// The small generator: a 15-bit linear congruential generator with a 32-bit
// state (next = state * 214013 + 2531011, output bits 16 to 30). It draws
// request counts in probability mode and all cylinder numbers.
class SmallRandom {
 public:
  static constexpr uint32_t kMax = 0x7FFF;

  void Seed(uint32_t seed) { state_ = seed; }
  uint32_t Next() {
    state_ = state_ * 214013u + 2531011u;
    return (state_ >> 16) & kMax;
  }

 private:
  uint32_t state_ = 1;
};

// The large generator: MT19937 with the original 1998 seeding, in which
// every state word is the previous one times 69069. A generator used before
// any seeding seeds itself with 4357. (std::mt19937 seeds differently, so it
// cannot stand in for this one.)
class MersenneTwister {
 public:
  void Seed(uint32_t seed);
  uint32_t Next();

 private:
  static constexpr int kSize = 624;
  void Refill();

  std::array<uint32_t, kSize> state_{};
  int index_ = kSize + 1;  // kSize + 1 means "never seeded"
};

// The two generators of a run, always seeded together.
struct Generators {
  SmallRandom small;
  MersenneTwister large;

  void Seed(uint32_t seed) {
    small.Seed(seed);
    large.Seed(seed);
  }
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_RANDOM_H_
