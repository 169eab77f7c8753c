#ifndef SCHEDULE_ENGINE_RUN_CONFIG_H_
#define SCHEDULE_ENGINE_RUN_CONFIG_H_

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace schedule {

// Closes a C stream when its owner goes.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

enum class TriState { kUnset, kYes, kNo };

// A result file named on the command line, opened for appending and reading
// when its option is parsed, with the text for the first column of its row.
struct ResultFile {
  FilePtr file;
  std::optional<std::string> first_column;

  bool is_open() const { return file != nullptr; }
};

// The run configuration: filled by the option parser, completed by the
// post-parse steps and the prompts, read-only once the clock starts.
// Fields documented as "-1 = unset" are asked for at the prompts.
struct RunConfig {
  ResultFile wait_file;      // -w:  average waiting time rows
  ResultFile seek_file;      // -s:  total seek rows
  ResultFile max_wait_file;  // -xw: maximum waiting time rows
  bool no_labels = false;    // -d

  FilePtr input_file;  // -in: the prompts and manual requests come from here

  int32_t block_time = 2;           // -b:  TU per block
  int32_t seek_time = 1;            // -e:  TU per cylinder moved
  int32_t settle_time = 0;          // -st: TU
  int32_t highest_cylinder = 1000;  // -m:  stored as cylinders - 1
  int32_t blocks_per_track = 600;   // -bpt:
  int32_t heads = 4;                // -hd:

  int32_t total = -1;            // -t: 0 selects manual entry
  int32_t max_per_tu = -1;       // -n: 0 means every request at time zero
  double arrival_rate = -1.0;    // -a:  requests per second (Poisson)
  double seconds_per_tu = -1.0;  // -tu: (Poisson)
  double probability = -1.0;     // -p:  percent until the prompts scale it

  std::optional<uint32_t> seed;  // the last -r:, if any (the clock seeds otherwise)

  int32_t initial_head = -1;   // -i:
  int32_t slook_factor = -1;   // -f:
  int32_t slook_constant = 0;  // -wc:
  int16_t slook_reset = -1;    // -rw: 1, 2 or 3

  int32_t bopath_threshold = -1;             // -o:
  int32_t bopath_depth = 0;                  // -x: stored as depth - 1 after the prompts
  TriState bopath_reset = TriState::kUnset;  // -rb:
  TriState bopath_swap = TriState::kUnset;   // -rs:

  int32_t latency_method = -1;  // -mt:
  bool latency_given = false;

  int32_t window = -1;  // -hw: the caller to report to
  bool window_given = false;
  int32_t chunk = -1;  // -c: progress chunk, -1 for none

  bool skip_fcfs = false;  // -FCFS
  bool skip_idle = false;  // -id

  bool start_down = false;              // -u:0 (-u:1, up, is the default)
  std::optional<std::string> path_log;  // -l: the head-path log file

  // -q: rows of waiting-time percentiles and standard deviation, opened
  // like the result files; the path names it in messages.
  ResultFile statistics_file;
  std::string statistics_path;

  bool poisson() const { return arrival_rate > 0 && seconds_per_tu > 0; }
  bool manual() const { return total == 0; }
  // The cylinder the schedulers see for cylinder c. Going down first is
  // going up on the mirror image of the disk, where c is highest - c.
  int32_t SchedulerCylinder(int32_t c) const { return start_down ? highest_cylinder - c : c; }
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_RUN_CONFIG_H_
