#ifndef SCHEDULE_ENGINE_CYLINDER_RANKS_H_
#define SCHEDULE_ENGINE_CYLINDER_RANKS_H_

#include <cstdint>
#include <vector>

namespace schedule {

// The cylinder a draw r (0 to 32767) of the small generator picks on a disk
// with cylinders 0 to `highest`: r * (1 / 32767) * (highest + 1), truncated,
// and the highest cylinder for r = 32767.
int32_t DrawnCylinder(uint32_t r, int32_t highest);

// Every cylinder a run's requests can be on, in ascending order, so that a
// cylinder is known by its rank in that order. A generated workload draws
// from at most 32768 cylinders and a manual list names at most one per
// request, so per-cylinder tables stay small on disks of any size.
class CylinderRanks {
 public:
  // The cylinders the generators can draw.
  static CylinderRanks OfDraws(int32_t highest);
  // The cylinders of a manual list (markers skipped), cut to the disk.
  static CylinderRanks OfList(const std::vector<int32_t>& entries, int32_t highest);
  // The mirror image of `ranks` on a disk with cylinders 0 to `highest`:
  // cylinder c becomes highest - c, and rank r becomes size() - 1 - r.
  static CylinderRanks Mirrored(const CylinderRanks& ranks, int32_t highest);

  int32_t size() const { return static_cast<int32_t>(cylinders_.size()); }
  int32_t cylinder(uint32_t rank) const { return cylinders_[rank]; }
  // The rank of the cylinder a draw r picks (OfDraws only).
  uint32_t RankOfDraw(uint32_t r) const { return draw_ranks_[r]; }
  // The rank of a cylinder that is one of them.
  uint32_t RankOf(int32_t cylinder) const;
  // The lowest rank whose cylinder is at or above x; size() when none is.
  int32_t FirstAtOrAbove(int64_t x) const {
    if (identity_) return static_cast<int32_t>(x < 0 ? 0 : x > size() ? size() : x);
    return Search(x, false);
  }
  // The highest rank whose cylinder is at or below x; -1 when none is.
  int32_t LastAtOrBelow(int64_t x) const {
    if (identity_) return static_cast<int32_t>(x < -1 ? -1 : x >= size() ? size() - 1 : x);
    return Search(x, true) - 1;
  }

 private:
  // The number of cylinders below x (or at or below x when `at_or_below`).
  int32_t Search(int64_t x, bool at_or_below) const;
  // Sets identity_ once the cylinders are known.
  void Finish();

  std::vector<int32_t> cylinders_;
  // Every cylinder from 0 up is there (every small disk with generated
  // requests): a rank is its cylinder, and no search is needed.
  bool identity_ = false;
  std::vector<uint32_t> draw_ranks_;
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_CYLINDER_RANKS_H_
