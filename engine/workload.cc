#include "engine/workload.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace schedule {

namespace {

// Ticks scanned between two looks for a stop: well under a millisecond.
constexpr uint64_t kTicksPerPoll = uint64_t{1} << 16;

// The smallest 32-bit number for which `holds` is true, or 2^32; `holds`
// must be false up to some number and true from there on.
template <class Holds>
uint64_t FirstHolding(Holds holds) {
  uint64_t low = 0;
  uint64_t high = uint64_t{1} << 32;
  while (low < high) {
    uint64_t middle = low + (high - low) / 2;
    if (holds(static_cast<uint32_t>(middle))) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

}  // namespace

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
    // The same quotient and comparison as the tick's first product.
    poisson_quiet_below_ =
        FirstHolding([this](uint32_t u) { return u / 4294967295.0 >= poisson_limit_; });
  }
  if (mode_ == WorkloadMode::kProbability) {
    probability_quiet_from_ = FirstHolding([this](uint32_t u) {
      return !(probability_ * 4294967296.0 - 1 >= static_cast<double>(u));
    });
  }
  if (mode_ == WorkloadMode::kManual) {
    total_ = manual.request_count;
    cylinders_ = CylinderRanks::OfList(manual.entries, highest_);
    manual_.emplace(std::move(manual.entries));
  } else {
    cylinders_ = CylinderRanks::OfDraws(highest_);
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
  return DrawnProbabilityCount();
}

int32_t Workload::DrawnProbabilityCount() {
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

// A normal tick whose first uniform number came from `first_draw`.
int32_t Workload::PoissonCountFrom(uint32_t first_draw) {
  double q = 1.0;
  q *= first_draw / 4294967295.0;
  int32_t count = 0;
  while (q >= poisson_limit_) {
    q *= Uniform();
    ++count;
  }
  return count;
}

int32_t Workload::NextCylinder() {
  int32_t cylinder = mode_ == WorkloadMode::kManual
                         ? manual_->NextCylinder()
                         : DrawnCylinder(generators_.small.Next(), highest_);
  return cylinder > highest_ ? highest_ : cylinder;
}

uint32_t Workload::NextRank() {
  if (mode_ != WorkloadMode::kManual) return cylinders_.RankOfDraw(generators_.small.Next());
  return cylinders_.RankOf(std::min(manual_->NextCylinder(), highest_));
}

std::optional<ArrivalBatch> Workload::NextBatch(uint64_t last, StopCheck& stop) {
  while (!all_arrived() && next_tick_ <= last) {
    std::optional<ArrivalBatch> batch;
    switch (mode_) {
      case WorkloadMode::kManual:
        return NextManualBatch(last);
      case WorkloadMode::kAllAtTimeZero:
        batch = ArrivalBatch{next_tick_++, total_};
        break;
      case WorkloadMode::kPoisson:
      case WorkloadMode::kProbability:
        batch = ScanDraws(last);
        break;
    }
    if (batch) {
      batch->count = std::min(batch->count, total_ - generated_);
      generated_ += batch->count;
      return batch;
    }
    if (stop.Poll()) return std::nullopt;
  }
  return std::nullopt;
}

std::optional<ArrivalBatch> Workload::NextManualBatch(uint64_t last) {
  if (!manual_batch_) {
    ArrivalBatch batch;
    if (!manual_->NextBatch(&batch.tick, &batch.count)) return std::nullopt;
    manual_batch_ = batch;
  }
  if (manual_batch_->tick > last) {
    next_tick_ = last + 1;
    return std::nullopt;
  }
  ArrivalBatch batch = *manual_batch_;
  manual_batch_.reset();
  next_tick_ = batch.tick + 1;
  generated_ += batch.count;
  return batch;
}

// Up to 65536 ticks: the ticks whose draws bring no arrival are passed over
// a block of the large generator at a time.
std::optional<ArrivalBatch> Workload::ScanDraws(uint64_t last) {
  uint64_t span = std::min(last - next_tick_, kTicksPerPoll - 1) + 1;
  MersenneTwister& large = generators_.large;
  uint32_t u = 0;
  // A threshold of 2^32 is beyond every draw: all of them are quiet in
  // Poisson mode, none in probability mode.
  constexpr uint64_t kBeyond = uint64_t{1} << 32;
  if (mode_ == WorkloadMode::kPoisson) {
    uint64_t quiet = span;
    if (poisson_quiet_below_ < kBeyond) {
      quiet = large.SkipBelow(span, static_cast<uint32_t>(poisson_quiet_below_), &u);
    } else {
      large.Skip(span);
    }
    next_tick_ += quiet;
    if (quiet == span) return std::nullopt;
    return ArrivalBatch{next_tick_++, PoissonCountFrom(u)};
  }
  const uint64_t from = probability_quiet_from_;
  while (span > 0) {
    uint64_t quiet = 0;
    if (from < kBeyond) {
      quiet = large.SkipAtOrAbove(span, static_cast<uint32_t>(from), &u);
    } else {
      u = large.Next();  // every draw lets the count be drawn
    }
    next_tick_ += quiet;
    span -= quiet;
    if (span == 0) break;
    uint64_t tick = next_tick_++;
    --span;
    int32_t count = DrawnProbabilityCount();
    if (count > 0) return ArrivalBatch{tick, count};
  }
  return std::nullopt;
}

int32_t Workload::IdleTick() {
  ++next_tick_;
  return ArrivalCount(true);
}

}  // namespace schedule
