#include "engine/workload.h"

#include <cmath>
#include <utility>

namespace schedule {

WorkloadMode SelectMode(const RunConfig& config) {
  if (config.manual()) return WorkloadMode::kManual;
  if (config.poisson()) return WorkloadMode::kPoisson;
  if (config.max_per_tu != 0) return WorkloadMode::kProbability;
  return WorkloadMode::kAllAtTimeZero;
}

Workload::Workload(const RunConfig& config, Generators& generators, ManualList manual)
    : mode_(SelectMode(config)),
      generators_(generators),
      total_(config.total),
      highest_(config.highest_cylinder),
      max_per_tu_(config.max_per_tu),
      probability_(config.probability) {
  if (mode_ == WorkloadMode::kPoisson) {
    poisson_limit_ = std::exp(-config.arrival_rate * config.seconds_per_tu);
  }
  if (mode_ == WorkloadMode::kManual) {
    total_ = manual.request_count;
    manual_.emplace(std::move(manual.entries));
  }
}

int32_t Workload::ArrivalCount(bool idle) {
  if (all_arrived()) return 0;
  int32_t count = RawCount(idle);
  if (count > total_ - generated_) count = total_ - generated_;
  generated_ += count;
  return count;
}

int32_t Workload::RawCount(bool idle) {
  switch (mode_) {
    case WorkloadMode::kManual:
      return manual_->Count();
    case WorkloadMode::kPoisson:
      return PoissonCount(idle);
    case WorkloadMode::kProbability:
      return ProbabilityCount(idle);
    case WorkloadMode::kAllAtTimeZero:
      return total_;
  }
  return 0;
}

int32_t Workload::ProbabilityCount(bool idle) {
  uint32_t u = generators_.large.Next();
  if (!(probability_ * 4294967296.0 - 1 >= static_cast<double>(u) || idle)) return 0;
  uint32_t r = generators_.small.Next();
  // Evaluated in the order written: r * (1 / 32767) * (N + 1).
  double scaled = r * (1.0 / 32767) * (static_cast<double>(max_per_tu_) + 1.0);
  if (scaled > max_per_tu_) return max_per_tu_;
  return static_cast<int32_t>(scaled);
}

// The product-of-uniforms method; in an idle tick the count is conditioned
// on being at least 1.
int32_t Workload::PoissonCount(bool idle) {
  double q = 1.0;
  int32_t count = -1;
  if (idle) {
    q = poisson_limit_ + Uniform() * (1.0 - poisson_limit_);
    count = 0;
  }
  do {
    q *= Uniform();
    ++count;
  } while (q >= poisson_limit_);
  return count;
}

int32_t Workload::NextCylinder() {
  int32_t cylinder;
  if (mode_ == WorkloadMode::kManual) {
    cylinder = manual_->NextCylinder();
  } else {
    uint32_t r = generators_.small.Next();
    double scaled = r * (1.0 / 32767) * (static_cast<double>(highest_) + 1.0);
    cylinder = scaled > highest_ ? highest_ : static_cast<int32_t>(scaled);
  }
  return cylinder > highest_ ? highest_ : cylinder;
}

}  // namespace schedule
