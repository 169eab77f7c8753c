#ifndef SCHEDULE_ENGINE_RESULTS_H_
#define SCHEDULE_ENGINE_RESULTS_H_

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "engine/run_config.h"
#include "engine/scheduler.h"
#include "engine/scheduler_table.h"

namespace schedule {

// The metrics of one result column.
struct ColumnResult {
  int64_t seek = 0;              // TU spent moving and settling
  int64_t seek_with_blocks = 0;  // plus (N - 1) transfers
  uint32_t max_wait = 0;
  double average_wait = 0.0;
};

using RunResults = std::array<ColumnResult, kColumnNames.size()>;

// Turns the accounts of the simulated schedulers (in column order) into the
// nine result columns. `served` is the number of requests of the run.
RunResults ComputeResults(const std::vector<Accounts>& accounts, int32_t served, int32_t block_time,
                          bool fcfs_skipped);

// Writes the label row into each open result file that is still empty, and
// into the waiting-time statistics file (-q:), unless -d was given.
void WriteLabelRows(RunConfig& config);

// True when results go to files rather than to the console report.
bool HasResultFiles(const RunConfig& config);

// Appends one data row to each open result file (seek, wait-time,
// maximum-wait) and closes each file after its row.
void WriteDataRows(RunConfig& config, const RunResults& results);

// The console report, for runs without result files.
void PrintReport(std::FILE* out, const RunResults& results);

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_RESULTS_H_
