#include "frontend/model/results/tidy_export.h"

#include <charconv>
#include <span>
#include <sstream>
#include <string>

#include "frontend/model/runs/sweep.h"

namespace trakvist {
namespace {

// Algorithms the engine simulates: FCFS to S-LOOK.
constexpr int kLastSimulated = 7;

constexpr std::array<std::string_view, kMetricCount> kMetricColumns = {
    "total_seek_tu", "avg_wait_tu",    "max_wait_tu",    "p50_wait_tu",
    "p90_wait_tu",   "p95_wait_tu",    "p99_wait_tu",    "sd_wait_tu"};

constexpr std::string_view kRowEnd = "\r\n";

// The shortest text that reads back as `value`.
void AppendNumber(double value, std::string* row) {
  char buffer[32];
  const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof(buffer), value);
  row->append(buffer, written.ptr);
}

std::string HeaderRow(std::span<const Metric> metrics) {
  std::string row = "run";
  for (std::string_view name : kTidyParameterNames) row += "," + std::string(name);
  row += ",direction,replication,seed,algorithm";
  for (Metric metric : metrics) row += "," + std::string(kMetricColumns[static_cast<int>(metric)]);
  return row + std::string(kRowEnd);
}

}  // namespace

TidyExportSettings TidyExportSettingsOf(const ParametersPanel& panel) {
  return {panel.ofcfs, panel.head_down, panel.rtimer};
}

bool WriteTidyCsv(const ResultsStore& store, const TidyExportSettings& settings,
                  std::ostream& out) {
  const SweepResults& means = store.Results();
  const Replications& replications = store.ResultReplications();
  const int count = replications.Replicated() ? replications.plan.count : 1;
  const SweepResults& values = replications.Replicated() ? replications.runs : means;
  const std::span<const Metric> metrics(kAllMetrics.data(),
                                        means.HasPercentiles() ? kMetricCount : kBaseMetricCount);
  out << HeaderRow(metrics);
  const bool seed_known = replications.Replicated() || !settings.randomize_by_timer;
  std::string row;
  for (SweepCursor cursor(store.ResultRanges()); !cursor.Done() && out; cursor.Next()) {
    if (cursor.Run() > means.RunCount()) break;
    for (int k = 0; k < count; ++k) {
      const auto run = static_cast<std::int32_t>(EngineRunOf(cursor.Run(), k, count));
      for (int a = settings.fcfs_disabled ? 2 : 1; a <= kLastSimulated; ++a) {
        row = std::to_string(cursor.Run());
        for (double value : cursor.Values()) {
          row += ',';
          AppendNumber(value, &row);
        }
        row += settings.head_down ? ",down," : ",up,";
        row += std::to_string(k + 1) + ",";
        if (seed_known) {
          AppendNumber(ReplicationSeed(replications.plan, cursor.Values()[kSeedParameter], k),
                       &row);
        }
        row += ",";
        row += ResultsStore::AlgorithmNames(a);
        for (Metric metric : metrics) {
          row += ',';
          AppendNumber(values.Get(metric, a, run), &row);
        }
        row += kRowEnd;
        out << row;
      }
    }
  }
  return static_cast<bool>(out.flush());
}

std::string ExportTidyCsv(const ResultsStore& store, const TidyExportSettings& settings,
                          FileAccess* files, const std::string& path) {
  std::ostringstream text;
  if (!WriteTidyCsv(store, settings, text) || !files->ReplaceFile(path, text.str())) {
    return std::string(kCanNotExportMessage);
  }
  return {};
}

}  // namespace trakvist
