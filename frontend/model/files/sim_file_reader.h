#ifndef TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_READER_H_
#define TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_READER_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/files/sim_file_format.h"
#include "frontend/model/files/sim_file_writer.h"
#include "frontend/model/panel/parameters.h"
#include "frontend/model/results/replications.h"
#include "frontend/model/results/sweep_results.h"
#include "frontend/model/runs/sweep.h"

namespace trakvist {

// What reading a simulation file depends on besides its bytes: the main
// window's state at the moment of opening.
struct SimFileReadContext {
  // `ImSaved`: also read the page controls and parameter texts.
  bool import_page = true;
  // Entries of the disk type list and of the simulator list.
  std::vector<std::string> disk_types;
  std::vector<std::string> simulators;
  // The simulator list's current entry.
  std::string current_simulator;
  // Ranges of the stored results; a file with fewer ranges keeps the rest.
  SweepRanges current_ranges{};
};

// The page controls a file gives, positions 1 to `count` of PageControls;
// later positions hold defaults and are not to be applied. A disk type or
// simulator the lists do not know is not applied either.
struct SavedPage {
  PageControls values;
  int count = 0;
  bool disk_type_known = false;
  bool simulator_known = false;
};

// Everything a simulation file gives, read whole before any of it is
// applied, with older versions brought up to the current model.
struct SimFileContent {
  int version = kSimFileVersion;
  SavedPage page;  // count 0 when the page is not imported
  // New texts of the parameter fields, in index order; nothing for a field
  // that keeps its text.
  std::array<std::optional<std::string>, kParameterCount> parameter_texts;
  // Older files clear "Use LBA" after the page is applied.
  bool clear_is_lba = false;
  SweepRanges ranges{};
  // Ranges older files lack: each is parsed from its field's text once the
  // page has been applied, as a saved disk type may change that text.
  std::array<bool, kParameterCount> ranges_from_fields{};
  std::int16_t distribution = 0;
  SweepResults results;
  // The replications behind the results, when the file has them.
  Replications replications;
  // Informational messages to show in this order: unknown disk type,
  // unknown simulator, older version.
  std::vector<std::string> messages;
};

// The outcome of reading: the whole content, or the one failure message
// ("The file selected is not in the proper format." or the higher-version
// message), with nothing to apply.
struct SimFileRead {
  std::optional<SimFileContent> content;
  std::string failure;
};

// Reads a simulation file of any version from 1 to 5.
//
// Sections are found in order by their exact header lines, lines in
// between are passed over; each count directly follows its header. Counts,
// range values and the other parameters are fields ended by a comma or a
// line end, blanks around them ignored; page and parameter lines are whole
// lines; result fields run across line ends and are read by the
// leading-number rule. Lines end in CR LF, LF or CR.
SimFileRead ReadSimFile(std::string_view bytes, const SimFileReadContext& context);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_READER_H_
