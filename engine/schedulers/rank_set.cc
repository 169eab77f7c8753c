#include "engine/schedulers/rank_set.h"

#include <bit>
#include <cstddef>

namespace schedule {

RankSet::RankSet(int32_t size) : size_(size) {
  uint64_t bits = size > 0 ? static_cast<uint64_t>(size) : 1;
  do {
    uint64_t words = (bits + 63) / 64;
    levels_.emplace_back(words, 0);
    bits = words;
  } while (bits > 1);
}

void RankSet::Insert(int32_t rank) {
  uint64_t i = static_cast<uint64_t>(rank);
  for (auto& words : levels_) {
    uint64_t& word = words[i >> 6];
    bool was_empty = word == 0;
    word |= uint64_t{1} << (i & 63);
    if (!was_empty) return;
    i >>= 6;
  }
}

void RankSet::Erase(int32_t rank) {
  uint64_t i = static_cast<uint64_t>(rank);
  for (auto& words : levels_) {
    uint64_t& word = words[i >> 6];
    word &= ~(uint64_t{1} << (i & 63));
    if (word != 0) return;
    i >>= 6;
  }
}

int32_t RankSet::NextAtOrAbove(int32_t rank) const {
  if (rank < 0) rank = 0;
  if (rank >= size_) return kNone;
  uint64_t i = static_cast<uint64_t>(rank);
  std::size_t level = 0;
  for (;;) {
    const auto& words = levels_[level];
    uint64_t w = i >> 6;
    if (w < words.size()) {
      uint64_t bits = words[w] & (~uint64_t{0} << (i & 63));
      if (bits != 0) {
        i = (w << 6) | static_cast<uint64_t>(std::countr_zero(bits));
        break;
      }
    }
    if (level + 1 == levels_.size()) return kNone;
    i = w + 1;  // the next word, as a bit of the level above
    ++level;
  }
  while (level > 0) {
    --level;
    i = (i << 6) | static_cast<uint64_t>(std::countr_zero(levels_[level][i]));
  }
  return static_cast<int32_t>(i);
}

int32_t RankSet::PrevAtOrBelow(int32_t rank) const {
  if (rank < 0 || size_ == 0) return kNone;
  if (rank >= size_) rank = size_ - 1;
  uint64_t i = static_cast<uint64_t>(rank);
  std::size_t level = 0;
  for (;;) {
    uint64_t w = i >> 6;
    uint64_t bits = levels_[level][w] & (~uint64_t{0} >> (63 - (i & 63)));
    if (bits != 0) {
      i = (w << 6) | static_cast<uint64_t>(63 - std::countl_zero(bits));
      break;
    }
    if (w == 0 || level + 1 == levels_.size()) return kNone;
    i = w - 1;  // the previous word, as a bit of the level above
    ++level;
  }
  while (level > 0) {
    --level;
    i = (i << 6) | static_cast<uint64_t>(63 - std::countl_zero(levels_[level][i]));
  }
  return static_cast<int32_t>(i);
}

}  // namespace schedule
