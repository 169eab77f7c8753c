#ifndef SCHEDULE_ENGINE_WORKLOAD_H_
#define SCHEDULE_ENGINE_WORKLOAD_H_

#include <cstdint>
#include <optional>

#include "engine/cylinder_ranks.h"
#include "engine/link.h"
#include "engine/manual_requests.h"
#include "engine/random.h"
#include "engine/run_config.h"

namespace schedule {

enum class WorkloadMode { kManual, kPoisson, kProbability, kAllAtTimeZero };

WorkloadMode SelectMode(const RunConfig& config);

// The requests of one tick.
struct ArrivalBatch {
  uint64_t tick;
  int32_t count;
};

// Decides, tick by tick, how many requests arrive and on which cylinders.
// The same seed and configuration give the same stream every time.
//
// It answers in two ways that draw the same numbers in the same order: one
// tick at a time (ArrivalCount), or from batch to batch (NextBatch,
// IdleTick), which passes over the ticks without arrivals in one go. A run
// uses one of the two.
class Workload {
 public:
  // `manual` is used (and consumed) in manual mode only.
  Workload(const RunConfig& config, Generators& generators, ManualList manual);

  WorkloadMode mode() const { return mode_; }
  int32_t total() const { return total_; }
  int32_t generated() const { return generated_; }
  bool all_arrived() const { return generated_ >= total_; }
  // Only probability and Poisson runs can skip idle stretches.
  bool can_skip_idle() const {
    return mode_ == WorkloadMode::kPoisson || mode_ == WorkloadMode::kProbability;
  }
  // Every cylinder a request of this run can be on.
  const CylinderRanks& cylinders() const { return cylinders_; }

  // The number of requests arriving in this tick, already limited to those
  // still to come. `idle` asks for at least a chance of an arrival.
  int32_t ArrivalCount(bool idle);
  // The cylinder of the next arriving request, in arrival order.
  int32_t NextCylinder();

  // The first tick from next_tick() up to `last` in which requests arrive,
  // none of these ticks being idle, with its count (limited as above).
  // Nothing when none arrive by `last`, or when `stop` reports a stop, which
  // it is asked about every 65536 ticks scanned.
  std::optional<ArrivalBatch> NextBatch(uint64_t last, StopCheck& stop);
  // Draws next_tick() as an idle tick; returns its count.
  int32_t IdleTick();
  // The first tick NextBatch() and IdleTick() have not drawn yet.
  uint64_t next_tick() const { return next_tick_; }
  // The rank (in cylinders()) of the next arriving request's cylinder.
  uint32_t NextRank();

 private:
  int32_t RawCount(bool idle);
  int32_t ProbabilityCount(bool idle);
  int32_t DrawnProbabilityCount();
  int32_t PoissonCount(bool idle);
  int32_t PoissonCountFrom(uint32_t first_draw);
  double Uniform() { return generators_.large.Next() / 4294967295.0; }
  std::optional<ArrivalBatch> NextManualBatch(uint64_t last);
  std::optional<ArrivalBatch> ScanDraws(uint64_t last);

  WorkloadMode mode_;
  Generators& generators_;
  int32_t total_;
  int32_t generated_ = 0;
  int32_t highest_;
  int32_t max_per_tu_;
  double probability_;
  double poisson_limit_ = 0.0;
  // A first large draw below this gives a Poisson tick no arrival.
  uint64_t poisson_quiet_below_ = 0;
  // A large draw from this on gives a probability tick no count draw.
  uint64_t probability_quiet_from_ = 0;
  CylinderRanks cylinders_;
  std::optional<ManualArrivals> manual_;
  std::optional<ArrivalBatch> manual_batch_;  // found but beyond the last scan
  uint64_t next_tick_ = 0;
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_WORKLOAD_H_
