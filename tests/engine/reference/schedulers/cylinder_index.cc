#include "tests/engine/reference/schedulers/cylinder_index.h"

#include <limits>

namespace schedule::reference {

namespace {
constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
constexpr int32_t kHighest = std::numeric_limits<int32_t>::max();
}  // namespace

const CylinderIndex::Entry* CylinderIndex::AtOrAbove(int32_t x) const {
  auto it = entries_.lower_bound({x, kLowest});
  return it == entries_.end() ? nullptr : &*it;
}

const CylinderIndex::Entry* CylinderIndex::AtOrBelow(int32_t x) const {
  auto it = entries_.upper_bound({x, kHighest});
  if (it == entries_.begin()) return nullptr;
  int32_t cylinder = std::prev(it)->first;
  return &*entries_.lower_bound({cylinder, kLowest});
}

int32_t CylinderIndex::Nearest(int32_t x) const {
  const Entry* below = AtOrBelow(x);
  const Entry* above = AtOrAbove(x);
  if (below == nullptr && above == nullptr) return kNone;
  if (below == nullptr) return above->second;
  if (above == nullptr) return below->second;
  int64_t d_below = int64_t{x} - below->first;
  int64_t d_above = int64_t{above->first} - x;
  if (d_below < d_above) return below->second;
  if (d_above < d_below) return above->second;
  return below->second < above->second ? below->second : above->second;
}

int32_t CylinderIndex::NearestInDirection(int32_t x, int32_t d) const {
  const Entry* entry = d >= 0 ? AtOrAbove(x) : AtOrBelow(x);
  return entry == nullptr ? kNone : entry->second;
}

}  // namespace schedule::reference
