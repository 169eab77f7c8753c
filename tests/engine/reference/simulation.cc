#include "tests/engine/reference/simulation.h"

#include <algorithm>

#include "tests/engine/reference/scheduler_table.h"

namespace schedule::reference {

namespace {
// Room reserved up front for the arrival list; it grows beyond as needed.
constexpr int32_t kReservedArrivals = 1 << 16;
}  // namespace

Simulation::Simulation(const RunConfig& config, Workload& workload, FrontEndLink* link)
    : config_(config), disk_(DiskOf(config)), workload_(workload), link_(link) {
  arrivals_.reserve(std::min(workload.total(), kReservedArrivals));
  schedulers_ = MakeSchedulers(SchedulerSetup{config_, disk_, arrivals_, workload.total()});
  if (config.path_log) {
    path_log_ = std::make_shared<PathLog>(config);
    for (size_t i = 0; i < schedulers_.size(); ++i) {
      PathRecorder* recorder = path_log_->recorder(static_cast<int>(i));
      if (recorder != nullptr) schedulers_[i]->RecordPath(recorder, &clock_);
    }
  }
}

// A tick is idle, and may be made to produce requests, when -id was given,
// nothing was pending after the previous tick and no C-SCAN head is on its
// way back.
bool Simulation::Idle() const {
  if (!config_.skip_idle || pending_ || !workload_.can_skip_idle()) return false;
  return std::none_of(schedulers_.begin(), schedulers_.end(),
                      [](const auto& s) { return s->KeepsDiskBusy(); });
}

void Simulation::Tick() {
  int32_t count = workload_.ArrivalCount(Idle());
  for (int32_t i = 0; i < count; ++i) {
    // Under -u:0 the schedulers see the mirror image of the disk.
    Request request{config_.SchedulerCylinder(workload_.NextCylinder()), clock_,
                    static_cast<int32_t>(arrivals_.size())};
    arrivals_.push_back(request);
    for (auto& scheduler : schedulers_) scheduler->Arrive(request);
  }
  for (auto& scheduler : schedulers_) scheduler->BeforeSteps();
  StepContext context{clock_, workload_.all_arrived(), link_};
  for (auto& scheduler : schedulers_) scheduler->Step(context);
  ++clock_;
  pending_ = std::any_of(schedulers_.begin(), schedulers_.end(),
                         [](const auto& s) { return s->HasPending(); });
}

SimulationOutcome Simulation::Run() {
  SimulationOutcome outcome;
  if (link_ != nullptr) link_->StartPolling();
  for (;;) {
    if (Finished()) break;
    if (link_ != nullptr && link_->StopRequested()) {
      outcome.stopped = true;
      break;
    }
    Tick();
  }
  for (const auto& scheduler : schedulers_) outcome.accounts.push_back(scheduler->accounts());
  outcome.served = workload_.generated();
  outcome.clock = clock_;
  if (!outcome.stopped && path_log_) {
    for (auto& scheduler : schedulers_) scheduler->EndPath(clock_);
    outcome.path_log = path_log_;
  }
  return outcome;
}

SimulationOutcome RunClock(const RunConfig& config, Workload& workload, FrontEndLink* link) {
  return Simulation(config, workload, link).Run();
}

}  // namespace schedule::reference
