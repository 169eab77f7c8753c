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

// Where the head starts, as the schedulers see the disk (mirrored by -u:0).
int32_t StartHead(const SchedulerSetup& s) {
  return s.config.SchedulerCylinder(s.config.initial_head);
}

template <class T>
std::unique_ptr<Scheduler> MakeSweeper(const SchedulerSetup& s) {
  return std::make_unique<T>(s.disk, StartHead(s));
}

std::unique_ptr<Scheduler> MakeFcfs(const SchedulerSetup& s) {
  return std::make_unique<Fcfs>(s.disk, StartHead(s), s.arrivals, s.total, s.config.skip_fcfs);
}

std::unique_ptr<Scheduler> MakeSLook(const SchedulerSetup& s) {
  SlookOptions options{s.config.slook_factor, s.config.slook_constant, s.config.slook_reset};
  return std::make_unique<SLook>(s.disk, StartHead(s), options);
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
