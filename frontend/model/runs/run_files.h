#ifndef TRAKVIST_FRONTEND_MODEL_RUNS_RUN_FILES_H_
#define TRAKVIST_FRONTEND_MODEL_RUNS_RUN_FILES_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/common/file_access.h"
#include "frontend/model/results/sweep_results.h"

namespace trakvist {

// Names of the temporary files of a sweep, all in the program's folder.
inline constexpr std::string_view kAvgWaitTempName = "wsim_tmp$$~1.csv";
inline constexpr std::string_view kSeekTempName = "ssim_tmp$$~1.csv";
inline constexpr std::string_view kMaxWaitTempName = "xwsim_tmp$$~1.csv";
inline constexpr std::string_view kManualRequestsTempName = "man_tmp$$~1.txt";
inline constexpr std::string_view kPercentilesTempName = "qsim_tmp$$~1.csv";

// The full paths of the temporary files one engine writes and reads.
struct TemporaryFiles {
  std::string avg_wait;         // average waiting time results, -w:
  std::string seek;             // total seek time results, -s:
  std::string max_wait;         // maximum waiting time results, -xw:
  std::string manual_requests;  // typed manual requests, -in:
  std::string percentiles{};    // waiting-time statistics, -q:
};

// The five paths in `folder`; a separator is added unless it ends in one.
TemporaryFiles MakeTemporaryFiles(std::string_view folder);

// The result files of engine slot `slot` (1, 2, ...) of a sweep that runs
// several engines at once, in `folder`: each slot's engine writes files of
// its own, named apart from the shared ones. The requests file is the
// shared one: the engines only read it.
TemporaryFiles MakeSlotFiles(std::string_view folder, int slot);

// Deletes the temporary files, ignoring every failure.
void DeleteTemporaryFiles(const TemporaryFiles& files, FileAccess* access);

// Deletes the result files alone (the statistics file among them),
// ignoring every failure; the paths of those still there afterwards.
std::vector<std::string> DeleteResultFiles(const TemporaryFiles& files, FileAccess* access);

// How far one result file has been checked: its path, the bytes and rows
// seen so far.
struct ResultFileTally {
  std::string path;
  std::uint64_t bytes = 0;
  std::int64_t rows = 0;
};

// What a result file gained since its tally was last brought up to date.
struct AppendedRows {
  bool readable = false;     // the file could be opened
  std::uint64_t bytes = 0;   // bytes added
  std::int64_t rows = 0;     // complete lines added
  bool well_formed = false;  // every added line holds ten fields and none is left unfinished
};

// Reads what was appended to the tally's file since the last look and moves
// the tally past it. Only the new bytes are read, so checking after every
// run of a long sweep stays cheap.
AppendedRows TakeAppendedRows(FileAccess* access, ResultFileTally* tally);

// The three result files of an engine, in the order the results reader
// takes them: total seek, average waiting time, maximum waiting time.
std::array<ResultFileTally, 3> ResultFileTallies(const TemporaryFiles& files);

// Reads the results of `run_count` runs back from the three result files.
// Nothing when one of them cannot be opened; `unreadable` then names it.
std::optional<SweepResults> ReadRunResults(FileAccess* access, const TemporaryFiles& files,
                                           std::int32_t run_count, std::string* unreadable);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RUNS_RUN_FILES_H_
