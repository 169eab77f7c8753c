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
    ++draws_;
    state_ = state_ * 214013u + 2531011u;
    return (state_ >> 16) & kMax;
  }
  // Numbers drawn so far (for the benchmarks' cost of the draws).
  uint64_t draws() const { return draws_; }

 private:
  uint32_t state_ = 1;
  uint64_t draws_ = 0;
};

// The large generator: MT19937 with the original 1998 seeding, in which
// every state word is the previous one times 69069. A generator used before
// any seeding seeds itself with 4357. (std::mt19937 seeds differently, so it
// cannot stand in for this one.)
class MersenneTwister {
 public:
  void Seed(uint32_t seed);
  uint32_t Next() {
    if (index_ >= kSize) NextBlock();
    return output_[index_++];
  }
  // Draws while `fails(number)` holds, at most `limit` numbers, and returns
  // how many failed. When that is below `limit`, the first number that did
  // not fail has been drawn as well and is in `*hit`. The same numbers as
  // Next() would give, without a call per number.
  template <class Fails>
  uint64_t SkipWhile(uint64_t limit, Fails fails, uint32_t* hit);
  // Numbers drawn so far (for the benchmarks' cost of the draws).
  uint64_t draws() const { return refills_ == 0 ? 0 : (refills_ - 1) * kSize + index_; }

 private:
  static constexpr int kSize = 624;
  static uint32_t Temper(uint32_t y) {
    y ^= y >> 11;
    y ^= (y << 7) & 0x9d2c5680u;
    y ^= (y << 15) & 0xefc60000u;
    y ^= y >> 18;
    return y;
  }
  // Twists the state into the next 624 numbers, tempered all at once (both
  // loops vectorise).
  void Refill();
  // Refills the state, seeding first when it was never seeded.
  void NextBlock();

  std::array<uint32_t, kSize> state_{};
  std::array<uint32_t, kSize> output_{};
  int index_ = kSize + 1;  // kSize + 1 means "never seeded"
  uint64_t refills_ = 0;
};

template <class Fails>
uint64_t MersenneTwister::SkipWhile(uint64_t limit, Fails fails, uint32_t* hit) {
  uint64_t skipped = 0;
  while (skipped < limit) {
    if (index_ >= kSize) NextBlock();
    int end = kSize;
    if (static_cast<uint64_t>(kSize - index_) > limit - skipped) {
      end = index_ + static_cast<int>(limit - skipped);
    }
    for (int i = index_; i < end; ++i) {
      if (!fails(output_[i])) {
        skipped += static_cast<uint64_t>(i - index_);
        index_ = i + 1;
        *hit = output_[i];
        return skipped;
      }
    }
    skipped += static_cast<uint64_t>(end - index_);
    index_ = end;
  }
  return skipped;
}

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
