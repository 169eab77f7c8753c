#include "frontend/model/results/percentile_rows.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "frontend/model/common/number_text.h"

namespace trakvist {
namespace {

// The comma-separated fields of one line, its line end left out.
std::vector<std::string_view> Fields(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

std::string RowProblem(std::int64_t line, std::string_view what) {
  return "line " + std::to_string(line) + " " + std::string(what);
}

}  // namespace

bool ReadPercentileRows(std::string_view text, SweepResults* results, std::string* problem) {
  SweepResults read = *results;
  read.EnablePercentiles();
  const std::int64_t expected = static_cast<std::int64_t>(results->RunCount()) *
                                kPercentileMetricCount;
  std::int64_t row = 0;  // data rows read
  std::int64_t line_number = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++line_number;
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.front().empty()) continue;  // a label row
    if (row == expected) {
      *problem = RowProblem(line_number, "is one row more than the runs wrote");
      return false;
    }
    const int statistic = static_cast<int>(row % kPercentileMetricCount);
    if (fields.front() != kPercentileRowNames[statistic] || fields.size() != 1 + kAlgorithmCount) {
      *problem = RowProblem(line_number, "is not the row " +
                                             std::string(kPercentileRowNames[statistic]) +
                                             " with nine values");
      return false;
    }
    const auto run = static_cast<std::int32_t>(row / kPercentileMetricCount + 1);
    const Metric metric = kAllMetrics[kBaseMetricCount + statistic];
    for (int a = 1; a <= kAlgorithmCount; ++a) {
      const std::optional<double> value = FullNumber(fields[a]);
      if (!value) {
        *problem = RowProblem(line_number, "holds a value that is not a number");
        return false;
      }
      read.Set(metric, a, run, *value);
    }
    ++row;
  }
  if (row != expected) {
    *problem = "it holds " + std::to_string(row) + " rows where " + std::to_string(expected) +
               " were expected";
    return false;
  }
  *results = std::move(read);
  return true;
}

}  // namespace trakvist
