#ifndef SCHEDULE_ENGINE_SIMULATION_H_
#define SCHEDULE_ENGINE_SIMULATION_H_

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "engine/disk.h"
#include "engine/link.h"
#include "engine/path_log.h"
#include "engine/run_config.h"
#include "engine/scheduler.h"
#include "engine/scheduler_table.h"
#include "engine/wait_statistics.h"
#include "engine/workload.h"

namespace schedule {

class SchedulerSet;

struct SimulationOutcome {
  bool stopped = false;            // a stop request ended the run early
  std::vector<Accounts> accounts;  // one per simulated scheduler, column order
  int32_t served = 0;              // requests of the run (the generated count)
  uint32_t clock = 0;              // ticks simulated
  // With -l:, the head paths of a completed run.
  std::shared_ptr<PathLog> path_log;
  // With -q:, the waiting times of a completed run.
  std::shared_ptr<WaitRecords> waits;
};

// The disk of a configuration.
DiskTiming DiskOf(const RunConfig& config);

// Bytes the clock allocates for a run of `total` requests whose cylinders
// number `cylinders`: the arrival list and every scheduler's queue.
uint64_t MemoryNeeded(int32_t total, int32_t cylinders);

// Runs the clock of one run: the engine's own below, or another model of
// the same rules (the tests compare them).
using ClockModel = std::function<SimulationOutcome(const RunConfig&, Workload&, FrontEndLink*)>;
SimulationOutcome RunClock(const RunConfig& config, Workload& workload, FrontEndLink* link);

// All schedulers on one clock. Each tick the arrivals join every queue,
// S-LOOK considers an early turn, and every scheduler takes one step; the
// run ends once every request has arrived and been served, or when the
// caller asks to stop.
//
// The clock does not pass through every tick. Without an idle skip the
// arrivals do not depend on the schedulers: the workload goes from batch to
// batch, and each scheduler from event to event between them. With -id an
// idle tick draws differently, so the schedulers are kept together: the
// workload is scanned only up to the last tick that is surely busy (the
// latest next event of a scheduler with work), and each idle tick is drawn
// on its own.
//
// With -u:0 the schedulers run on the mirror image of the disk: they see
// cylinder c as highest - c, so that going up there is going down here.
class Simulation {
 public:
  Simulation(const RunConfig& config, Workload& workload, FrontEndLink* link);
  ~Simulation();

  SimulationOutcome Run();

 private:
  // The requests of a batch join every queue, a chunk at a time.
  void Deliver(uint64_t tick, int32_t count);
  void RunAllUntil(uint64_t tick);
  // Notes scheduler i's next event and whether it has work, which change
  // only when it runs or receives requests.
  template <class S>
  void Note(size_t i, const S& s) {
    next_events_[i] = s.NextEvent();
    has_work_[i] = s.HasWork();
  }
  // No scheduler has work, nor a C-SCAN head on its way: the next tick is idle.
  bool AllQuiet() const;
  // Every tick up to this one is busy.
  uint64_t BusyUntil() const;
  // After the last arrival: the end of the run.
  SimulationOutcome Finish();
  // Under -u:0: arrivals [first, last) take the ranks of their cylinders'
  // mirror images.
  void MirrorRanks(int32_t first, int32_t last);

  const RunConfig& config_;
  const DiskTiming disk_;
  Workload& workload_;
  FrontEndLink* link_;
  StopCheck stop_;
  std::unique_ptr<Arrival[]> arrivals_;
  std::optional<CylinderRanks> mirrored_;  // the cylinders under -u:0
  uint32_t mirror_sum_ = 0;                // a rank and its mirror image add up to this
  std::shared_ptr<PathLog> path_log_;      // with -l:
  std::shared_ptr<WaitRecords> waits_;     // with -q:
  RunState state_;
  std::unique_ptr<SchedulerSet> schedulers_;
  std::array<uint64_t, kSimulatedCount> next_events_{};  // per scheduler, as last noted
  std::array<bool, kSimulatedCount> has_work_{};         // per scheduler, as last noted
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SIMULATION_H_
