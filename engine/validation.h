#ifndef SCHEDULE_ENGINE_VALIDATION_H_
#define SCHEDULE_ENGINE_VALIDATION_H_

#include <optional>
#include <string>

#include "engine/run_config.h"

namespace schedule {

// Checks the disk's figures, which are known once the options are parsed:
// returns a message naming the first problem, or nothing when they are fine.
std::optional<std::string> CheckDisk(const RunConfig& config);

// Checks what the prompts completed: the request count, the workload's
// figures and the head position. A workload that would never deliver its
// requests (so the run would never end) is refused here.
std::optional<std::string> CheckWorkload(const RunConfig& config);

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_VALIDATION_H_
