#ifndef TRAKVIST_FRONTEND_MODEL_RUNS_COMMAND_LINE_H_
#define TRAKVIST_FRONTEND_MODEL_RUNS_COMMAND_LINE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/model/panel/distribution.h"
#include "frontend/model/panel/panel_texts.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/panel/request_source.h"
#include "frontend/model/runs/run_files.h"
#include "frontend/model/runs/sweep.h"

namespace trakvist {

// The panel switches that shape an engine's command line, taken from the
// panel when a sweep starts; they do not change during the sweep.
struct RunSettings {
  RequestSource source = RequestSource::kDistribution;
  int dist_list = kPoissonIndex;  // `DistList` position
  bool rtimer = false;            // "Randomize By Timer": no seed is passed
  bool skip_idle = true;
  int slook_reset = kEmptyQueueIndex;  // `SLOOK_Reset` position
  bool bopath_reset = false;
  bool bopath_swap = true;
  bool ofcfs = false;    // "Disable FCFS"
  bool disprog = false;  // "Disable Progress Bar ...": no progress messages
  // "Initial Head Direction" Down: -u:0 after everything else. Up passes
  // nothing, so the line stays as it always was.
  bool head_down = false;
  // "Waiting-time percentiles": -q: and the statistics file, last of all.
  bool percentiles = false;
};

RunSettings RunSettingsFromPanel(const ParametersPanel& panel);

// Where one engine finds its program and files, and how it reaches the
// front end.
struct EngineTarget {
  std::string program;        // the program folder followed by the `SimList` text
  TemporaryFiles files;       // its result files
  std::string requests_file;  // -in:, passed when parameter 0 is 0
  std::int32_t link = 0;      // -hw:: the front end's link number (its window handle)
  std::int32_t chunk = 0;     // -c:
};

// One argument after the program: its text, and whether the command line
// encloses it in double quotes.
struct EngineArgument {
  std::string text;
  bool quoted = false;

  friend bool operator==(const EngineArgument&, const EngineArgument&) = default;
};

// The arguments of one engine run for the parameter values `values`, in
// command-line order.
std::vector<EngineArgument> EngineArguments(const RunSettings& settings,
                                            const CombinationValues& values,
                                            const EngineTarget& target);

// The command line as one text: the program in double quotes, then each
// argument after one space, in double quotes where it is quoted.
std::string CommandLineText(const std::string& program,
                            const std::vector<EngineArgument>& arguments);

// The same run as an argument list for starting the program without a
// shell: the program path, then each argument's text without quotes.
std::vector<std::string> ArgumentList(const std::string& program,
                                      const std::vector<EngineArgument>& arguments);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RUNS_COMMAND_LINE_H_
