#ifndef TRAKVIST_FRONTEND_MODEL_RESULTS_TIDY_EXPORT_H_
#define TRAKVIST_FRONTEND_MODEL_RESULTS_TIDY_EXPORT_H_

#include <array>
#include <ostream>
#include <string>
#include <string_view>

#include "frontend/model/common/file_access.h"
#include "frontend/model/panel/parameters.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/results/results_store.h"

namespace trakvist {

// The parameters' columns in the tidy export, in parameter order.
inline constexpr std::array<std::string_view, kParameterCount> kTidyParameterNames = {
    "requests",        "randomization_seed", "arrival_rate",  "arrival_probability",
    "slook_wasted_constant", "slook_wasted_factor", "bopath_threshold", "bopath_depth",
    "block_time_tu",   "cylinder_seek_tu",   "cylinders",     "initial_head",
    "seconds_per_tu",  "blocks_per_track",   "settle_time_tu", "heads"};

// How the stored sweep was run, beyond what the store holds.
struct TidyExportSettings {
  bool fcfs_disabled = false;  // "Disable FCFS": no FCFS rows
  bool head_down = false;      // "Initial Head Direction"
  bool randomize_by_timer = false;  // without replications: the seed is unknown
};

// The settings as the panel holds them now.
TidyExportSettings TidyExportSettingsOf(const ParametersPanel& panel);

// Writes the stored results as tidy data: CSV (RFC 4180, CR LF line ends)
// with a header row and one row per combination, replication and simulated
// algorithm (FCFS to S-LOOK; BO-PATH and SATF are not simulated): the run
// number, the sixteen parameter values, the direction, the replication
// (from 1), the seed it ran with (empty when the timer chose it), the
// algorithm, the three metrics and, when the results hold them, the
// waiting-time statistics, in TU. Numbers are written in their shortest
// form that reads back exactly. Returns whether the stream took it all.
bool WriteTidyCsv(const ResultsStore& store, const TidyExportSettings& settings,
                  std::ostream& out);

// The message when the export cannot be written.
inline constexpr std::string_view kCanNotExportMessage = "Can not export to selected file.";

// Writes the tidy CSV into the file `path`, replacing it whole; the message
// for the user when that fails, empty when written.
std::string ExportTidyCsv(const ResultsStore& store, const TidyExportSettings& settings,
                          FileAccess* files, const std::string& path);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RESULTS_TIDY_EXPORT_H_
