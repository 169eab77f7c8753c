// The CSV result files the engines append to: the reader of a completed
// sweep (ReadResultFiles) and the check after every run (TakeAppendedRows).
// Input: a run count byte, then the three files cut at NUL bytes.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>

#include "frontend/model/results/result_files.h"
#include "frontend/model/runs/run_files.h"
#include "fuzz/fuzz_support.h"

namespace {

using trakvist::kAlgorithmCount;
using trakvist::Metric;
using trakvist::SweepResults;

constexpr Metric kMetrics[] = {Metric::kTotalSeekTime, Metric::kAverageWaitingTime,
                               Metric::kMaximumWaitingTime};

SweepResults Read(const std::vector<std::string>& files, std::int32_t run_count) {
  std::istringstream seek(files[0]), avg_wait(files[1]), max_wait(files[2]);
  return trakvist::ReadResultFiles(seek, avg_wait, max_wait, run_count);
}

// The results written back as the engine writes its rows, each value in
// full precision.
std::vector<std::string> Written(const SweepResults& results) {
  std::vector<std::string> files(3, ",FCFS,SSTF,SCAN,C-SCAN,LOOK,C-LOOK,S-LOOK,BO-PATH,SATF\n");
  char number[40];
  for (std::int32_t run = 1; run <= results.RunCount(); ++run) {
    for (int f = 0; f < 3; ++f) {
      files[f] += "0";
      for (int a = 1; a <= kAlgorithmCount; ++a) {
        std::snprintf(number, sizeof(number), ",%.17g", results.Get(kMetrics[f], a, run));
        files[f] += number;
      }
      files[f] += "\n";
    }
  }
  return files;
}

bool AllFinite(const SweepResults& results) {
  for (std::int32_t run = 1; run <= results.RunCount(); ++run) {
    for (Metric metric : kMetrics) {
      for (int a = 1; a <= kAlgorithmCount; ++a) {
        if (!std::isfinite(results.Get(metric, a, run))) return false;
      }
    }
  }
  return true;
}

bool Equal(const SweepResults& a, const SweepResults& b, std::int32_t runs) {
  for (std::int32_t run = 1; run <= runs; ++run) {
    for (Metric metric : kMetrics) {
      for (int algorithm = 1; algorithm <= kAlgorithmCount; ++algorithm) {
        const double x = a.Get(metric, algorithm, run);
        const double y = b.Get(metric, algorithm, run);
        if (!(x == y || (std::isnan(x) && std::isnan(y)))) return false;
      }
    }
  }
  return true;
}

void CheckReader(const std::vector<std::string>& files, std::int32_t run_count) {
  const SweepResults results = Read(files, run_count);
  FUZZ_CHECK(results.RunCount() == std::max(run_count, 0));
  // More runs asked for never change the earlier ones.
  const SweepResults more = Read(files, run_count + 3);
  FUZZ_CHECK(Equal(results, more, run_count));
  if (AllFinite(results)) FUZZ_CHECK(Equal(Read(Written(results), run_count), results, run_count));
}

// The file grows by the pieces of `text` cut at line feeds of the input
// and at every 'X'; after each growth the tally must have seen every byte.
void CheckTally(const std::string& text) {
  fuzz::MemoryFiles files;
  trakvist::ResultFileTally tally{"w.csv"};
  std::string content;
  std::int64_t rows = 0;
  for (const std::string& piece : fuzz::SplitParts(text, 'X')) {
    content += piece;
    files.files["w.csv"] = content;
    const trakvist::AppendedRows added = trakvist::TakeAppendedRows(&files, &tally);
    FUZZ_CHECK(added.readable);
    FUZZ_CHECK(added.bytes == piece.size());
    rows += added.rows;
    FUZZ_CHECK(added.rows == std::count(piece.begin(), piece.end(), '\n'));
    if (!piece.empty() && piece.back() != '\n') FUZZ_CHECK(!added.well_formed);
  }
  FUZZ_CHECK(tally.bytes == content.size());
  FUZZ_CHECK(tally.rows == rows);
  files.files.erase("w.csv");
  FUZZ_CHECK(!trakvist::TakeAppendedRows(&files, &tally).readable);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::int32_t run_count = static_cast<std::int8_t>(data[0]);
  std::vector<std::string> files = fuzz::SplitParts(fuzz::AsText(data + 1, size - 1), '\0');
  files.resize(3);
  CheckReader(files, run_count);
  CheckTally(files[0]);
  return 0;
}
