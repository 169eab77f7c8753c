#include "frontend/model/runs/run_rows.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string_view>

#include "frontend/model/results/result_files.h"

namespace trakvist {
namespace {

constexpr std::string_view kLabelRow = ",FCFS,SSTF,SCAN,C-SCAN,LOOK,C-LOOK,S-LOOK,BO-PATH,SATF\n";
constexpr std::string_view kLabelStart = ",FCFS,";
constexpr int kFieldsPerRow = 1 + kAlgorithmCount;

// A line of ten fields, ending in LF or CR LF. The results reader takes a
// carriage return anywhere else for a field's end too, so a row holding one
// would shift every later value: it is not a row of ten fields.
bool HasTenFields(std::string_view line) {
  std::string_view fields = line;
  if (fields.ends_with('\n')) fields.remove_suffix(1);
  if (fields.ends_with('\r')) fields.remove_suffix(1);
  if (fields.find('\r') != std::string_view::npos) return false;
  return std::count(fields.begin(), fields.end(), ',') + 1 == kFieldsPerRow;
}

RunRowsRead Damaged(const std::string& path, std::string_view what) {
  RunRowsRead read;
  read.status = RunRowsStatus::kDamaged;
  read.problem = path + " " + std::string(what);
  return read;
}

// The data row of one file, or what is wrong with the file.
RunRowsRead ReadOneFile(const FileAccess& files, const std::string& path, std::string* row) {
  const FileRead file = files.ReadFile(path);
  if (file.status == FileReadStatus::kMissing) {
    RunRowsRead read;
    read.status = RunRowsStatus::kMissing;
    read.problem = path + " does not exist.";
    return read;
  }
  if (file.status != FileReadStatus::kRead) return Damaged(path, "could not be read.");
  const std::string& text = file.content;
  if (text.empty()) return Damaged(path, "is empty.");
  if (text.back() != '\n') return Damaged(path, "ends in a row cut short.");
  const std::size_t label_end = text.find('\n');
  const std::string_view label(text.data(), label_end + 1);
  if (label.substr(0, kLabelStart.size()) != kLabelStart || !HasTenFields(label)) {
    return Damaged(path, "does not start with the label row.");
  }
  const std::string_view rest = std::string_view(text).substr(label_end + 1);
  if (rest.empty()) return Damaged(path, "holds no results row.");
  if (rest.find('\n') + 1 != rest.size()) return Damaged(path, "holds more than one results row.");
  if (!HasTenFields(rest)) return Damaged(path, "holds a results row without ten fields.");
  *row = std::string(rest);
  RunRowsRead read;
  read.status = RunRowsStatus::kRead;
  return read;
}

}  // namespace

RunRowsRead ReadRunRows(const FileAccess& files, const RunRowPaths& paths) {
  RunRowsRead read;
  read.status = RunRowsStatus::kRead;
  for (std::size_t f = 0; f < paths.size(); ++f) {
    RunRowsRead one = ReadOneFile(files, paths[f], &read.rows[f]);
    if (one.status != RunRowsStatus::kRead) return one;
  }
  return read;
}

SweepResults JoinRunRows(const std::vector<RunRows>& runs) {
  std::array<std::string, 3> texts;
  for (std::size_t f = 0; f < texts.size(); ++f) {
    std::size_t size = kLabelRow.size();
    for (const RunRows& run : runs) size += run[f].size();
    texts[f].reserve(size);
    texts[f] += kLabelRow;
    for (const RunRows& run : runs) texts[f] += run[f];
  }
  std::istringstream seek(std::move(texts[0]));
  std::istringstream avg_wait(std::move(texts[1]));
  std::istringstream max_wait(std::move(texts[2]));
  const std::size_t count =
      std::min<std::size_t>(runs.size(), std::numeric_limits<std::int32_t>::max());
  return ReadResultFiles(seek, avg_wait, max_wait, static_cast<std::int32_t>(count));
}

}  // namespace trakvist
