#include "engine/schedulers/request_queue.h"

#include <algorithm>
#include <functional>

namespace schedule {

RequestQueue::RequestQueue(int32_t capacity, int32_t cylinders)
    // Left uninitialised: pages are touched only as the queue grows.
    : slots_(std::make_unique_for_overwrite<Arrival[]>(static_cast<size_t>(std::max(capacity, 1)))),
      cylinders_(static_cast<size_t>(cylinders)),
      occupied_(cylinders) {}

void RequestQueue::Index(int32_t slot) {
  if (!indexed_) {
    BuildIndex();
    return;
  }
  const uint32_t rank = slots_[slot].rank;
  if (cylinders_[rank].live++ == 0) occupied_.Insert(static_cast<int32_t>(rank));
  Push(rank, static_cast<uint32_t>(slot));
}

void RequestQueue::Unindex(int32_t slot, int32_t last) {
  Cylinder& cylinder = cylinders_[slots_[slot].rank];
  if (--cylinder.live == 0) {
    occupied_.Erase(static_cast<int32_t>(slots_[slot].rank));
    cylinder.heap.clear();
  }
  // The removals to come move the entries below this one: fetch their
  // cylinders ahead, the next one's heap and the one after's header, which
  // on a disk of many cylinders are rarely in cache.
  if (last >= 2) {
    __builtin_prefetch(cylinders_[slots_[last - 1].rank].heap.data());
    __builtin_prefetch(&cylinders_[slots_[last - 2].rank]);
  }
  if (slot == last) return;
  const Arrival moved = slots_[last];
  slots_[slot] = moved;
  // The slot's copy may still be on top of the moved request's heap (when it
  // was served from that same cylinder); it is valid again.
  const std::vector<uint32_t>& heap = cylinders_[moved.rank].heap;
  if (heap.empty() || heap.front() != static_cast<uint32_t>(slot)) {
    Push(moved.rank, static_cast<uint32_t>(slot));
  }
}

// Slots pushed in ascending order form a heap as they stand.
void RequestQueue::BuildIndex() {
  for (int32_t slot = 0; slot < size_; ++slot) {
    const uint32_t rank = slots_[slot].rank;
    Cylinder& cylinder = cylinders_[rank];
    if (cylinder.live++ == 0) occupied_.Insert(static_cast<int32_t>(rank));
    cylinder.heap.push_back(static_cast<uint32_t>(slot));
  }
  indexed_ = true;
}

// Every occupied cylinder is the cylinder of some slot; the others' heaps
// were emptied when their last request left.
void RequestQueue::DropIndex() {
  for (int32_t slot = 0; slot < size_; ++slot) {
    const uint32_t rank = slots_[slot].rank;
    Cylinder& cylinder = cylinders_[rank];
    if (cylinder.live == 0) continue;
    cylinder.live = 0;
    cylinder.heap.clear();
    occupied_.Erase(static_cast<int32_t>(rank));
  }
  indexed_ = false;
}

int32_t RequestQueue::LowestOn(uint32_t rank) const {
  std::vector<uint32_t>& heap = cylinders_[rank].heap;
  while (!Holds(heap.front(), rank)) {
    std::pop_heap(heap.begin(), heap.end(), std::greater<>());
    heap.pop_back();
  }
  // The next lowest is one of the top's children: fetch their requests
  // ahead, since this cylinder is likely to be asked again soon.
  for (size_t i = 1; i <= 2 && i < heap.size(); ++i) __builtin_prefetch(&slots_[heap[i]]);
  return static_cast<int32_t>(heap.front());
}

void RequestQueue::Push(uint32_t rank, uint32_t slot) {
  Cylinder& cylinder = cylinders_[rank];
  if (cylinder.heap.size() >= 2 * static_cast<size_t>(cylinder.live) + kHeapSlack) Compact(rank);
  cylinder.heap.push_back(slot);
  std::push_heap(cylinder.heap.begin(), cylinder.heap.end(), std::greater<>());
}

void RequestQueue::Compact(uint32_t rank) {
  std::vector<uint32_t>& heap = cylinders_[rank].heap;
  heap.erase(std::remove_if(heap.begin(), heap.end(),
                            [this, rank](uint32_t slot) { return !Holds(slot, rank); }),
             heap.end());
  // Ascending order is a heap too.
  std::sort(heap.begin(), heap.end());
  heap.erase(std::unique(heap.begin(), heap.end()), heap.end());
}

}  // namespace schedule
