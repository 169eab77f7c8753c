#include "engine/wait_statistics.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <utility>

namespace schedule {

namespace {

constexpr size_t kSatfColumn = kColumnNames.size() - 1;

// The population standard deviation, from the mean of the exact sum. Taken
// in the order the waits were recorded.
double Deviation(const std::vector<uint32_t>& waits) {
  uint64_t sum = 0;
  for (uint32_t w : waits) sum += w;
  const long double count = static_cast<long double>(waits.size());
  const long double mean = static_cast<long double>(sum) / count;
  long double squares = 0;
  for (uint32_t w : waits) {
    const long double d = static_cast<long double>(w) - mean;
    squares += d * d;
  }
  return static_cast<double>(std::sqrt(squares / count));
}

// The percentiles in rising order, each found among the waits that the one
// before left above itself.
void Percentiles(std::vector<uint32_t>& waits, WaitStatistics& s) {
  const uint64_t count = waits.size();
  auto from = waits.begin();
  for (auto [percent, value] : {std::pair{50, &s.p50}, {90, &s.p90}, {95, &s.p95}, {99, &s.p99}}) {
    // The nearest rank: ceil(p % of the count), from 1.
    const uint64_t rank = (count * static_cast<uint64_t>(percent) + 99) / 100;
    const auto nth = waits.begin() + static_cast<std::ptrdiff_t>(rank - 1);
    std::nth_element(from, nth, waits.end());
    *value = *nth;
    from = nth;
  }
}

// "name," then a field per column for FCFS to BO-PATH, then 0 for SATF.
template <class Field>
void WriteRow(std::FILE* file, const char* name, const RunWaitStatistics& statistics, Field field) {
  std::fprintf(file, "%s,", name);
  for (size_t column = 0; column < kSatfColumn; ++column) field(file, statistics[column]);
  std::fputs("0\n", file);
}

void WritePercentileRow(std::FILE* file, const char* name, const RunWaitStatistics& statistics,
                        uint32_t WaitStatistics::*percentile) {
  WriteRow(file, name, statistics, [percentile](std::FILE* f, const WaitStatistics& s) {
    std::fprintf(f, "%" PRIu32 ",", s.*percentile);
  });
}

}  // namespace

WaitRecords::WaitRecords(const RunConfig& config, int32_t total) {
  for (int column = 0; column < kSimulatedCount; ++column) {
    if (column == kFcfsColumn && config.skip_fcfs) continue;
    waits_[column].emplace().reserve(static_cast<size_t>(std::max(total, 0)));
  }
}

std::vector<uint32_t>* WaitRecords::waits(int column) {
  return waits_[column] ? &*waits_[column] : nullptr;
}

const std::vector<uint32_t>* WaitRecords::waits(int column) const {
  return waits_[column] ? &*waits_[column] : nullptr;
}

RunWaitStatistics ComputeWaitStatistics(WaitRecords& records) {
  RunWaitStatistics statistics{};
  for (int column = 0; column < kSimulatedCount; ++column) {
    std::vector<uint32_t>* waits = records.waits(column);
    if (waits == nullptr || waits->empty()) continue;
    statistics[column].deviation = Deviation(*waits);
    Percentiles(*waits, statistics[column]);
  }
  return statistics;
}

std::optional<std::string> WriteStatisticsRows(RunConfig& config,
                                               const RunWaitStatistics& statistics) {
  if (!config.statistics_file.is_open()) return std::nullopt;
  std::FILE* file = config.statistics_file.file.release();
  WritePercentileRow(file, "p50", statistics, &WaitStatistics::p50);
  WritePercentileRow(file, "p90", statistics, &WaitStatistics::p90);
  WritePercentileRow(file, "p95", statistics, &WaitStatistics::p95);
  WritePercentileRow(file, "p99", statistics, &WaitStatistics::p99);
  // Written as the average waiting time is.
  WriteRow(file, "sd", statistics,
           [](std::FILE* f, const WaitStatistics& s) { std::fprintf(f, "%g,", s.deviation); });
  const bool failed = std::ferror(file) != 0;
  if (std::fclose(file) != 0 || failed) {
    return "the waiting-time statistics file \"" + config.statistics_path +
           "\" could not be written completely";
  }
  return std::nullopt;
}

}  // namespace schedule
