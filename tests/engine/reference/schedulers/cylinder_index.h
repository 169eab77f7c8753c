#ifndef SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_CYLINDER_INDEX_H_
#define SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_CYLINDER_INDEX_H_

#include <cstdint>
#include <set>
#include <utility>

namespace schedule::reference {

// The entries of a queue ordered by (cylinder, queue index), so that the
// nearest-request searches take logarithmic rather than linear time while
// choosing exactly what a scan of the queue in index order would choose:
// the nearest cylinder, and on it (or on two cylinders at the same
// distance) the lowest queue index.
class CylinderIndex {
 public:
  static constexpr int32_t kNone = -1;

  void Add(int32_t cylinder, int32_t index) { entries_.emplace(cylinder, index); }
  void Erase(int32_t cylinder, int32_t index) { entries_.erase({cylinder, index}); }

  // The entry nearest to cylinder x.
  int32_t Nearest(int32_t x) const;
  // The nearest entry on x's cylinder or beyond it in direction d (+1/-1).
  int32_t NearestInDirection(int32_t x, int32_t d) const;

 private:
  using Entry = std::pair<int32_t, int32_t>;  // cylinder, queue index

  // The lowest index on the nearest cylinder at or above x, or none.
  const Entry* AtOrAbove(int32_t x) const;
  // The lowest index on the nearest cylinder at or below x, or none.
  const Entry* AtOrBelow(int32_t x) const;

  std::set<Entry> entries_;
};

}  // namespace schedule::reference

#endif  // SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULERS_CYLINDER_INDEX_H_
