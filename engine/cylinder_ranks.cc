#include "engine/cylinder_ranks.h"

#include <algorithm>

#include "engine/random.h"

namespace schedule {

int32_t DrawnCylinder(uint32_t r, int32_t highest) {
  // Evaluated in the order written: r * (1 / 32767) * (highest + 1).
  double scaled = r * (1.0 / 32767) * (static_cast<double>(highest) + 1.0);
  return scaled > highest ? highest : static_cast<int32_t>(scaled);
}

CylinderRanks CylinderRanks::OfDraws(int32_t highest) {
  CylinderRanks ranks;
  ranks.draw_ranks_.resize(SmallRandom::kMax + 1);
  uint32_t* draw_ranks = ranks.draw_ranks_.data();
  // The cylinder grows with r, so equal cylinders are neighbours. (Plain
  // locals in the loop: every run builds this table, also in the tests'
  // unoptimised builds.)
  int32_t last = DrawnCylinder(0, highest);
  ranks.cylinders_.push_back(last);
  uint32_t rank = 0;
  for (uint32_t r = 0; r <= SmallRandom::kMax; ++r) {
    const int32_t cylinder = DrawnCylinder(r, highest);
    if (cylinder != last) {
      ++rank;
      ranks.cylinders_.push_back(cylinder);
      last = cylinder;
    }
    draw_ranks[r] = rank;
  }
  ranks.Finish();
  return ranks;
}

CylinderRanks CylinderRanks::OfList(const std::vector<int32_t>& entries, int32_t highest) {
  CylinderRanks ranks;
  for (int32_t entry : entries) {
    if (entry >= 0) ranks.cylinders_.push_back(std::min(entry, highest));
  }
  std::sort(ranks.cylinders_.begin(), ranks.cylinders_.end());
  ranks.cylinders_.erase(std::unique(ranks.cylinders_.begin(), ranks.cylinders_.end()),
                         ranks.cylinders_.end());
  ranks.cylinders_.shrink_to_fit();
  ranks.Finish();
  return ranks;
}

CylinderRanks CylinderRanks::Mirrored(const CylinderRanks& ranks, int32_t highest) {
  CylinderRanks mirrored;
  mirrored.cylinders_.reserve(ranks.cylinders_.size());
  for (auto it = ranks.cylinders_.rbegin(); it != ranks.cylinders_.rend(); ++it) {
    mirrored.cylinders_.push_back(highest - *it);
  }
  mirrored.Finish();
  return mirrored;
}

void CylinderRanks::Finish() {
  // Distinct, ascending and from 0: the last is size() - 1 only if all are there.
  identity_ = !cylinders_.empty() && cylinders_.front() == 0 &&
              cylinders_.back() == static_cast<int32_t>(cylinders_.size() - 1);
}

uint32_t CylinderRanks::RankOf(int32_t cylinder) const {
  return static_cast<uint32_t>(FirstAtOrAbove(cylinder));
}

int32_t CylinderRanks::Search(int64_t x, bool at_or_below) const {
  auto it = at_or_below ? std::upper_bound(cylinders_.begin(), cylinders_.end(), x,
                                           [](int64_t v, int32_t c) { return v < c; })
                        : std::lower_bound(cylinders_.begin(), cylinders_.end(), x,
                                           [](int32_t c, int64_t v) { return c < v; });
  return static_cast<int32_t>(it - cylinders_.begin());
}

}  // namespace schedule
