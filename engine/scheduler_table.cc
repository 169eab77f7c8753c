#include "engine/scheduler_table.h"

#include "engine/schedulers/clook.h"
#include "engine/schedulers/cscan.h"
#include "engine/schedulers/fcfs.h"
#include "engine/schedulers/look.h"
#include "engine/schedulers/scan.h"
#include "engine/schedulers/slook.h"
#include "engine/schedulers/sstf.h"

namespace schedule {

namespace {

template <class T>
std::unique_ptr<Scheduler> MakeSweeper(const SchedulerSetup& s) {
  return std::make_unique<T>(s.disk, s.run, s.config.initial_head);
}

std::unique_ptr<Scheduler> MakeFcfs(const SchedulerSetup& s) {
  return std::make_unique<Fcfs>(s.disk, s.run, s.config.initial_head, s.config.skip_fcfs);
}

std::unique_ptr<Scheduler> MakeSLook(const SchedulerSetup& s) {
  SlookOptions options{s.config.slook_factor, s.config.slook_constant, s.config.slook_reset};
  return std::make_unique<SLook>(s.disk, s.run, s.config.initial_head, options);
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
