#ifndef SCHEDULE_ENGINE_VALIDATION_H_
#define SCHEDULE_ENGINE_VALIDATION_H_

#include <optional>
#include <string>

#include "engine/manual_requests.h"
#include "engine/run_config.h"

namespace schedule {

// Checks the disk's figures, which are known once the options are parsed:
// returns a message naming the first problem, or nothing when they are fine.
std::optional<std::string> CheckDisk(const RunConfig& config);

// Checks what the prompts completed: the request count, the workload's
// figures and the head position. A workload that would never deliver its
// requests (so the run would never end) is refused here.
std::optional<std::string> CheckWorkload(const RunConfig& config);

// Checks that the memory the clock allocates for the run's requests fits in
// the machine's memory, as soon as their number is known: from -t: alone
// (`manual` null), or with the list read in manual mode.
std::optional<std::string> CheckMemory(const RunConfig& config, const ManualList* manual);

// The memory a process of this machine can use: its physical memory, or
// less if the process is limited.
uint64_t MachineMemory();

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_VALIDATION_H_
