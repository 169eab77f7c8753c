#include "engine/validation.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "engine/random.h"
#include "engine/scheduler_table.h"
#include "engine/simulation.h"
#include "engine/wait_statistics.h"
#include "engine/workload.h"

namespace schedule {

namespace {

std::string Num(int64_t v) { return std::to_string(v); }

// Bytes in gigabytes, with one decimal.
std::string Gigabytes(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(bytes) / 1e9);
  return text;
}

uint64_t Limit(int resource) {
  rlimit limit{};
  if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
    return std::numeric_limits<uint64_t>::max();
  }
  return static_cast<uint64_t>(limit.rlim_cur);
}

}  // namespace

uint64_t MachineMemory() {
  long pages = sysconf(_SC_PHYS_PAGES);
  long page_size = sysconf(_SC_PAGE_SIZE);
  uint64_t memory = pages > 0 && page_size > 0
                        ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(page_size)
                        : std::numeric_limits<uint64_t>::max();
  return std::min({memory, Limit(RLIMIT_AS), Limit(RLIMIT_DATA)});
}

std::optional<std::string> CheckMemory(const RunConfig& c, const ManualList* manual) {
  int32_t total = c.total;
  // A generated workload draws from at most 32768 cylinders; a list names at
  // most one per request, and the run keeps a copy of the list.
  int32_t cylinders = SmallRandom::kMax + 1;
  uint64_t list_bytes = 0;
  if (c.manual()) {
    if (manual == nullptr) return std::nullopt;  // the list is still to be read
    total = manual->request_count;
    cylinders = total;
    list_bytes = 2 * sizeof(int32_t) * manual->entries.size();
  }
  if (total <= 0) return std::nullopt;
  uint64_t needed = MemoryNeeded(total, cylinders) + list_bytes;
  // The head-path log follows each queue's requests by their arrival index.
  if (c.path_log) needed += static_cast<uint64_t>(total) * (kSimulatedCount - 1) * sizeof(int32_t);
  if (c.statistics_file.is_open()) needed += static_cast<uint64_t>(total) * kWaitBytesPerRequest;
  uint64_t available = MachineMemory();
  if (needed <= available) return std::nullopt;
  return Num(total) + " requests need " + Gigabytes(needed) + " of memory for their queues; " +
         "this machine has " + Gigabytes(available);
}

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
    return "the disk needs at least one cylinder (-m:), not " +
           Num(int64_t{c.highest_cylinder} + 1);
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
    // (Written so that a probability that is not a number is refused too.)
    if (c.total > 0 && !c.skip_idle && !(c.probability * 4294967296.0 - 1 >= 0)) {
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
