#include "engine/path_log.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "engine/scheduler_table.h"

namespace schedule {

namespace {

constexpr char kHeader[] = "algorithm,tu,cylinder,event,request,arrival\n";
// Rows kept in memory before they go to the temporary file.
constexpr size_t kBufferBytes = size_t{1} << 20;

constexpr std::string_view kEventNames[] = {"start", "move", "arrive", "turn", "serve", "end"};

// Appends the decimal digits of v.
template <class T>
void AppendNumber(std::string& text, T v) {
  char digits[24];
  auto [end, error] = std::to_chars(digits, digits + sizeof digits, v);
  (void)error;  // 24 characters hold any 64-bit number
  text.append(digits, end);
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// The folder a file of `path` would be made in.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

PathRecorder::PathRecorder(std::string_view algorithm, const RunConfig& config)
    : algorithm_(algorithm),
      seek_time_(config.seek_time),
      block_time_(config.block_time),
      highest_(config.highest_cylinder),
      mirrored_(config.start_down) {
  Row(Event::kStart, 0, config.SchedulerCylinder(config.initial_head));
}

PathRecorder::~PathRecorder() = default;

void PathRecorder::Moves(uint64_t tick, int32_t from, int32_t direction, uint64_t moves) {
  if (moves == 0) return;
  const int64_t span = static_cast<int64_t>(moves) * direction;
  const uint64_t ticks = moves * static_cast<uint64_t>(seek_time_);
  if (segment_ && segment_->end_tick == tick) {
    if (segment_->direction == direction) {
      segment_->end_tick += ticks;
      segment_->end_cylinder += span;
      return;
    }
    Row(Event::kTurn, tick, from);
  } else {
    Stop();
    Row(Event::kMove, tick, from);
  }
  segment_ = Segment{direction, tick + ticks, int64_t{from} + span};
}

void PathRecorder::Serve(uint64_t tick, int32_t cylinder, int32_t request, uint64_t wait) {
  Stop();
  ServeRow(tick, cylinder, request, tick - wait);
  transfers_end_ = tick + static_cast<uint64_t>(block_time_);
}

void PathRecorder::End(uint64_t tick, int32_t cylinder) {
  // A sweep still under way when the run ends (a C-SCAN return) has no
  // arrive row: the end row is on the cylinder of its last move.
  if (segment_ && segment_->end_tick <= tick) Stop();
  segment_.reset();
  Row(Event::kEnd, std::max(tick, transfers_end_), cylinder);
}

void PathRecorder::Stop() {
  if (!segment_) return;
  Row(Event::kArrive, segment_->end_tick, segment_->end_cylinder);
  segment_.reset();
}

// Appends "algorithm,tu,cylinder,event," to the buffer.
void PathRecorder::RowStart(Event event, uint64_t tick, int64_t cylinder) {
  buffer_ += algorithm_;
  buffer_ += ',';
  AppendNumber(buffer_, tick);
  buffer_ += ',';
  AppendNumber(buffer_, mirrored_ ? highest_ - cylinder : cylinder);
  buffer_ += ',';
  buffer_ += kEventNames[static_cast<int>(event)];
  buffer_ += ',';
}

void PathRecorder::Row(Event event, uint64_t tick, int64_t cylinder) {
  RowStart(event, tick, cylinder);
  buffer_ += ",\n";  // no request and no arrival
  RowEnd();
}

void PathRecorder::ServeRow(uint64_t tick, int64_t cylinder, int32_t request, uint64_t arrival) {
  RowStart(Event::kServe, tick, cylinder);
  AppendNumber(buffer_, request);
  buffer_ += ',';
  AppendNumber(buffer_, arrival);
  buffer_ += '\n';
  RowEnd();
}

void PathRecorder::RowEnd() {
  if (buffer_.size() >= kBufferBytes) Spill();
}

// Without a temporary file the rows stay in memory.
void PathRecorder::Spill() {
  if (!spill_ && !in_memory_) spill_.reset(std::tmpfile());
  if (!spill_) {
    in_memory_ = true;
    return;
  }
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), spill_.get()) != buffer_.size()) {
    failed_ = true;
  }
  buffer_.clear();
}

bool PathRecorder::CopyTo(std::FILE* out) {
  if (spill_) {
    std::rewind(spill_.get());
    char chunk[1 << 16];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, spill_.get())) > 0) {
      if (std::fwrite(chunk, 1, n, out) != n) return false;
    }
    if (std::ferror(spill_.get())) return false;
  }
  return !failed_ && std::fwrite(buffer_.data(), 1, buffer_.size(), out) == buffer_.size();
}

PathLog::PathLog(const RunConfig& config) {
  for (int column = 0; column < kSimulatedCount; ++column) {
    if (column == kFcfsColumn && config.skip_fcfs) {
      recorders_.push_back(nullptr);
    } else {
      recorders_.push_back(std::make_unique<PathRecorder>(kColumnNames[column], config));
    }
  }
}

std::optional<std::string> PathLog::Write(const std::string& path) {
  FilePtr file(std::fopen(path.c_str(), "wb"));
  if (!file) {
    return "cannot write the head-path log " + Quoted(path) + ": " + std::strerror(errno);
  }
  bool ok = std::fputs(kHeader, file.get()) >= 0;
  for (const auto& recorder : recorders_) {
    if (ok && recorder) ok = recorder->CopyTo(file.get());
  }
  ok = std::fclose(file.release()) == 0 && ok;
  if (!ok) return "the head-path log " + Quoted(path) + " could not be written completely";
  return std::nullopt;
}

std::optional<std::string> CheckPathLogFile(const std::string& path) {
  if (path.empty()) return "the head-path log (-l:) needs a file name";
  struct stat status {};
  if (stat(path.c_str(), &status) == 0) {
    if (S_ISDIR(status.st_mode)) {
      return "the head-path log " + Quoted(path) + " names a folder, not a file";
    }
    if (access(path.c_str(), W_OK) != 0) {
      return "cannot write the head-path log " + Quoted(path) + ": " + std::strerror(errno);
    }
    return std::nullopt;
  }
  if (access(FolderOf(path).c_str(), W_OK | X_OK) != 0) {
    return "cannot write the head-path log " + Quoted(path) + ": " + std::strerror(errno);
  }
  return std::nullopt;
}

}  // namespace schedule
