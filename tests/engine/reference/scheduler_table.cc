#include "tests/engine/reference/scheduler_table.h"

#include "tests/engine/reference/schedulers/clook.h"
#include "tests/engine/reference/schedulers/cscan.h"
#include "tests/engine/reference/schedulers/fcfs.h"
#include "tests/engine/reference/schedulers/look.h"
#include "tests/engine/reference/schedulers/scan.h"
#include "tests/engine/reference/schedulers/slook.h"
#include "tests/engine/reference/schedulers/sstf.h"

namespace schedule::reference {

namespace {

template <class T>
std::unique_ptr<Scheduler> MakeSweeper(const SchedulerSetup& s) {
  return std::make_unique<T>(s.disk, s.config.initial_head);
}

std::unique_ptr<Scheduler> MakeFcfs(const SchedulerSetup& s) {
  return std::make_unique<Fcfs>(s.disk, s.config.initial_head, s.arrivals, s.total,
                                s.config.skip_fcfs);
}

std::unique_ptr<Scheduler> MakeSLook(const SchedulerSetup& s) {
  SlookOptions options{s.config.slook_factor, s.config.slook_constant, s.config.slook_reset};
  return std::make_unique<SLook>(s.disk, s.config.initial_head, options);
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

}  // namespace schedule::reference
