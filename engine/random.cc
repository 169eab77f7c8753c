#include "engine/random.h"

#include "engine/draw_paths.h"

namespace schedule {

void MersenneTwister::Seed(uint32_t seed) {
  state_[0] = seed;
  for (int i = 1; i < kSize; ++i) state_[i] = 69069u * state_[i - 1];
  index_ = kSize;
}

void MersenneTwister::Refill() {
  ActiveDrawKernels().refill(state_.data(), output_.data());
  index_ = 0;
  ++refills_;
}

void MersenneTwister::NextBlock() {
  if (index_ == kSize + 1) Seed(4357);
  Refill();
}

uint64_t MersenneTwister::SkipBelow(uint64_t limit, uint32_t threshold, uint32_t* hit) {
  return SkipUntil(limit, ActiveDrawKernels().find_at_or_above, threshold, hit);
}

uint64_t MersenneTwister::SkipAtOrAbove(uint64_t limit, uint32_t threshold, uint32_t* hit) {
  return SkipUntil(limit, ActiveDrawKernels().find_below, threshold, hit);
}

// Searches the rest of the block, then block after block, for the first
// number `find` finds.
uint64_t MersenneTwister::SkipUntil(uint64_t limit, Find find, uint32_t threshold, uint32_t* hit) {
  uint64_t skipped = 0;
  while (skipped < limit) {
    if (index_ >= kSize) NextBlock();
    int count = kSize - index_;
    if (static_cast<uint64_t>(count) > limit - skipped) count = static_cast<int>(limit - skipped);
    const int found = find(output_.data() + index_, count, threshold);
    skipped += static_cast<uint64_t>(found);
    if (found < count) {
      *hit = output_[index_ + found];
      index_ += found + 1;
      return skipped;
    }
    index_ += count;
  }
  return skipped;
}

void MersenneTwister::Skip(uint64_t count) {
  while (count > 0) {
    if (index_ >= kSize) NextBlock();
    const uint64_t left = static_cast<uint64_t>(kSize - index_);
    const uint64_t taken = count < left ? count : left;
    index_ += static_cast<int>(taken);
    count -= taken;
  }
}

}  // namespace schedule
