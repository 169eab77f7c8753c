#include "engine/scheduler_set.h"

namespace schedule {

namespace {

// Where the head starts, as the schedulers see the disk (mirrored by -u:0).
int32_t StartHead(const SchedulerSetup& s) {
  return s.config.SchedulerCylinder(s.config.initial_head);
}

SlookOptions SlookOf(const RunConfig& config) {
  return SlookOptions{config.slook_factor, config.slook_constant, config.slook_reset};
}

}  // namespace

SchedulerSet::SchedulerSet(const SchedulerSetup& s)
    : fcfs_(s.disk, s.run, StartHead(s), s.config.skip_fcfs),
      sstf_(s.disk, s.run, StartHead(s)),
      scan_(s.disk, s.run, StartHead(s)),
      cscan_(s.disk, s.run, StartHead(s)),
      look_(s.disk, s.run, StartHead(s)),
      clook_(s.disk, s.run, StartHead(s)),
      slook_(s.disk, s.run, StartHead(s), SlookOf(s.config)) {}

}  // namespace schedule
