#ifndef TRAKVIST_FRONTEND_MODEL_TRACES_TRACE_IMPORT_H_
#define TRAKVIST_FRONTEND_MODEL_TRACES_TRACE_IMPORT_H_

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "frontend/model/common/file_access.h"
#include "frontend/model/traces/trace_readers.h"

namespace trakvist {

// Which operations a trace import keeps.
enum class TraceOperations { kBoth, kReads, kWrites };
std::optional<TraceOperations> TraceOperationsNamed(std::string_view name);  // r, w, rw

// The disk a trace is imported for: the simulation parameters it needs.
struct TraceDisk {
  double seconds_per_tu = 0;         // "Number of Seconds Per Time Unit"
  std::int32_t bytes_per_block = 512;
  std::int64_t cylinders = 0;        // "Total Number of Cylinders"
  std::int64_t blocks_per_track = 0;
  std::int64_t heads = 0;
};

struct TraceImportOptions {
  std::optional<TraceFormat> format;  // nothing: detected from the content
  TraceOperations operations = TraceOperations::kBoth;
  std::optional<std::string> device;  // nothing: the first one seen
  std::optional<std::int64_t> limit;  // stop after this many kept requests
  char blkparse_event = 'Q';
};

// What an import found and did.
struct TraceReport {
  TraceFormat format = TraceFormat::kPlain;
  // Every device the trace names, in the order first seen (at most
  // kMaxListedDevices), and the one kept; empty for formats without devices.
  std::vector<std::string> devices;
  std::string device;
  std::int64_t kept = 0;
  std::int64_t kept_reads = 0;
  std::int64_t kept_writes = 0;
  // Requests left out, by reason.
  std::int64_t damaged_lines = 0;
  std::int64_t first_damaged_line = 0;  // its line number, 0 when none
  std::int64_t other_operations = 0;    // not among --ops, flushes, discards
  std::int64_t other_devices = 0;
  std::int64_t beyond_block_range = 0;  // block numbers the engine cannot read
  std::int64_t beyond_clock = 0;        // arrivals later than the engine's clock reaches
  bool limit_reached = false;           // reading stopped at the limit
  double span_seconds = 0;              // from the first kept request to the last
  std::int64_t span_tu = 0;
  std::int64_t largest_block = -1;      // -1: no request kept
  std::int64_t capacity_blocks = 0;     // heads x blocks per track x cylinders
  std::int64_t beyond_capacity = 0;     // kept requests at or beyond the capacity
};

inline constexpr std::size_t kMaxListedDevices = 64;

// An import's outcome: `error` says why nothing was converted; otherwise
// `requests_file` is the requests file in LBA mode for the engine's `-in:`.
struct TraceImport {
  std::string error;
  bool read = false;  // the trace was read through: `report` tells what it holds
  TraceReport report;
  std::string requests_file;
};

// Converts the trace read from `in` in `format` (lines ending in LF or CR
// LF). Each kept request's start becomes a block of the disk's block size
// and its arrival the TU round((t - t0) / seconds per TU), t0 being the
// earliest kept arrival; requests are ordered by arrival, lines of equal
// time keeping the trace's order. Memory grows with the requests kept only.
TraceImport ConvertTrace(std::istream& in, TraceFormat format, const TraceDisk& disk,
                         const TraceImportOptions& options);

// The first bytes of a trace, enough for DetectTraceFormat.
inline constexpr std::size_t kTraceHeadBytes = 64 * 1024;

// Opens the trace file `path`, detects its format unless the options name
// one, and converts it.
TraceImport ImportTrace(const FileAccess& files, const std::string& path, const TraceDisk& disk,
                        const TraceImportOptions& options);

// The format of the file `path` when it is a trace rather than a requests
// file (DetectTraceFile on its first bytes); nothing when it is not, or
// cannot be read.
std::optional<TraceFormat> TraceFileFormat(const FileAccess& files, const std::string& path);

// The report as lines for a person: format, devices, requests kept and
// skipped, time span, largest block and the requests beyond the disk.
std::vector<std::string> TraceReportLines(const TraceReport& report, const TraceDisk& disk);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_TRACES_TRACE_IMPORT_H_
