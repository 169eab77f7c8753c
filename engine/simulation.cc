#include "engine/simulation.h"

#include <algorithm>

#include "engine/scheduler_set.h"
#include "engine/schedulers/request_queue.h"

namespace schedule {

namespace {

// Requests added to the queues between two looks for a stop.
constexpr int32_t kArrivalsPerPoll = 1 << 14;

// The table of cylinders keeps each one's value.
constexpr uint64_t kBytesPerCylinder =
    (kSimulatedCount - 1) * RequestQueue::kBytesPerCylinder + sizeof(int32_t);
// The generators' cylinder tables and the other fixed parts.
constexpr uint64_t kFixedBytes = uint64_t{1} << 20;

}  // namespace

DiskTiming DiskOf(const RunConfig& config) {
  return DiskTiming{config.block_time, config.seek_time, config.settle_time,
                    config.highest_cylinder};
}

uint64_t MemoryNeeded(int32_t total, int32_t cylinders) {
  const uint64_t per_request =
      sizeof(Arrival) + (kSimulatedCount - 1) * RequestQueue::kBytesPerRequest;
  return static_cast<uint64_t>(std::max(total, 0)) * per_request +
         static_cast<uint64_t>(std::max(cylinders, 0)) * kBytesPerCylinder + kFixedBytes;
}

SimulationOutcome RunClock(const RunConfig& config, Workload& workload, FrontEndLink* link) {
  return Simulation(config, workload, link).Run();
}

Simulation::Simulation(const RunConfig& config, Workload& workload, FrontEndLink* link)
    : config_(config),
      disk_(DiskOf(config)),
      workload_(workload),
      link_(link),
      stop_(link),
      // Left uninitialised: pages are touched only as requests arrive.
      arrivals_(std::make_unique_for_overwrite<Arrival[]>(
          static_cast<size_t>(std::max(workload.total(), 1)))) {
  state_.arrivals = arrivals_.get();
  state_.total = workload.total();
  state_.all_arrived = workload.all_arrived();
  state_.cylinders = &workload.cylinders();
  if (config.start_down) {
    mirrored_ = CylinderRanks::Mirrored(workload.cylinders(), config.highest_cylinder);
    mirror_sum_ = static_cast<uint32_t>(workload.cylinders().size() - 1);
    state_.cylinders = &*mirrored_;
  }
  state_.link = link;
  state_.stop = &stop_;
  schedulers_ = std::make_unique<SchedulerSet>(SchedulerSetup{config_, disk_, state_});
  if (config.path_log) {
    path_log_ = std::make_shared<PathLog>(config);
    schedulers_->ForEach([&](size_t i, Scheduler& s) {
      PathRecorder* recorder = path_log_->recorder(static_cast<int>(i));
      if (recorder != nullptr) s.RecordPath(recorder);
    });
  }
  if (config.statistics_file.is_open()) {
    waits_ = std::make_shared<WaitRecords>(config, workload.total());
    schedulers_->ForEach([&](size_t i, Scheduler& s) {
      std::vector<uint32_t>* waits = waits_->waits(static_cast<int>(i));
      if (waits != nullptr) s.RecordWaits(waits);
    });
  }
  schedulers_->ForEach([this](size_t i, auto& s) { Note(i, s); });
}

Simulation::~Simulation() = default;

void Simulation::Deliver(uint64_t tick, int32_t count) {
  // The workload already counts this batch.
  state_.all_arrived = workload_.all_arrived();
  const int32_t end = state_.arrived + count;
  while (state_.arrived < end && !stop_.stopped()) {
    const int32_t first = state_.arrived;
    const int32_t last = first + std::min(kArrivalsPerPoll, end - first);
    for (int32_t i = first; i < last; ++i) {
      arrivals_[i] = Arrival{workload_.NextRank(), static_cast<uint32_t>(tick)};
    }
    if (mirrored_) MirrorRanks(first, last);
    state_.arrived = last;
    schedulers_->ForEach([&](size_t i, auto& s) {
      s.Arrive(tick, first, last);
      Note(i, s);
    });
    stop_.Poll();
  }
}

void Simulation::MirrorRanks(int32_t first, int32_t last) {
  for (int32_t i = first; i < last; ++i) arrivals_[i].rank = mirror_sum_ - arrivals_[i].rank;
}

void Simulation::RunAllUntil(uint64_t tick) {
  schedulers_->ForEach([&](size_t i, auto& s) {
    if (next_events_[i] >= tick) return;
    s.RunUntil(tick);
    Note(i, s);
  });
}

bool Simulation::AllQuiet() const {
  return std::none_of(has_work_.begin(), has_work_.end(), [](bool work) { return work; });
}

// A scheduler with work keeps it at least until its next event, so every
// tick up to the latest of those events is busy.
uint64_t Simulation::BusyUntil() const {
  uint64_t busy = workload_.next_tick();
  for (size_t i = 0; i < SchedulerSet::size(); ++i) {
    if (has_work_[i]) busy = std::max(busy, next_events_[i]);
  }
  return busy;
}

SimulationOutcome Simulation::Run() {
  if (link_ != nullptr) link_->StartPolling();
  const bool coupled = config_.skip_idle && workload_.can_skip_idle();
  while (!workload_.all_arrived() && !stop_.Poll()) {
    const uint64_t tick = workload_.next_tick();
    if (coupled && AllQuiet()) {
      int32_t count = workload_.IdleTick();
      if (count > 0) Deliver(tick, count);
      RunAllUntil(tick + 1);
      continue;
    }
    const uint64_t last = coupled ? BusyUntil() : kNever;
    std::optional<ArrivalBatch> batch = workload_.NextBatch(last, stop_);
    if (batch) {
      RunAllUntil(batch->tick);
      Deliver(batch->tick, batch->count);
      if (stop_.stopped()) break;
      RunAllUntil(batch->tick + 1);
    } else if (last != kNever) {
      RunAllUntil(last + 1);
    } else {
      break;  // stopped (a workload always delivers its requests)
    }
  }
  return Finish();
}

SimulationOutcome Simulation::Finish() {
  SimulationOutcome outcome;
  // After the last arrival nothing couples the schedulers: each runs until
  // its queue is empty, and the run ends when the last one's is.
  uint64_t end = workload_.next_tick();
  schedulers_->ForEach([&](size_t, Scheduler& s) {
    if (!stop_.stopped()) end = std::max(end, s.Drain());
  });
  schedulers_->ForEach([&](size_t, Scheduler& s) {
    if (!stop_.stopped()) s.Finish(end);
  });
  if (stop_.stopped() || !workload_.all_arrived()) {
    outcome.stopped = true;
    return outcome;
  }
  schedulers_->ForEach([&](size_t, Scheduler& s) { outcome.accounts.push_back(s.accounts()); });
  outcome.served = workload_.generated();
  outcome.clock = static_cast<uint32_t>(end);
  outcome.path_log = path_log_;
  outcome.waits = waits_;
  return outcome;
}

}  // namespace schedule
