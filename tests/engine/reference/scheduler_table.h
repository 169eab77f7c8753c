#ifndef SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULER_TABLE_H_
#define SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULER_TABLE_H_

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/disk.h"
#include "engine/run_config.h"
#include "engine/scheduler_table.h"
#include "tests/engine/reference/scheduler.h"

namespace schedule::reference {

// What a scheduler is built from.
struct SchedulerSetup {
  const RunConfig& config;
  const DiskTiming& disk;
  const std::vector<Request>& arrivals;  // the run's arrival list
  int32_t total;
};

using SchedulerFactory = std::unique_ptr<Scheduler> (*)(const SchedulerSetup&);

struct SchedulerEntry {
  std::string_view name;
  SchedulerFactory make;
};

// The simulated schedulers in step order, which is also column order.
extern const std::array<SchedulerEntry, kSimulatedCount> kSchedulerTable;

std::vector<std::unique_ptr<Scheduler>> MakeSchedulers(const SchedulerSetup& setup);

}  // namespace schedule::reference

#endif  // SCHEDULE_TESTS_ENGINE_REFERENCE_SCHEDULER_TABLE_H_
