#ifndef SCHEDULE_ENGINE_SCHEDULERS_RANK_SET_H_
#define SCHEDULE_ENGINE_SCHEDULERS_RANK_SET_H_

#include <cstdint>
#include <vector>

namespace schedule {

// A set of ranks 0 to size - 1 as a tree of 64-bit words: each bit of a
// level tells whether the word below it has a bit set. Next and previous
// member in a handful of word operations, whatever the size.
class RankSet {
 public:
  static constexpr int32_t kNone = -1;

  explicit RankSet(int32_t size);

  void Insert(int32_t rank);
  void Erase(int32_t rank);
  // The smallest member at or above `rank`, or kNone.
  int32_t NextAtOrAbove(int32_t rank) const;
  // The largest member at or below `rank`, or kNone.
  int32_t PrevAtOrBelow(int32_t rank) const;

 private:
  int32_t size_;
  std::vector<std::vector<uint64_t>> levels_;  // levels_[0] holds the ranks
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_RANK_SET_H_
