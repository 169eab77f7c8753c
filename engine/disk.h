#ifndef SCHEDULE_ENGINE_DISK_H_
#define SCHEDULE_ENGINE_DISK_H_

#include <cstdint>

namespace schedule {

// The modelled disk's timing, in TU, with the derived times the common step
// uses.
struct DiskTiming {
  int32_t block_time;
  int32_t seek_time;
  int32_t settle_time;
  int32_t highest_cylinder;

  int32_t move_and_settle() const { return seek_time + settle_time; }
  int32_t move_and_settle_rest() const { return seek_time - 1 + settle_time; }
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_DISK_H_
