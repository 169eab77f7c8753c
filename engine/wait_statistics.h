#ifndef SCHEDULE_ENGINE_WAIT_STATISTICS_H_
#define SCHEDULE_ENGINE_WAIT_STATISTICS_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/run_config.h"
#include "engine/scheduler_table.h"

namespace schedule {

// Memory the waits of one request take.
inline constexpr uint64_t kWaitBytesPerRequest = kSimulatedCount * sizeof(uint32_t);

// The waiting times of one run, per simulated algorithm in column order, in
// the order the requests were served (-q:). None are kept for FCFS under
// -FCFS.
class WaitRecords {
 public:
  // Room for `total` waits per algorithm, taken up front: 4 bytes per
  // request and algorithm.
  WaitRecords(const RunConfig& config, int32_t total);

  // Where column `column` of the simulated ones records, or null.
  std::vector<uint32_t>* waits(int column);
  const std::vector<uint32_t>* waits(int column) const;

 private:
  std::array<std::optional<std::vector<uint32_t>>, kSimulatedCount> waits_;
};

// The statistics of one result column's waits: the nearest-rank
// percentiles (the smallest wait w such that at least p % of the requests
// waited w or less) and the population standard deviation.
struct WaitStatistics {
  uint32_t p50 = 0;
  uint32_t p90 = 0;
  uint32_t p95 = 0;
  uint32_t p99 = 0;
  double deviation = 0.0;
};

using RunWaitStatistics = std::array<WaitStatistics, kColumnNames.size()>;

// The statistics of every column; the columns that are not simulated, FCFS
// under -FCFS and a run without requests have zeros. Reorders the waits.
RunWaitStatistics ComputeWaitStatistics(WaitRecords& records);

// Appends the rows p50, p90, p95, p99 and sd to the -q: file and closes it;
// returns a message naming the file when the rows could not be written.
std::optional<std::string> WriteStatisticsRows(RunConfig& config,
                                               const RunWaitStatistics& statistics);

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_WAIT_STATISTICS_H_
