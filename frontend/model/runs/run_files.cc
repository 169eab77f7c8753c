#include "frontend/model/runs/run_files.h"

#include <istream>
#include <memory>

#include "frontend/model/common/utilities.h"
#include "frontend/model/results/result_files.h"

namespace trakvist {
namespace {

// Fields of every row of a result file: the first column and nine
// algorithms.
constexpr int kFieldsPerRow = 1 + kAlgorithmCount;

// Counts the lines of appended text and checks each one's fields.
class RowCounter {
 public:
  void Add(char c) {
    if (c == '\n') {
      ++rows_;
      if (commas_ + 1 != kFieldsPerRow) well_formed_ = false;
      commas_ = 0;
      in_line_ = false;
      carriage_return_ = false;
      return;
    }
    // The results reader ends a field at a carriage return as well: one
    // that is not part of a line's CR LF end shifts every later value.
    if (carriage_return_) well_formed_ = false;
    carriage_return_ = c == '\r';
    in_line_ = true;
    if (c == ',') ++commas_;
  }

  std::int64_t rows() const { return rows_; }
  // A line still open at the end is a row cut short.
  bool well_formed() const { return well_formed_ && !in_line_; }

 private:
  std::int64_t rows_ = 0;
  int commas_ = 0;
  bool in_line_ = false;
  bool carriage_return_ = false;  // the last character was a carriage return
  bool well_formed_ = true;
};

}  // namespace

TemporaryFiles MakeTemporaryFiles(std::string_view folder) {
  const std::string base = MakeAppFolder(folder);
  return {base + std::string(kAvgWaitTempName), base + std::string(kSeekTempName),
          base + std::string(kMaxWaitTempName), base + std::string(kManualRequestsTempName),
          base + std::string(kPercentilesTempName)};
}

TemporaryFiles MakeSlotFiles(std::string_view folder, int slot) {
  TemporaryFiles files = MakeTemporaryFiles(folder);
  const std::string suffix = ".slot" + std::to_string(slot) + ".csv";
  for (std::string* path : {&files.avg_wait, &files.seek, &files.max_wait, &files.percentiles}) {
    path->replace(path->size() - std::string_view(".csv").size(), std::string::npos, suffix);
  }
  return files;
}

void DeleteTemporaryFiles(const TemporaryFiles& files, FileAccess* access) {
  DeleteResultFiles(files, access);
  access->Remove(files.manual_requests);
}

std::vector<std::string> DeleteResultFiles(const TemporaryFiles& files, FileAccess* access) {
  std::vector<std::string> left;
  for (const std::string* path : {&files.avg_wait, &files.seek, &files.max_wait, &files.percentiles}) {
    if (path->empty()) continue;
    access->Remove(*path);
    if (access->ReadFile(*path).status != FileReadStatus::kMissing) left.push_back(*path);
  }
  return left;
}

AppendedRows TakeAppendedRows(FileAccess* access, ResultFileTally* tally) {
  AppendedRows appended;
  std::unique_ptr<std::istream> in = access->OpenForReading(tally->path);
  if (!in) return appended;
  appended.readable = true;
  in->seekg(static_cast<std::streamoff>(tally->bytes));
  RowCounter counter;
  if (*in) {
    char buffer[4096];
    while (in->read(buffer, sizeof(buffer)) || in->gcount() > 0) {
      const std::streamsize got = in->gcount();
      for (std::streamsize i = 0; i < got; ++i) counter.Add(buffer[i]);
      appended.bytes += static_cast<std::uint64_t>(got);
    }
  }
  appended.rows = counter.rows();
  appended.well_formed = counter.well_formed();
  tally->bytes += appended.bytes;
  tally->rows += appended.rows;
  return appended;
}

std::array<ResultFileTally, 3> ResultFileTallies(const TemporaryFiles& files) {
  return {ResultFileTally{files.seek}, ResultFileTally{files.avg_wait},
          ResultFileTally{files.max_wait}};
}

std::optional<SweepResults> ReadRunResults(FileAccess* access, const TemporaryFiles& files,
                                           std::int32_t run_count, std::string* unreadable) {
  std::array<std::unique_ptr<std::istream>, 3> streams;
  const std::array<const std::string*, 3> paths = {&files.seek, &files.avg_wait, &files.max_wait};
  for (std::size_t f = 0; f < paths.size(); ++f) {
    streams[f] = access->OpenForReading(*paths[f]);
    if (!streams[f]) {
      *unreadable = *paths[f];
      return std::nullopt;
    }
  }
  return ReadResultFiles(*streams[0], *streams[1], *streams[2], run_count);
}

}  // namespace trakvist
