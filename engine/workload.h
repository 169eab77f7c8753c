#ifndef SCHEDULE_ENGINE_WORKLOAD_H_
#define SCHEDULE_ENGINE_WORKLOAD_H_

#include <cstdint>
#include <optional>

#include "engine/manual_requests.h"
#include "engine/random.h"
#include "engine/run_config.h"

namespace schedule {

enum class WorkloadMode { kManual, kPoisson, kProbability, kAllAtTimeZero };

WorkloadMode SelectMode(const RunConfig& config);

// Decides, tick by tick, how many requests arrive and on which cylinders.
// The same seed and configuration give the same stream every time.
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

  // The number of requests arriving in this tick, already limited to those
  // still to come. `idle` asks for at least a chance of an arrival.
  int32_t ArrivalCount(bool idle);
  // The cylinder of the next arriving request, in arrival order.
  int32_t NextCylinder();

 private:
  int32_t RawCount(bool idle);
  int32_t ProbabilityCount(bool idle);
  int32_t PoissonCount(bool idle);
  double Uniform() { return generators_.large.Next() / 4294967295.0; }

  WorkloadMode mode_;
  Generators& generators_;
  int32_t total_;
  int32_t generated_ = 0;
  int32_t highest_;
  int32_t max_per_tu_;
  double probability_;
  double poisson_limit_ = 0.0;
  std::optional<ManualArrivals> manual_;
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_WORKLOAD_H_
