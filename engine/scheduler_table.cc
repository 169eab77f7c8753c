#include "engine/scheduler_table.h"

#include "engine/schedulers/clook.h"
#include "engine/schedulers/cscan.h"
#include "engine/schedulers/driven.h"
#include "engine/schedulers/fcfs.h"
#include "engine/schedulers/look.h"
#include "engine/schedulers/scan.h"
#include "engine/schedulers/slook.h"
#include "engine/schedulers/sstf.h"

namespace schedule {

namespace {

// Where the head starts, as the schedulers see the disk (mirrored by -u:0).
int32_t StartHead(const SchedulerSetup& s) {
  return s.config.SchedulerCylinder(s.config.initial_head);
}

template <class T>
std::unique_ptr<Scheduler> MakeSweeper(const SchedulerSetup& s) {
  return std::make_unique<Driven<T>>(s.disk, s.run, StartHead(s));
}

std::unique_ptr<Scheduler> MakeFcfs(const SchedulerSetup& s) {
  return std::make_unique<Driven<Fcfs>>(s.disk, s.run, StartHead(s), s.config.skip_fcfs);
}

std::unique_ptr<Scheduler> MakeSLook(const SchedulerSetup& s) {
  SlookOptions options{s.config.slook_factor, s.config.slook_constant, s.config.slook_reset};
  return std::make_unique<Driven<SLook>>(s.disk, s.run, StartHead(s), options);
}

}  // namespace

const std::array<SchedulerEntry, kSimulatedCount> kSchedulerTable = {{
    {"FCFS", MakeFcfs},
    {"SSTF", MakeSweeper<Sstf>},
    {"SCAN", MakeSweeper<Scan>},
    {"C-SCAN", MakeSweeper<CScan>},
    {"LOOK", MakeSweeper<Look>},
    {"C-LOOK", MakeSweeper<CLook>},
    {"S-LOOK", MakeSLook},
}};

std::vector<std::unique_ptr<Scheduler>> MakeSchedulers(const SchedulerSetup& setup) {
  std::vector<std::unique_ptr<Scheduler>> schedulers;
  for (const SchedulerEntry& entry : kSchedulerTable) schedulers.push_back(entry.make(setup));
  return schedulers;
}

}  // namespace schedule
