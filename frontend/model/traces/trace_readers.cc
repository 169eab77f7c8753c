#include "frontend/model/traces/trace_readers.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

namespace trakvist {
namespace {

constexpr std::uint32_t kSectorBytes = 512;
constexpr double kWindowsTicksPerSecond = 1e7;  // file time: 100 ns units

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t comma = line.find(',');
    fields.push_back(Trim(line.substr(0, comma)));
    if (comma == std::string_view::npos) return fields;
    line.remove_prefix(comma + 1);
  }
}

template <typename Number>
std::optional<Number> Parse(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if constexpr (std::is_floating_point_v<Number>) {
    if (!std::isfinite(value)) return std::nullopt;
  }
  return value;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// "8,0": a device's major and minor numbers.
bool IsDeviceNumbers(std::string_view word) {
  const std::size_t comma = word.find(',');
  return comma != std::string_view::npos && Parse<std::uint32_t>(word.substr(0, comma)) &&
         Parse<std::uint32_t>(word.substr(comma + 1));
}

// "maj,min cpu seq seconds pid action RWBS sector + count [process]".
class BlkparseReader final : public TraceLineReader {
 public:
  explicit BlkparseReader(char event) : event_(event) {}

  LineKind Read(std::string_view line, TraceRecord* record) override {
    const std::vector<std::string_view> words = Words(line);
    // Summaries and other text between the events are no events.
    if (words.empty() || !IsDeviceNumbers(words[0])) return LineKind::kOther;
    if (words.size() < 7) return LineKind::kDamaged;
    // Other actions, some of two letters ("UT"), are no arrivals.
    if (words[5].size() != 1 || words[5][0] != event_) return LineKind::kOther;
    const std::optional<double> seconds = Parse<double>(words[3]);
    if (!seconds || *seconds < 0) return LineKind::kDamaged;
    record->seconds = *seconds;
    record->device = std::string(words[0]);
    record->unit_bytes = kSectorBytes;
    record->position = 0;
    const std::string_view rwbs = words[6];
    record->operation = rwbs.find('W') != std::string_view::npos   ? TraceOperation::kWrite
                        : rwbs.find('R') != std::string_view::npos ? TraceOperation::kRead
                                                                   : TraceOperation::kOther;
    // A flush or a discard; a flush without a sector moves no data either.
    if (record->operation == TraceOperation::kOther || words.size() < 8 || words[7][0] == '[') {
      record->operation = TraceOperation::kOther;
      return LineKind::kRequest;
    }
    const std::optional<std::uint64_t> sector = Parse<std::uint64_t>(words[7]);
    if (!sector) return LineKind::kDamaged;
    record->position = *sector;
    return LineKind::kRequest;
  }

 private:
  char event_;
};

// "Timestamp,Hostname,DiskNumber,Type,Offset,Size,ResponseTime".
class MsrReader final : public TraceLineReader {
 public:
  LineKind Read(std::string_view line, TraceRecord* record) override {
    line = Trim(line);
    if (line.empty()) return LineKind::kOther;
    const std::vector<std::string_view> fields = Fields(line);
    if (Lower(fields[0]) == "timestamp") return LineKind::kOther;  // the header
    if (fields.size() != 7) return LineKind::kDamaged;
    const std::optional<std::uint64_t> ticks = Parse<std::uint64_t>(fields[0]);
    const std::optional<std::uint64_t> offset = Parse<std::uint64_t>(fields[4]);
    const std::string type = Lower(fields[3]);
    if (!ticks || !offset || fields[1].empty() || !Parse<std::uint32_t>(fields[2]) ||
        (type != "read" && type != "write")) {
      return LineKind::kDamaged;
    }
    // Timestamps are near 2^57: they are taken from the first one, so that
    // the seconds keep every tick.
    if (!origin_) origin_ = *ticks;
    const double ticks_from_origin =
        *ticks >= *origin_ ? static_cast<double>(*ticks - *origin_)
                           : -static_cast<double>(*origin_ - *ticks);
    record->seconds = ticks_from_origin / kWindowsTicksPerSecond;
    record->position = *offset;
    record->unit_bytes = 1;
    record->device = std::string(fields[1]) + "_" + std::string(fields[2]);
    record->operation = type == "read" ? TraceOperation::kRead : TraceOperation::kWrite;
    return LineKind::kRequest;
  }

 private:
  std::optional<std::uint64_t> origin_;
};

// "ASU,LBA,Size,Opcode,Timestamp[,more]".
class SpcReader final : public TraceLineReader {
 public:
  LineKind Read(std::string_view line, TraceRecord* record) override {
    line = Trim(line);
    if (line.empty()) return LineKind::kOther;
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() < 5) return LineKind::kDamaged;
    const std::optional<std::uint64_t> lba = Parse<std::uint64_t>(fields[1]);
    const std::optional<double> seconds = Parse<double>(fields[4]);
    const std::string opcode = Lower(fields[3]);
    if (!Parse<std::uint32_t>(fields[0]) || !lba || !Parse<std::uint64_t>(fields[2]) ||
        !seconds || *seconds < 0 || (opcode != "r" && opcode != "w")) {
      return LineKind::kDamaged;
    }
    record->seconds = *seconds;
    record->position = *lba;
    record->unit_bytes = kSectorBytes;
    record->device = std::string(fields[0]);
    record->operation = opcode == "r" ? TraceOperation::kRead : TraceOperation::kWrite;
    return LineKind::kRequest;
  }
};

// "seconds block", "#" starting a comment.
class PlainReader final : public TraceLineReader {
 public:
  LineKind Read(std::string_view line, TraceRecord* record) override {
    line = line.substr(0, line.find('#'));
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) return LineKind::kOther;
    if (words.size() != 2) return LineKind::kDamaged;
    const std::optional<double> seconds = Parse<double>(words[0]);
    const std::optional<std::uint64_t> block = Parse<std::uint64_t>(words[1]);
    if (!seconds || !block) return LineKind::kDamaged;
    record->seconds = *seconds;
    record->position = *block;
    record->unit_bytes = 0;
    record->device.clear();
    record->operation = TraceOperation::kNone;
    return LineKind::kRequest;
  }
};

}  // namespace

std::string_view TraceFormatName(TraceFormat format) {
  switch (format) {
    case TraceFormat::kBlkparse:
      return "blkparse";
    case TraceFormat::kMsr:
      return "msr";
    case TraceFormat::kSpc:
      return "spc";
    case TraceFormat::kPlain:
      return "plain";
  }
  return "";
}

std::optional<TraceFormat> TraceFormatNamed(std::string_view name) {
  const std::string wanted = Lower(name);
  for (TraceFormat format : kTraceFormats) {
    if (TraceFormatName(format) == wanted) return format;
  }
  return std::nullopt;
}

std::unique_ptr<TraceLineReader> MakeTraceReader(TraceFormat format, char blkparse_event) {
  switch (format) {
    case TraceFormat::kBlkparse:
      return std::make_unique<BlkparseReader>(blkparse_event);
    case TraceFormat::kMsr:
      return std::make_unique<MsrReader>();
    case TraceFormat::kSpc:
      return std::make_unique<SpcReader>();
    case TraceFormat::kPlain:
      return std::make_unique<PlainReader>();
  }
  return nullptr;
}

std::optional<TraceFormat> DetectTraceFormat(std::string_view head) {
  while (!head.empty()) {
    const std::size_t end = std::min(head.find('\n'), head.size());
    const std::string_view line = head.substr(0, end);
    head.remove_prefix(std::min(end + 1, head.size()));
    for (TraceFormat format : kTraceFormats) {
      TraceRecord record;
      // Any blkparse action counts here: a trace may start with other events.
      const char event = Words(line).size() > 5 ? Words(line)[5][0] : 'Q';
      if (MakeTraceReader(format, event)->Read(line, &record) == LineKind::kRequest) {
        return format;
      }
    }
  }
  return std::nullopt;
}

std::optional<TraceFormat> DetectTraceFile(std::string_view head) {
  const std::optional<TraceFormat> format = DetectTraceFormat(head);
  const std::string_view first_line = head.substr(0, head.find('\n'));
  if (!format || Trim(first_line).empty()) return std::nullopt;
  TraceRecord record;
  if (MakeTraceReader(*format, 'Q')->Read(first_line, &record) == LineKind::kDamaged) {
    return std::nullopt;
  }
  return format;
}

}  // namespace trakvist
