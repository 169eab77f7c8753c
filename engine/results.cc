#include "engine/results.h"

#include <cinttypes>
#include <string>

namespace schedule {

namespace {

constexpr char kLabelRow[] = ",FCFS,SSTF,SCAN,C-SCAN,LOOK,C-LOOK,S-LOOK,BO-PATH,SATF\n";
constexpr size_t kSatfColumn = kColumnNames.size() - 1;

// (N - 1) x block time, as the 32-bit signed product the rows carry.
int32_t BlockTotal(int32_t served, int32_t block_time) {
  uint32_t product = (static_cast<uint32_t>(served) - 1u) * static_cast<uint32_t>(block_time);
  return static_cast<int32_t>(product);
}

bool IsEmpty(std::FILE* file) {
  std::fseek(file, 0, SEEK_END);
  return std::ftell(file) == 0;
}

void WriteLabelRow(ResultFile& result) {
  if (result.is_open() && IsEmpty(result.file.get())) std::fputs(kLabelRow, result.file.get());
}

// One row: the first-column value, then a field per column; SATF is always 0.
template <class Field>
void WriteRow(ResultFile& result, const RunResults& results, Field field) {
  if (!result.is_open()) return;
  std::FILE* file = result.file.get();
  if (result.first_column) std::fputs(result.first_column->c_str(), file);
  std::fputc(',', file);
  for (size_t column = 0; column < kSatfColumn; ++column) field(file, results[column]);
  std::fputs("0\n", file);
  result.file.reset();
}

}  // namespace

RunResults ComputeResults(const std::vector<Accounts>& accounts, int32_t served, int32_t block_time,
                          bool fcfs_skipped) {
  const int32_t block_total = BlockTotal(served, block_time);
  RunResults results;
  for (ColumnResult& column : results) column.seek_with_blocks = block_total;
  for (size_t i = 0; i < accounts.size() && i < results.size(); ++i) {
    const Accounts& a = accounts[i];
    uint64_t wait_total = (fcfs_skipped && i == kFcfsColumn) ? 0 : a.wait_total;
    ColumnResult& column = results[i];
    column.seek = a.seek_total;
    column.seek_with_blocks = a.seek_total + block_total;
    column.max_wait = a.max_wait;
    // A run without requests has no average: it is reported as 0.
    column.average_wait = served > 0 ? static_cast<double>(wait_total) / served : 0.0;
  }
  return results;
}

void WriteLabelRows(RunConfig& config) {
  if (config.no_labels) return;
  WriteLabelRow(config.wait_file);
  WriteLabelRow(config.seek_file);
  WriteLabelRow(config.max_wait_file);
  WriteLabelRow(config.statistics_file);
}

bool HasResultFiles(const RunConfig& config) {
  return config.wait_file.is_open() || config.seek_file.is_open() || config.max_wait_file.is_open();
}

void WriteDataRows(RunConfig& config, const RunResults& results) {
  WriteRow(config.seek_file, results,
           [](std::FILE* f, const ColumnResult& c) { std::fprintf(f, "%" PRId64 ",", c.seek); });
  WriteRow(config.wait_file, results,
           [](std::FILE* f, const ColumnResult& c) { std::fprintf(f, "%g,", c.average_wait); });
  WriteRow(config.max_wait_file, results, [](std::FILE* f, const ColumnResult& c) {
    std::fprintf(f, "%" PRIu32 ",", c.max_wait);
  });
}

void PrintReport(std::FILE* out, const RunResults& results) {
  for (size_t i = 0; i < kSatfColumn; ++i) {
    const char* name = kColumnNames[i].data();
    const ColumnResult& c = results[i];
    std::fprintf(out, "\n%s total seek = %" PRId64, name, c.seek);
    std::fprintf(out, "\n%s total seek (including block time) = %" PRId64, name,
                 c.seek_with_blocks);
    std::fprintf(out, "\n%s maximum waiting time = %" PRIu32, name, c.max_wait);
    std::fprintf(out, "\n%s average waiting time = %f\n", name, c.average_wait);
  }
  std::fputs("\nYou should #define USE_SATF to get SATF results.\n", out);
}

}  // namespace schedule
