#ifndef SCHEDULE_ENGINE_SCHEDULERS_REQUEST_QUEUE_H_
#define SCHEDULE_ENGINE_SCHEDULERS_REQUEST_QUEUE_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/scheduler.h"
#include "engine/schedulers/rank_set.h"

namespace schedule {

// A scheduler's queue of arrived, unfinished requests. Its order is the one
// the tie-breaks depend on: a new request is appended, and a removed
// request's slot receives the last entry. The searches answer in
// logarithmic time what a scan of the slots in order would: among the
// requests on a cylinder, the one in the lowest slot.
//
// Each occupied cylinder keeps the slots of its requests in a binary
// min-heap of its own, contiguous in memory. A removal only updates the
// slot table: copies of slots that no longer hold a request of the cylinder
// are dropped when they come to the top (or when they outnumber the live
// ones), so a removal costs no heap work and the common pattern of serving
// a cylinder's requests one after the other stays in cache. A RankSet finds
// the nearest occupied cylinder.
//
// A short queue (the usual case while requests are served about as fast as
// they come) keeps no index at all: a scan of a few slots is cheaper than
// keeping heaps and the RankSet up to date. The index is built when the
// queue grows beyond kIndexAbove requests and dropped when it shrinks below
// kIndexBelow; the gap between the two keeps a queue that hovers around one
// size from building and dropping it again and again.
class RequestQueue {
 public:
  static constexpr int32_t kNone = -1;

  // Room for `capacity` requests on `cylinders` cylinders.
  RequestQueue(int32_t capacity, int32_t cylinders);

  int32_t size() const { return size_; }
  // The cylinder rank of the request in `slot`, and its arrival tick.
  uint32_t rank(int32_t slot) const { return slots_[slot].rank; }
  uint32_t arrival(int32_t slot) const { return slots_[slot].tick; }

  // Appends a request; returns its slot.
  int32_t Append(const Arrival& request) {
    const int32_t slot = size_++;
    slots_[slot] = request;
    if (indexed_ || size_ > kIndexAbove) Index(slot);
    return slot;
  }
  // Removes the request in `slot`; the last entry moves into the slot.
  void Remove(int32_t slot) {
    const int32_t last = --size_;
    if (indexed_) {
      Unindex(slot, last);
      if (size_ < kIndexBelow) DropIndex();
    } else {
      slots_[slot] = slots_[last];
    }
  }

  // The lowest slot on the lowest occupied cylinder of rank `rank` or above,
  // or kNone.
  int32_t LowestAtOrAbove(int32_t rank) const {
    if (!indexed_) return ScanAtOrAbove(rank);
    int32_t found = occupied_.NextAtOrAbove(rank);
    return found == RankSet::kNone ? kNone : LowestOn(static_cast<uint32_t>(found));
  }
  // The lowest slot on the highest occupied cylinder of rank `rank` or
  // below, or kNone.
  int32_t LowestAtOrBelow(int32_t rank) const {
    if (!indexed_) return ScanAtOrBelow(rank);
    int32_t found = occupied_.PrevAtOrBelow(rank);
    return found == RankSet::kNone ? kNone : LowestOn(static_cast<uint32_t>(found));
  }

 private:
  // The queue sizes at which the index is built and dropped.
  static constexpr int32_t kIndexAbove = 48;
  static constexpr int32_t kIndexBelow = 16;
  // A cylinder's heap is compacted when it holds more copies than this plus
  // twice its live requests.
  static constexpr size_t kHeapSlack = 4;
  struct Cylinder {
    // Slots, smallest first; may hold copies of slots that have left.
    std::vector<uint32_t> heap;
    int32_t live = 0;  // requests on this cylinder
  };

 public:
  // The most this queue holds per request: its slot, and up to two heap
  // entries in vectors that may be twice as large as they are full.
  static constexpr uint64_t kBytesPerRequest = sizeof(Arrival) + 2 * 2 * sizeof(uint32_t);
  // The most per cylinder: its heap's vector, live count and slack, the
  // allocator's overhead for that vector, and a bit of the RankSet.
  static constexpr uint64_t kBytesPerCylinder =
      sizeof(Cylinder) + 2 * kHeapSlack * sizeof(uint32_t) + 32 + 1;

 private:
  bool Holds(uint32_t slot, uint32_t rank) const {
    return slot < static_cast<uint32_t>(size_) && slots_[slot].rank == rank;
  }
  // The searches of a queue without an index: the slots in order. Each
  // candidate is keyed by its rank (for the search below, the rank's
  // complement) above its slot, so the smallest key is the nearest rank
  // and, among equal ranks, the lowest slot; the loop has no branch to
  // mispredict.
  int32_t ScanAtOrAbove(int32_t rank) const {
    uint64_t best = kNoKey;
    for (int32_t slot = 0; slot < size_; ++slot) {
      const uint32_t r = slots_[slot].rank;
      const uint64_t key = uint64_t{r} << 32 | static_cast<uint32_t>(slot);
      best = int64_t{r} >= rank && key < best ? key : best;
    }
    return best == kNoKey ? kNone : static_cast<int32_t>(static_cast<uint32_t>(best));
  }
  int32_t ScanAtOrBelow(int32_t rank) const {
    uint64_t best = kNoKey;
    for (int32_t slot = 0; slot < size_; ++slot) {
      const uint32_t r = slots_[slot].rank;
      const uint64_t key = uint64_t{~r} << 32 | static_cast<uint32_t>(slot);
      best = int64_t{r} <= rank && key < best ? key : best;
    }
    return best == kNoKey ? kNone : static_cast<int32_t>(static_cast<uint32_t>(best));
  }
  static constexpr uint64_t kNoKey = ~uint64_t{0};
  // Puts every request into the index, or takes every one out of it.
  void BuildIndex();
  void DropIndex();
  // The index's share of an append (building the index when the queue has
  // grown too long for scans) and of a removal.
  void Index(int32_t slot);
  void Unindex(int32_t slot, int32_t last);
  // The lowest slot on an occupied cylinder; drops the copies above it.
  int32_t LowestOn(uint32_t rank) const;
  void Push(uint32_t rank, uint32_t slot);
  // Drops every copy that has left, and duplicates.
  void Compact(uint32_t rank);

  // A copy of each request, so that serving it reads one place.
  std::unique_ptr<Arrival[]> slots_;
  // Mutable: the searches drop copies that have left as they meet them.
  mutable std::vector<Cylinder> cylinders_;
  RankSet occupied_;  // the ranks with live requests
  int32_t size_ = 0;
  bool indexed_ = false;  // the heaps and occupied_ hold the requests
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_REQUEST_QUEUE_H_
