// The row files of runs whose engines wrote files of their own
// (ReadRunRows, which `--collect` reads): three files cut at NUL bytes, the
// first byte saying which of them is missing or unreadable. A run read as
// whole holds one row of ten fields per file, and joining it gives the
// same results as the sweep reader gives for the same files.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "frontend/model/results/result_files.h"
#include "frontend/model/runs/run_rows.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int flags = data[0];
  std::vector<std::string> parts = fuzz::SplitParts(fuzz::AsText(data + 1, size - 1), '\0');
  parts.resize(3);
  const trakvist::RunRowPaths paths = {"s.csv", "w.csv", "xw.csv"};
  fuzz::MemoryFiles files;
  for (std::size_t f = 0; f < 3; ++f) {
    if ((flags >> f) & 1) continue;  // missing
    files.files[paths[f]] = parts[f];
    if ((flags >> (f + 3)) & 1) files.unreadable[paths[f]] = true;
  }
  const trakvist::RunRowsRead read = trakvist::ReadRunRows(files, paths);
  if (read.status != trakvist::RunRowsStatus::kRead) {
    FUZZ_CHECK(!read.problem.empty());
    return 0;
  }
  for (std::size_t f = 0; f < 3; ++f) {
    const std::string& row = read.rows[f];
    FUZZ_CHECK(!row.empty() && row.back() == '\n');
    FUZZ_CHECK(std::count(row.begin(), row.end(), '\n') == 1);
    FUZZ_CHECK(std::count(row.begin(), row.end(), ',') == 9);
    // The row is the file's last line, after its label row.
    FUZZ_CHECK(parts[f].size() > row.size() &&
               parts[f].compare(parts[f].size() - row.size(), row.size(), row) == 0);
  }
  const trakvist::SweepResults joined = trakvist::JoinRunRows({read.rows, read.rows});
  std::istringstream seek(parts[0]), avg_wait(parts[1]), max_wait(parts[2]);
  const trakvist::SweepResults direct = trakvist::ReadResultFiles(seek, avg_wait, max_wait, 1);
  FUZZ_CHECK(joined.RunCount() == 2);
  for (int a = 1; a <= trakvist::kAlgorithmCount; ++a) {
    for (auto metric : {trakvist::Metric::kTotalSeekTime, trakvist::Metric::kAverageWaitingTime,
                        trakvist::Metric::kMaximumWaitingTime}) {
      const double one = direct.Get(metric, a, 1);
      FUZZ_CHECK(joined.Get(metric, a, 1) == one || one != one);
      FUZZ_CHECK(joined.Get(metric, a, 2) == joined.Get(metric, a, 1) || one != one);
    }
  }
  return 0;
}
