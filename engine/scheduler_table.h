#ifndef SCHEDULE_ENGINE_SCHEDULER_TABLE_H_
#define SCHEDULE_ENGINE_SCHEDULER_TABLE_H_

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/disk.h"
#include "engine/run_config.h"
#include "engine/scheduler.h"

namespace schedule {

// The result columns, in their fixed order. The first seven are simulated;
// BO-PATH and SATF are reported but not simulated by this engine.
inline constexpr std::array<std::string_view, 9> kColumnNames = {
    "FCFS", "SSTF", "SCAN", "C-SCAN", "LOOK", "C-LOOK", "S-LOOK", "BO-PATH", "SATF"};
inline constexpr int kSimulatedCount = 7;
inline constexpr int kFcfsColumn = 0;
inline constexpr int kBoPathColumn = 7;

// What a scheduler is built from (see SchedulerSet, scheduler_set.h).
struct SchedulerSetup {
  const RunConfig& config;
  const DiskTiming& disk;
  const RunState& run;
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULER_TABLE_H_
