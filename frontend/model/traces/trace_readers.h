#ifndef TRAKVIST_FRONTEND_MODEL_TRACES_TRACE_READERS_H_
#define TRAKVIST_FRONTEND_MODEL_TRACES_TRACE_READERS_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace trakvist {

// The block trace formats the importer reads.
enum class TraceFormat {
  kBlkparse,  // the default text output of Linux's blkparse
  kMsr,       // the CSV of the enterprise data centre block I/O traces
  kSpc,       // the SPC ASCII trace format
  kPlain,     // "seconds block" per line, "#" comments
};

inline constexpr TraceFormat kTraceFormats[] = {TraceFormat::kBlkparse, TraceFormat::kMsr,
                                                TraceFormat::kSpc, TraceFormat::kPlain};

// The format's name as `--format` takes it: "blkparse", "msr", "spc", "plain".
std::string_view TraceFormatName(TraceFormat format);
std::optional<TraceFormat> TraceFormatNamed(std::string_view name);

enum class TraceOperation {
  kRead,
  kWrite,
  kOther,  // neither: a flush or a discard
  kNone,   // the format has no operations
};

// One request of a trace, as its line gives it.
struct TraceRecord {
  // The arrival in seconds from the reader's own origin (a fixed time, the
  // same for every line of one trace).
  double seconds = 0;
  // Where the request starts: `position` units of `unit_bytes` bytes; a
  // unit of 0 means blocks of the disk's own block size.
  std::uint64_t position = 0;
  std::uint32_t unit_bytes = 0;
  std::string device;  // empty when the format names none
  TraceOperation operation = TraceOperation::kNone;
};

enum class LineKind {
  kRequest,  // `record` holds the line's request
  kOther,    // a comment, a header, a blank line or an event that is no arrival
  kDamaged,  // the line looks like the format's but cannot be read
};

// Reads one trace format line by line.
class TraceLineReader {
 public:
  virtual ~TraceLineReader() = default;
  // `line` comes without its line end.
  virtual LineKind Read(std::string_view line, TraceRecord* record) = 0;
};

// The reader of `format`. `blkparse_event` is the blkparse action taken as
// the arrival ('Q' queued, 'D' issued); the other formats ignore it.
std::unique_ptr<TraceLineReader> MakeTraceReader(TraceFormat format, char blkparse_event = 'Q');

// The format of a trace whose first lines are `head`: the first line that
// one of the readers takes as a request decides, in the order of
// kTraceFormats. Nothing when no line of `head` is a request of any format.
std::optional<TraceFormat> DetectTraceFormat(std::string_view head);

// DetectTraceFormat for a file that may as well be a requests file: nothing
// also when the first line is blank or not a line of the detected format,
// as a requests file's configuration line ("1", or empty) is not.
std::optional<TraceFormat> DetectTraceFile(std::string_view head);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_TRACES_TRACE_READERS_H_
