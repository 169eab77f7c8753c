#include "frontend/model/traces/trace_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "frontend/model/common/number_text.h"
#include "frontend/model/requests/manual_scan.h"

namespace trakvist {
namespace {

constexpr std::int32_t kDefaultBlockBytes = 512;
// The engine reads request numbers and time markers as 32-bit signed numbers.
constexpr std::int64_t kEngineLargest = std::numeric_limits<std::int32_t>::max();
constexpr std::string_view kLbaConfigurationLine = "1";

struct Arrival {
  double seconds;
  std::int32_t block;
  TraceOperation operation;
};

// A request's first block on the disk; nothing when the engine cannot take it.
std::optional<std::int32_t> BlockOf(const TraceRecord& record, std::int32_t block_bytes) {
  std::uint64_t block = record.position;
  if (record.unit_bytes != 0) {
    if (record.position > std::numeric_limits<std::uint64_t>::max() / record.unit_bytes) {
      return std::nullopt;
    }
    block = record.position * record.unit_bytes / static_cast<std::uint64_t>(block_bytes);
  }
  if (block > static_cast<std::uint64_t>(kEngineLargest)) return std::nullopt;
  return static_cast<std::int32_t>(block);
}

bool WantedOperation(TraceOperation operation, TraceOperations wanted) {
  switch (operation) {
    case TraceOperation::kRead:
      return wanted != TraceOperations::kWrites;
    case TraceOperation::kWrite:
      return wanted != TraceOperations::kReads;
    case TraceOperation::kOther:
      return false;
    case TraceOperation::kNone:
      return true;
  }
  return false;
}

std::int64_t Capacity(const TraceDisk& disk) {
  std::int64_t blocks = 0;
  if (disk.heads <= 0 || disk.blocks_per_track <= 0 || disk.cylinders <= 0) return 0;
  if (__builtin_mul_overflow(disk.heads, disk.blocks_per_track, &blocks) ||
      __builtin_mul_overflow(blocks, disk.cylinders, &blocks)) {
    return std::numeric_limits<std::int64_t>::max();
  }
  return blocks;
}

void AppendNumber(std::string* text, std::int64_t number) {
  char digits[24];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
  text->append(digits, end);
}

// Reads every line, keeping the wanted requests in trace order.
class TraceCollector {
 public:
  TraceCollector(const TraceDisk& disk, const TraceImportOptions& options, TraceReport* report)
      : options_(options),
        block_bytes_(disk.bytes_per_block > 0 ? disk.bytes_per_block : kDefaultBlockBytes),
        report_(report) {
    if (options.device) report->device = *options.device;
  }

  // False once the limit is reached.
  bool Take(const TraceRecord& record) {
    if (!KeptDevice(record.device)) {
      ++report_->other_devices;
    } else if (!WantedOperation(record.operation, options_.operations)) {
      ++report_->other_operations;
    } else if (const std::optional<std::int32_t> block = BlockOf(record, block_bytes_); !block) {
      ++report_->beyond_block_range;
    } else {
      arrivals_.push_back({record.seconds, *block, record.operation});
      if (options_.limit && static_cast<std::int64_t>(arrivals_.size()) >= *options_.limit) {
        report_->limit_reached = true;
        return false;
      }
    }
    return true;
  }

  std::vector<Arrival> TakeArrivals() { return std::move(arrivals_); }

 private:
  bool KeptDevice(const std::string& device) {
    if (device.empty()) return true;
    std::vector<std::string>& devices = report_->devices;
    if (devices.size() < kMaxListedDevices &&
        std::find(devices.begin(), devices.end(), device) == devices.end()) {
      devices.push_back(device);
    }
    if (report_->device.empty()) report_->device = device;
    return device == report_->device;
  }

  const TraceImportOptions& options_;
  std::int32_t block_bytes_;
  TraceReport* report_;
  std::vector<Arrival> arrivals_;
};

// Orders the arrivals, drops those beyond the engine's clock and writes the
// requests text: one line per TU with requests, each after the marker that
// puts it that many TUs after the previous one.
std::string RequestsText(std::vector<Arrival>* arrivals, const TraceDisk& disk,
                         TraceReport* report) {
  std::stable_sort(arrivals->begin(), arrivals->end(),
                   [](const Arrival& a, const Arrival& b) { return a.seconds < b.seconds; });
  const double t0 = arrivals->front().seconds;
  report->capacity_blocks = Capacity(disk);
  std::string text;
  text.reserve(arrivals->size() * 9);
  std::int64_t previous_tu = 0;
  for (const Arrival& arrival : *arrivals) {
    const double tu = std::round((arrival.seconds - t0) / disk.seconds_per_tu);
    if (!(tu <= static_cast<double>(kEngineLargest))) {
      report->beyond_clock = static_cast<std::int64_t>(arrivals->size()) - report->kept;
      break;
    }
    const auto whole_tu = static_cast<std::int64_t>(tu);
    if (report->kept > 0 && whole_tu == previous_tu) {
      text += ' ';
    } else if (report->kept > 0) {
      text += "\r\nt";
      AppendNumber(&text, whole_tu - previous_tu - 1);
      text += ' ';
    }
    AppendNumber(&text, arrival.block);
    previous_tu = whole_tu;
    ++report->kept;
    report->kept_reads += arrival.operation == TraceOperation::kRead;
    report->kept_writes += arrival.operation == TraceOperation::kWrite;
    report->largest_block = std::max<std::int64_t>(report->largest_block, arrival.block);
    report->beyond_capacity += report->capacity_blocks > 0 && arrival.block >= report->capacity_blocks;
    report->span_seconds = arrival.seconds - t0;
  }
  report->span_tu = previous_tu;
  return text;
}

std::string Plural(std::int64_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string SkippedText(const TraceReport& report) {
  std::vector<std::string> parts;
  if (report.damaged_lines > 0) {
    parts.push_back(Plural(report.damaged_lines, "damaged line", "damaged lines") +
                    " (the first is line " + std::to_string(report.first_damaged_line) + ")");
  }
  if (report.other_operations > 0) {
    parts.push_back(std::to_string(report.other_operations) + " of other operations");
  }
  if (report.other_devices > 0) {
    parts.push_back(std::to_string(report.other_devices) + " on other devices");
  }
  if (report.beyond_block_range > 0) {
    parts.push_back(std::to_string(report.beyond_block_range) +
                    " at blocks beyond 2147483647, the engine's largest");
  }
  if (report.beyond_clock > 0) {
    parts.push_back(std::to_string(report.beyond_clock) +
                    " later than 2147483647 TU, the engine's longest time");
  }
  if (parts.empty()) return "Skipped: none";
  std::string text = "Skipped: " + parts[0];
  for (std::size_t i = 1; i < parts.size(); ++i) text += ", " + parts[i];
  return text;
}

std::string DevicesText(const TraceReport& report) {
  std::string text = "Devices: ";
  for (std::size_t i = 0; i < report.devices.size(); ++i) {
    if (i > 0) text += ", ";
    text += report.devices[i];
    if (report.devices[i] == report.device) text += " (kept)";
  }
  if (report.devices.size() >= kMaxListedDevices) text += ", ...";
  if (std::find(report.devices.begin(), report.devices.end(), report.device) ==
      report.devices.end()) {
    text += report.devices.empty() ? "none named " + report.device : "; none is " + report.device;
  }
  return text;
}

std::string BeyondDiskText(const TraceReport& report, const TraceDisk& disk) {
  if (report.capacity_blocks <= 0) {
    return "The disk has no blocks: Blocks Per Track, Number of Heads and Total Number of "
           "Cylinders must be greater than 0.";
  }
  const std::string geometry = std::to_string(disk.heads) + " heads x " +
                               std::to_string(disk.blocks_per_track) + " blocks per track x " +
                               std::to_string(disk.cylinders) + " cylinders";
  if (report.beyond_capacity == 0) {
    return "Every request lies within the disk's " + std::to_string(report.capacity_blocks) +
           " blocks (" + geometry + ").";
  }
  const std::int64_t needed = report.largest_block / (disk.heads * disk.blocks_per_track) + 1;
  return Plural(report.beyond_capacity, "request lies", "requests lie") +
         " beyond the disk's " + std::to_string(report.capacity_blocks) + " blocks (" + geometry +
         "): the engine cuts them to its last cylinder. A Total Number of Cylinders of " +
         std::to_string(needed) + " holds them all.";
}

}  // namespace

std::optional<TraceOperations> TraceOperationsNamed(std::string_view name) {
  if (name == "rw" || name == "wr") return TraceOperations::kBoth;
  if (name == "r") return TraceOperations::kReads;
  if (name == "w") return TraceOperations::kWrites;
  return std::nullopt;
}

TraceImport ConvertTrace(std::istream& in, TraceFormat format, const TraceDisk& disk,
                         const TraceImportOptions& options) {
  TraceImport result;
  TraceReport& report = result.report;
  report.format = format;
  if (!(disk.seconds_per_tu > 0) || !std::isfinite(disk.seconds_per_tu)) {
    result.error = "Number of Seconds Per Time Unit must be greater than 0 to turn trace times "
                   "into TU.";
    return result;
  }
  const std::unique_ptr<TraceLineReader> reader = MakeTraceReader(format, options.blkparse_event);
  TraceCollector collector(disk, options, &report);
  std::string line;
  TraceRecord record;
  for (std::int64_t number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const LineKind kind = reader->Read(line, &record);
    if (kind == LineKind::kDamaged) {
      if (report.damaged_lines++ == 0) report.first_damaged_line = number;
    } else if (kind == LineKind::kRequest && !collector.Take(record)) {
      break;
    }
  }
  if (in.bad()) {
    result.error = "The trace could not be read to its end.";
    return result;
  }
  result.read = true;
  std::vector<Arrival> arrivals = collector.TakeArrivals();
  if (arrivals.empty()) {
    result.error = "The trace holds no request to keep.";
    return result;
  }
  const std::string text = RequestsText(&arrivals, disk, &report);
  result.requests_file = RequestsFileContents(kLbaConfigurationLine, text);
  return result;
}

namespace {

std::string Head(std::istream& in) {
  std::string head(kTraceHeadBytes, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  return head;
}

}  // namespace

std::optional<TraceFormat> TraceFileFormat(const FileAccess& files, const std::string& path) {
  const std::unique_ptr<std::istream> in = files.OpenForReading(path);
  if (!in) return std::nullopt;
  return DetectTraceFile(Head(*in));
}

TraceImport ImportTrace(const FileAccess& files, const std::string& path, const TraceDisk& disk,
                        const TraceImportOptions& options) {
  const std::unique_ptr<std::istream> in = files.OpenForReading(path);
  if (!in) return {"Can not open the trace file " + path + ".", false, {}, {}};
  std::optional<TraceFormat> format = options.format;
  if (!format) {
    format = DetectTraceFormat(Head(*in));
    if (!format) {
      return {"The file is not a trace in any of the formats blkparse, msr, spc or plain.", false,
              {}, {}};
    }
    in->clear();
    in->seekg(0);
  }
  return ConvertTrace(*in, *format, disk, options);
}

std::vector<std::string> TraceReportLines(const TraceReport& report, const TraceDisk& disk) {
  std::vector<std::string> lines;
  lines.push_back("Format: " + std::string(TraceFormatName(report.format)));
  if (!report.devices.empty() || !report.device.empty()) lines.push_back(DevicesText(report));
  std::string kept = "Requests kept: " + std::to_string(report.kept);
  if (report.format != TraceFormat::kPlain) {
    kept += " (" + Plural(report.kept_reads, "read", "reads") + ", " +
            Plural(report.kept_writes, "write", "writes") + ")";
  }
  if (report.limit_reached) kept += ", reading stopped at the limit";
  lines.push_back(kept);
  lines.push_back(SkippedText(report));
  if (report.kept == 0) return lines;
  lines.push_back("Time span: " + NumberText(report.span_seconds) + " s = " +
                  std::to_string(report.span_tu) + " TU at " + NumberText(disk.seconds_per_tu) +
                  " s per TU");
  lines.push_back("Largest block: " + std::to_string(report.largest_block));
  lines.push_back(BeyondDiskText(report, disk));
  return lines;
}

}  // namespace trakvist
