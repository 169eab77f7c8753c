#include "engine/validation.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/workload.h"

namespace schedule {

namespace {
std::string Num(int64_t v) { return std::to_string(v); }
}  // namespace

std::optional<std::string> CheckDisk(const RunConfig& c) {
  if (c.block_time < 1) {
    return "the block transfer time (-b:) must be at least 1 TU, not " + Num(c.block_time);
  }
  if (c.block_time > std::numeric_limits<uint16_t>::max()) {
    return "the block transfer time (-b:) must be at most 65535 TU, not " + Num(c.block_time);
  }
  if (c.seek_time < 1) {
    return "the seek time (-e:) must be at least 1 TU, not " + Num(c.seek_time);
  }
  if (c.settle_time < 0) {
    return "the settle time (-st:) must not be negative, not " + Num(c.settle_time);
  }
  if (int64_t{c.seek_time} + c.settle_time > std::numeric_limits<int32_t>::max()) {
    return "the seek time (-e:) and settle time (-st:) together exceed 2147483647 TU";
  }
  if (c.highest_cylinder < 0) {
    return "the disk needs at least one cylinder (-m:), not " + Num(int64_t{c.highest_cylinder} + 1);
  }
  return std::nullopt;
}

std::optional<std::string> CheckWorkload(const RunConfig& c) {
  if (c.total < 0) return "the total number of requests must not be negative, not " + Num(c.total);
  if (c.initial_head < 0 || c.initial_head > c.highest_cylinder) {
    return "the initial head position " + Num(c.initial_head) + " is outside the disk (0 to " +
           Num(c.highest_cylinder) + ")";
  }
  WorkloadMode mode = SelectMode(c);
  if (mode == WorkloadMode::kProbability) {
    if (c.max_per_tu < 0) {
      return "the maximum number of requests per time unit must not be negative, not " +
             Num(c.max_per_tu);
    }
    if (c.total > 0 && !c.skip_idle && c.probability * 4294967296.0 - 1 < 0) {
      return "with a request probability of " + std::to_string(c.probability * 100) +
             "% no request would ever arrive; give a higher probability or -id";
    }
  }
  if (mode == WorkloadMode::kPoisson && c.total > 0) {
    double limit = std::exp(-c.arrival_rate * c.seconds_per_tu);
    if (limit == 0.0) {
      return "the arrival rate (-a:) times the seconds per time unit (-tu:) is too large: "
             "requests per time unit would be unbounded";
    }
    // Seeded with 0, the large generator yields only zeros, and a zero
    // uniform number never lets a normal tick produce an arrival.
    if (c.seed == 0u && !c.skip_idle) {
      return "with the seed 0 (-r:0) no Poisson arrival would ever occur; give another seed "
             "or -id";
    }
    if (limit >= 1.0 && !c.skip_idle) {
      return "the arrival rate (-a:) times the seconds per time unit (-tu:) is too small: "
             "no request would ever arrive; give larger values or -id";
    }
  }
  return std::nullopt;
}

}  // namespace schedule
