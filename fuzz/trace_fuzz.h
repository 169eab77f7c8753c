// What the fuzz targets of the trace readers share: the input is a flags
// byte, then the trace. Converting never crashes; a damaged line is only
// counted; what is converted is a requests file that the engine reads back
// with the count, largest cylinder and time span the report gives.
#ifndef TRAKVIST_FUZZ_TRACE_FUZZ_H_
#define TRAKVIST_FUZZ_TRACE_FUZZ_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>

#include "engine/manual_requests.h"
#include "frontend/model/traces/trace_import.h"
#include "fuzz/fuzz_support.h"

namespace fuzz {

inline constexpr std::int32_t kTraceHeads = 4;
inline constexpr std::int32_t kTraceBlocksPerTrack = 600;

// Flags: bits 0-1 the operations (r, w, rw), bit 2 blkparse's issued
// events, bit 3 4096-byte blocks, bit 4 the device "1", bit 5 a limit of 3.
inline trakvist::TraceImportOptions TraceOptions(std::uint8_t flags) {
  trakvist::TraceImportOptions options;
  const trakvist::TraceOperations operations[] = {
      trakvist::TraceOperations::kReads, trakvist::TraceOperations::kWrites,
      trakvist::TraceOperations::kBoth, trakvist::TraceOperations::kBoth};
  options.operations = operations[flags & 3];
  options.blkparse_event = (flags & 4) != 0 ? 'D' : 'Q';
  if ((flags & 16) != 0) options.device = "1";
  if ((flags & 32) != 0) options.limit = 3;
  return options;
}

inline void CheckEngineReadsTrace(const trakvist::TraceImport& import) {
  const std::string& file = import.requests_file;
  FUZZ_CHECK(file.rfind("1\r\n", 0) == 0 && file.ends_with(" -1\r\n"));
  std::FILE* in = fmemopen(const_cast<char*>(file.data()), file.size(), "r");
  std::FILE* out = std::fopen("/dev/null", "w");
  FUZZ_CHECK(in != nullptr && out != nullptr);
  schedule::ManualList list;
  const auto read = schedule::ReadManualRequests(
      {in, out, false, kTraceHeads, kTraceBlocksPerTrack}, &list);
  std::fclose(in);
  std::fclose(out);
  FUZZ_CHECK(read.ok);
  FUZZ_CHECK(list.request_count == import.report.kept);
  std::int32_t highest = -1;
  std::int64_t span = 0;
  for (std::int32_t entry : list.entries) {
    highest = std::max(highest, entry);
    if (entry < 0) span += -static_cast<std::int64_t>(entry);  // a marker of n is -(n + 1)
  }
  FUZZ_CHECK(highest == import.report.largest_block / (kTraceHeads * kTraceBlocksPerTrack));
  FUZZ_CHECK(span == import.report.span_tu);
}

inline void FuzzTrace(trakvist::TraceFormat format, const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  const std::uint8_t flags = data[0];
  const std::string trace(reinterpret_cast<const char*>(data) + 1, size - 1);
  trakvist::DetectTraceFormat(trace);
  trakvist::DetectTraceFile(trace);
  const trakvist::TraceDisk disk{1E-05, (flags & 8) != 0 ? 4096 : 512, 1000,
                                 kTraceBlocksPerTrack, kTraceHeads};
  std::istringstream in(trace);
  const trakvist::TraceImport import =
      trakvist::ConvertTrace(in, format, disk, TraceOptions(flags));
  const trakvist::TraceReport& report = import.report;
  FUZZ_CHECK(report.damaged_lines >= 0 && report.other_devices >= 0);
  FUZZ_CHECK(report.devices.size() <= trakvist::kMaxListedDevices);
  if (!import.error.empty()) {
    FUZZ_CHECK(import.requests_file.empty());
    return;
  }
  FUZZ_CHECK(report.kept > 0 && report.kept_reads + report.kept_writes <= report.kept);
  FUZZ_CHECK(report.span_tu >= 0 && report.span_tu <= 2147483647);
  FUZZ_CHECK(report.beyond_capacity <= report.kept);
  trakvist::TraceReportLines(report, disk);
  CheckEngineReadsTrace(import);
}

}  // namespace fuzz

#endif  // TRAKVIST_FUZZ_TRACE_FUZZ_H_
