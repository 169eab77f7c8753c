#ifndef SCHEDULE_ENGINE_SIMULATION_H_
#define SCHEDULE_ENGINE_SIMULATION_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/disk.h"
#include "engine/link.h"
#include "engine/run_config.h"
#include "engine/scheduler.h"
#include "engine/workload.h"

namespace schedule {

struct SimulationOutcome {
  bool stopped = false;            // a stop request ended the run early
  std::vector<Accounts> accounts;  // one per simulated scheduler, column order
  int32_t served = 0;              // requests of the run (the generated count)
  uint32_t clock = 0;              // ticks simulated
};

// The disk of a configuration.
DiskTiming DiskOf(const RunConfig& config);

// All schedulers side by side on one clock: each tick the arrivals join
// every queue, S-LOOK considers an early turn, and every scheduler takes
// one step. Runs until every request has arrived and been served, or until
// the caller asks to stop.
class Simulation {
 public:
  Simulation(const RunConfig& config, Workload& workload, FrontEndLink* link);

  SimulationOutcome Run();

  // For tests: the schedulers in column order and a single tick.
  const std::vector<std::unique_ptr<Scheduler>>& schedulers() const { return schedulers_; }
  bool Finished() const { return workload_.all_arrived() && !pending_; }
  void Tick();

 private:
  bool Idle() const;

  const RunConfig& config_;
  const DiskTiming disk_;
  Workload& workload_;
  FrontEndLink* link_;
  std::vector<Request> arrivals_;
  std::vector<std::unique_ptr<Scheduler>> schedulers_;
  uint32_t clock_ = 0;
  bool pending_ = false;
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SIMULATION_H_
