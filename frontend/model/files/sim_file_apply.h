#ifndef TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_APPLY_H_
#define TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_APPLY_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/files/sim_file_reader.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/results/results_store.h"
#include "frontend/model/runs/simulator_list.h"

namespace trakvist {

// The state a file is read against: whether `ImSaved` is set, the entries
// of the disk type list, the simulator list, and the stored ranges as they
// are now.
SimFileReadContext SimFileReadContextOf(bool import_page, std::vector<std::string> disk_types,
                                        const SimulatorList& simulators, const ResultsStore& store);

// The page controls the parameters panel does not hold. Each runs the
// control's own change rules, as the user's choice would; an empty one is
// skipped.
struct PageHooks {
  // Sets the manual requests box (its change rule decides whether it holds
  // a file path).
  std::function<void(std::string_view)> set_manual_text;
  // Chooses a disk type of the list, which fills the disk-derived fields.
  std::function<void(std::string_view)> choose_disk_type;
  // Selects an entry of the simulator list.
  std::function<void(std::string_view)> choose_simulator;
};

// Applies the saved page controls in file order and then the saved
// parameter texts, each through the panel's operations so their change
// rules run; the parameter texts come last and so prevail over what a disk
// type filled in. The request source's enabling is applied again at the
// end, so a distribution set after the source cannot leave fields enabled
// that the source disables.
void ApplySavedPage(const SimFileContent& content, ParametersPanel* panel, const PageHooks& hooks);

// Replaces the stored results, ranges and distribution with the file's;
// the ranges an older file lacks are parsed from the panel's texts, so the
// page is applied first. The caller then rebuilds the value lists and the
// chart.
void ApplySavedResults(SimFileContent content, const ParametersPanel& panel, ResultsStore* store);

// Applies a file read whole: the page (when it was read), the results, and
// enables Publish, Save and Save As, since results now exist.
void ApplySimFile(SimFileContent content, ParametersPanel* panel, ResultsStore* store,
                  const PageHooks& hooks);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_APPLY_H_
