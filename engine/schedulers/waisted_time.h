#ifndef SCHEDULE_ENGINE_SCHEDULERS_WAISTED_TIME_H_
#define SCHEDULE_ENGINE_SCHEDULERS_WAISTED_TIME_H_

#include <cstdint>

namespace schedule {

// The waisted time at which S-LOOK considers no early turn any more.
inline constexpr int32_t kSaturatedWaisted = 0x7FFFFFFE;

// S-LOOK's waisted time after `moves` moves of the head, in constant time.
// Each move adds the factor (wrapping at 32 bits); a value that then
// overflows a 32-bit number together with the highest cylinder and 10
// becomes the saturation value, and a saturated value stays as it is while
// the factor is not negative.
int32_t WaistedAfterMoves(int32_t waisted, int32_t factor, int32_t highest, uint64_t moves);

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULERS_WAISTED_TIME_H_
