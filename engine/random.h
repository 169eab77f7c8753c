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
// cannot stand in for this one.) Its numbers are made a block of 624 at a
// time, with the processor's vector instructions where it has them
// (engine/draw_paths.h); every version gives the same numbers.
class MersenneTwister {
 public:
  void Seed(uint32_t seed);
  uint32_t Next() {
    if (index_ >= kSize) NextBlock();
    return output_[index_++];
  }
  // Draws numbers while they are below `threshold` (SkipBelow) or at or
  // above it (SkipAtOrAbove), at most `limit` of them, and returns how many
  // were. When that is below `limit`, the first number that was not has
  // been drawn as well and is in `*hit`. The same numbers as Next() would
  // give, searched a block at a time.
  uint64_t SkipBelow(uint64_t limit, uint32_t threshold, uint32_t* hit);
  uint64_t SkipAtOrAbove(uint64_t limit, uint32_t threshold, uint32_t* hit);
  // Draws `count` numbers and forgets them.
  void Skip(uint64_t count);
  // Numbers drawn so far (for the benchmarks' cost of the draws).
  uint64_t draws() const { return refills_ == 0 ? 0 : (refills_ - 1) * kSize + index_; }

 private:
  static constexpr int kSize = 624;
  using Find = int (*)(const uint32_t* numbers, int count, uint32_t threshold);
  uint64_t SkipUntil(uint64_t limit, Find find, uint32_t threshold, uint32_t* hit);
  // Twists the state into the next 624 numbers, tempered all at once.
  void Refill();
  // Refills the state, seeding first when it was never seeded.
  void NextBlock();

  alignas(64) std::array<uint32_t, kSize> state_{};
  alignas(64) std::array<uint32_t, kSize> output_{};
  int index_ = kSize + 1;  // kSize + 1 means "never seeded"
  uint64_t refills_ = 0;
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
