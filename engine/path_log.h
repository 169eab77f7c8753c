#ifndef SCHEDULE_ENGINE_PATH_LOG_H_
#define SCHEDULE_ENGINE_PATH_LOG_H_

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/run_config.h"

namespace schedule {

// The head's path of one algorithm as rows of the head-path log (-l:):
//   start   TU 0, on the initial head position;
//   move    the head leaves a cylinder on which it stood still;
//   arrive  the head stops on a cylinder after moving (a settle that
//           follows is standing still);
//   turn    the head, moving, reverses without stopping;
//   serve   a request's transfer begins;
//   end     the run has ended.
// The scheduler reports its moves and services in time order. A move made
// exactly where and when the previous one ends, in the same direction,
// continues it, so the rows are the corners of the path whatever steps the
// moves were reported in, and there is a row per change of course, never
// one per TU. Rows go to a temporary file once they outgrow a buffer, so a
// long run costs disk rather than memory.
class PathRecorder {
 public:
  // Cylinders are given as the scheduler sees them: under -u:0 it runs on
  // the mirror image of the disk, and the rows carry highest - c.
  PathRecorder(std::string_view algorithm, const RunConfig& config);
  ~PathRecorder();
  PathRecorder(const PathRecorder&) = delete;
  PathRecorder& operator=(const PathRecorder&) = delete;

  // `moves` moves in `direction` from cylinder `from`, one per seek period,
  // the first in `tick`.
  void Moves(uint64_t tick, int32_t from, int32_t direction, uint64_t moves);
  // The transfer of request `request` (its index in arrival order) begins
  // in `tick` on `cylinder`, after a wait of `wait` TU.
  void Serve(uint64_t tick, int32_t cylinder, int32_t request, uint64_t wait);
  // The run ended at the start of `tick` with the head on `cylinder`. The
  // row is put after the last transfer's end if that is later (FCFS, whose
  // rows are in physical time).
  void End(uint64_t tick, int32_t cylinder);

  // Appends the rows to `out`; false when they could not all be read back
  // or written.
  bool CopyTo(std::FILE* out);

 private:
  enum class Event { kStart, kMove, kArrive, kTurn, kServe, kEnd };

  // A run of moves under way: its direction, and where and when it ends.
  struct Segment {
    int32_t direction;
    uint64_t end_tick;
    int64_t end_cylinder;
  };

  void Row(Event event, uint64_t tick, int64_t cylinder);
  void ServeRow(uint64_t tick, int64_t cylinder, int32_t request, uint64_t arrival);
  void RowStart(Event event, uint64_t tick, int64_t cylinder);
  // Moves the rows to the temporary file once the buffer is full.
  void RowEnd();
  // Ends the run under way with an arrive row, if there is one.
  void Stop();
  void Spill();

  std::string algorithm_;
  int64_t seek_time_;
  int64_t block_time_;
  int64_t highest_;
  bool mirrored_;
  std::optional<Segment> segment_;
  uint64_t transfers_end_ = 0;  // the first TU after the last transfer
  std::string buffer_;
  FilePtr spill_;
  bool in_memory_ = false;  // no temporary file could be made
  bool failed_ = false;     // a row could not be written to it
};

// The head-path log of one run: a recorder per simulated algorithm in the
// column order, none for FCFS under -FCFS.
class PathLog {
 public:
  explicit PathLog(const RunConfig& config);

  // The recorder of column `column` of the simulated ones, or null.
  PathRecorder* recorder(int column) const { return recorders_[column].get(); }

  // Writes (replaces) the log file; returns a message naming the problem
  // when it could not be written.
  std::optional<std::string> Write(const std::string& path);

 private:
  std::vector<std::unique_ptr<PathRecorder>> recorders_;
};

// Checks, before a run, that the log file of -l: can be written: its folder
// exists and is writable, and an existing file is a writable file.
std::optional<std::string> CheckPathLogFile(const std::string& path);

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_PATH_LOG_H_
