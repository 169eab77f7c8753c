#ifndef SCHEDULE_TESTS_ENGINE_REFERENCE_SIMULATION_H_
#define SCHEDULE_TESTS_ENGINE_REFERENCE_SIMULATION_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/disk.h"
#include "engine/link.h"
#include "engine/run_config.h"
#include "engine/simulation.h"
#include "engine/workload.h"
#include "tests/engine/reference/scheduler.h"

namespace schedule::reference {

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
  std::shared_ptr<PathLog> path_log_;  // with -l:
  uint32_t clock_ = 0;
  bool pending_ = false;
};

// The reference as a clock model for the engine's front end.
SimulationOutcome RunClock(const RunConfig& config, Workload& workload, FrontEndLink* link);

}  // namespace schedule::reference

#endif  // SCHEDULE_TESTS_ENGINE_REFERENCE_SIMULATION_H_
