// The engine's search structures and closed forms against the plain
// computations they replace: the queue's lowest slot per cylinder, the set
// of occupied cylinders, the cylinder ranks and the waisted time after many
// moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <set>
#include <vector>

#include "engine/cylinder_ranks.h"
#include "engine/schedulers/rank_set.h"
#include "engine/schedulers/request_queue.h"
#include "engine/schedulers/waisted_time.h"

namespace schedule {
namespace {

TEST(RankSetTest, NextAndPreviousMemberAcrossEveryLevel) {
  std::mt19937 rng(7);
  for (int32_t size : {1, 2, 63, 64, 65, 4095, 4097, 300000}) {
    RankSet set(size);
    std::set<int32_t> model;
    std::uniform_int_distribution<int32_t> any(0, size - 1);
    for (int step = 0; step < 3000; ++step) {
      int32_t rank = any(rng);
      if (model.count(rank) != 0 && rng() % 2 == 0) {
        set.Erase(rank);
        model.erase(rank);
      } else if (model.count(rank) == 0) {
        set.Insert(rank);
        model.insert(rank);
      }
      int32_t probe = std::uniform_int_distribution<int32_t>(-2, size + 1)(rng);
      auto above = model.lower_bound(probe);
      auto below = model.upper_bound(probe);
      ASSERT_EQ(set.NextAtOrAbove(probe), above == model.end() ? RankSet::kNone : *above)
          << size << " " << probe;
      ASSERT_EQ(set.PrevAtOrBelow(probe),
                below == model.begin() ? RankSet::kNone : *std::prev(below))
          << size << " " << probe;
    }
  }
}

// The queue as the reference keeps it: an array whose freed slot takes the
// last entry, searched in slot order.
struct ModelQueue {
  std::vector<uint32_t> ranks;
  void Remove(size_t slot) {
    ranks[slot] = ranks.back();
    ranks.pop_back();
  }
  // The lowest slot on the nearest occupied rank from `rank` in direction d.
  int32_t Lowest(int32_t rank, int d) const {
    int32_t best = RequestQueue::kNone;
    for (size_t slot = 0; slot < ranks.size(); ++slot) {
      int32_t r = static_cast<int32_t>(ranks[slot]);
      if ((r - rank) * d < 0) continue;
      if (best == RequestQueue::kNone ||
          (r - rank) * d < (static_cast<int32_t>(ranks[best]) - rank) * d) {
        best = static_cast<int32_t>(slot);
      }
    }
    return best;
  }
};

TEST(RequestQueueTest, LowestSlotOnTheNearestCylinderAsAScanFindsIt) {
  // Few cylinders make long runs of ties; removals of the lowest slot (as
  // serving does) and of any slot move the last entry around. Phases that
  // mostly add and mostly remove take the queue past the sizes at which its
  // index is built and dropped, many times over.
  for (int32_t cylinders : {1, 2, 5, 300}) {
    std::mt19937 rng(static_cast<uint32_t>(cylinders));
    const int32_t capacity = 600;
    std::vector<Arrival> arrivals;
    RequestQueue queue(capacity, cylinders);
    ModelQueue model;
    for (int step = 0; step < 20000; ++step) {
      const int32_t size = static_cast<int32_t>(model.ranks.size());
      const int32_t probe = static_cast<int32_t>(rng() % static_cast<uint32_t>(cylinders));
      const uint32_t adds_in_ten = (step / 500) % 2 == 0 ? 7 : 3;
      if (size < capacity && (size == 0 || rng() % 10 < adds_in_ten)) {
        Arrival a{static_cast<uint32_t>(probe), static_cast<uint32_t>(step)};
        ASSERT_EQ(queue.Append(a), size);
        model.ranks.push_back(a.rank);
      } else {
        int32_t slot = rng() % 3 == 0 ? static_cast<int32_t>(rng() % static_cast<uint32_t>(size))
                                      : queue.LowestAtOrAbove(probe);
        if (slot == RequestQueue::kNone) slot = queue.LowestAtOrBelow(probe);
        queue.Remove(slot);
        model.Remove(static_cast<size_t>(slot));
      }
      ASSERT_EQ(queue.size(), static_cast<int32_t>(model.ranks.size()));
      ASSERT_EQ(queue.LowestAtOrAbove(probe), model.Lowest(probe, +1)) << step;
      ASSERT_EQ(queue.LowestAtOrBelow(probe), model.Lowest(probe, -1)) << step;
      for (int32_t slot = 0; slot < queue.size(); ++slot) {
        ASSERT_EQ(queue.rank(slot), model.ranks[static_cast<size_t>(slot)]);
      }
    }
  }
}

// One move as S-LOOK's step makes it.
int32_t WaistedAfterOneMove(int32_t w, int32_t factor, int32_t highest) {
  auto wrap = [](int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); };
  if (w == kSaturatedWaisted && factor >= 0) return w;
  w = wrap(int64_t{w} + factor);
  if (wrap(int64_t{wrap(int64_t{w} + highest)} + 10) < 0) w = kSaturatedWaisted;
  return w;
}

TEST(WaistedTimeTest, ManyMovesAtOnceEqualMoveByMove) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  const std::vector<int32_t> kValues = {
      0,       1,          -1,   7,    -7,       1000,     -1000,
      1 << 30, -(1 << 30), kMax, kMin, kMax - 1, kMin + 1, kSaturatedWaisted - 3};
  // Disks near 2^31 cylinders make the saturation value itself a harmless
  // number, which the closed form must handle too.
  const std::vector<int32_t> kHighest = {0, 1, 999, 1 << 20, kMax - 12, kMax - 8, kMax - 1};
  std::mt19937 rng(11);
  for (int round = 0; round < 3000; ++round) {
    auto pick = [&](const std::vector<int32_t>& values) {
      return rng() % 4 == 0 ? static_cast<int32_t>(rng()) : values[rng() % values.size()];
    };
    int32_t w = pick(kValues);
    int32_t factor = pick(kValues);
    if (rng() % 3 == 0) factor = static_cast<int32_t>(rng() % 200) - 100;
    int32_t highest = kHighest[rng() % kHighest.size()];
    uint64_t moves = rng() % 4 == 0 ? rng() % 100000 : rng() % 300;
    int32_t stepped = w;
    for (uint64_t i = 0; i < moves; ++i) stepped = WaistedAfterOneMove(stepped, factor, highest);
    ASSERT_EQ(WaistedAfterMoves(w, factor, highest, moves), stepped)
        << "w=" << w << " factor=" << factor << " highest=" << highest << " moves=" << moves;
  }
  // A negative factor cycles through the saturation value: a sweep of 10^15
  // moves (a huge disk) lands where the remainder of a cycle does.
  for (int32_t factor : {-1000, -(1 << 30), kMin}) {
    uint64_t cycle = 0;
    int32_t w = kSaturatedWaisted;
    do {
      w = WaistedAfterOneMove(w, factor, 999);
      ++cycle;
    } while (w != kSaturatedWaisted);
    const uint64_t kMoves = 1000000000000000;
    w = kSaturatedWaisted;
    for (uint64_t i = 0; i < kMoves % cycle; ++i) w = WaistedAfterOneMove(w, factor, 999);
    EXPECT_EQ(WaistedAfterMoves(kSaturatedWaisted, factor, 999, kMoves), w) << factor;
  }
}

TEST(CylinderRanksTest, RanksOfDrawsAndOfListsAnswerLikeASortedScan) {
  const struct {
    CylinderRanks ranks;
    std::vector<int32_t> expected;  // empty: checked against the draws
    int32_t highest;
  } kCases[] = {
      {CylinderRanks::OfDraws(0), {0}, 0},
      {CylinderRanks::OfDraws(999), {}, 999},      // every cylinder: ranks are cylinders
      {CylinderRanks::OfDraws(99999), {}, 99999},  // 32768 of 100000 cylinders
      {CylinderRanks::OfList({7, -2, 3, 7, 500, -1, 0}, 100), {0, 3, 7, 100}, 100},
      {CylinderRanks::OfList({0, 1, 2, 2, 3}, 3), {0, 1, 2, 3}, 3},
  };
  for (const auto& c : kCases) {
    std::vector<int32_t> cylinders = c.expected;
    if (cylinders.empty()) {
      for (uint32_t r = 0; r <= 32767; ++r) {
        cylinders.push_back(DrawnCylinder(r, c.highest));
        ASSERT_EQ(c.ranks.cylinder(c.ranks.RankOfDraw(r)), cylinders.back());
      }
      cylinders.erase(std::unique(cylinders.begin(), cylinders.end()), cylinders.end());
    }
    ASSERT_EQ(c.ranks.size(), static_cast<int32_t>(cylinders.size()));
    for (int64_t x : {int64_t{-5}, int64_t{0}, int64_t{1}, int64_t{2}, int64_t{50}, int64_t{998},
                      int64_t{1000}, int64_t{50000}, int64_t{99999}, int64_t{200000}}) {
      auto above = std::lower_bound(cylinders.begin(), cylinders.end(), x);
      auto below = std::upper_bound(cylinders.begin(), cylinders.end(), x);
      EXPECT_EQ(c.ranks.FirstAtOrAbove(x), above - cylinders.begin()) << x;
      EXPECT_EQ(c.ranks.LastAtOrBelow(x), below - cylinders.begin() - 1) << x;
    }
  }
}

}  // namespace
}  // namespace schedule
