#ifndef SCHEDULE_ENGINE_MANUAL_REQUESTS_H_
#define SCHEDULE_ENGINE_MANUAL_REQUESTS_H_

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace schedule {

// A typed or file-borne request list. Entries 0 and up are cylinders;
// a time marker of value n is held as -(n + 1). Built completely before the
// clock starts.
struct ManualList {
  std::vector<int32_t> entries;
  int32_t request_count = 0;
  bool lba = false;
};

// Where the list comes from and how to turn LBA numbers into cylinders.
struct ManualSource {
  std::FILE* in;
  std::FILE* out;
  bool console;  // prompts are repeated after each line only on the console
  int32_t heads;
  int32_t blocks_per_track;
};

// Reads the configuration line and the request list up to -1 or the end of
// input, printing the prompts. Returns false with `error` set when the list
// cannot be used; `error_is_lba_blocks` tells the one failure that has a
// message of its own (an LBA list with block numbers).
struct ManualReadResult {
  bool ok = true;
  bool lba_with_blocks = false;
  std::string error;
};
ManualReadResult ReadManualRequests(const ManualSource& source, ManualList* list);

// Hands out the arrivals of a manual list, one call per clock tick.
class ManualArrivals {
 public:
  explicit ManualArrivals(std::vector<int32_t> entries);

  // Requests arriving in this tick; their cylinders follow from NextCylinder.
  int32_t Count();
  // The same list a batch at a time instead of a tick at a time: the next
  // batch's tick (counted from the tick of the first call, 0) and size, its
  // cylinders following from NextCylinder. False when no request is left.
  // A run uses either this or Count(), not both.
  bool NextBatch(uint64_t* tick, int32_t* count);
  int32_t NextCylinder() { return entries_[next_request_++]; }

 private:
  std::vector<int32_t> entries_;  // implicit marker first, end entry last
  size_t cursor_ = 0;
  size_t next_request_ = 0;
  size_t batch_cursor_ = 1;  // NextBatch(): the entry after the last batch
  uint64_t batch_tick_ = 0;  // NextBatch(): the sum of the markers passed
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_MANUAL_REQUESTS_H_
