#ifndef TRAKVIST_FRONTEND_MODEL_PANEL_PARAMETERS_PANEL_H_
#define TRAKVIST_FRONTEND_MODEL_PANEL_PARAMETERS_PANEL_H_

#include <array>
#include <string>
#include <string_view>

#include "frontend/model/common/color_role.h"
#include "frontend/model/panel/parallel_runs.h"
#include "frontend/model/panel/parameters.h"
#include "frontend/model/panel/request_source.h"
#include "frontend/model/panel/spinner.h"

namespace trakvist {

// One parameter field (`Cparam`) with its spinner (`UpDown`) and label.
struct ParameterField {
  std::string text;  // one number, or a range "from,step,to"
  bool enabled = true;
  ColorRole color = ColorRole::kWindow;
  bool spinner_enabled = true;
  std::string label;  // for fields 2 and 3 this is `Distpar1` / `Distpar2`
  bool label_enabled = true;
  std::string tooltip;  // set for fields 2 and 3 by the distribution
};

// State of the "Simulation" tab's parameters panel. The views show these
// values and write user input back before calling the matching operation.
struct ParametersPanel {
  std::array<ParameterField, kParameterCount> cparam;

  // Request source: `Option1`, `Option2` or `Option3`.
  RequestSource source = RequestSource::kDistribution;

  int dist_list = 0;  // `DistList` position, see kDistributionItems
  bool dist_list_enabled = true;
  ColorRole dist_list_color = ColorRole::kWindow;

  bool rtimer = false;  // "Randomize By Timer"
  bool rtimer_enabled = true;
  bool skip_idle = true;
  // "Initial Head Direction": Down starts the heads of SCAN, LOOK, S-LOOK
  // towards cylinder 0 and turns C-SCAN and C-LOOK round. In the disk
  // frame beside the initial head position, so a run disables it too.
  bool head_down = false;
  // Off during a run like the other run options: every run of a sweep
  // takes -id as it was at the start.
  bool skip_idle_enabled = true;
  int slook_reset = 2;  // `SLOOK_Reset` position, see kSlookResetItems

  bool bopath_reset = false;
  bool bopath_reset_enabled = true;
  bool bopath_swap = true;
  bool bopath_swap_enabled = true;

  bool ofcfs = false;  // "Disable FCFS"
  bool ofcfs_enabled = true;
  bool disprog = false;  // "Disable Progress Bar ..."
  bool disprog_enabled = true;
  // "Parallel runs": engines a sweep runs at once. A setting of this
  // window's, not of the simulation: simulation files do not hold it.
  int parallel_runs = DefaultParallelRuns();
  bool parallel_runs_enabled = true;
  // "Waiting-time percentiles": each run also writes the median, 90th, 95th
  // and 99th percentile and the standard deviation of the waits (-q:).
  bool percentiles = false;
  bool percentiles_enabled = true;
  // "Replications": each combination runs this many times, the seed counted
  // up from its own (see ReplicationPlan); the results are their means.
  int replications = 1;
  bool replications_enabled = true;

  bool is_lba = false;
  bool is_lba_enabled = true;
  std::string manual_text;  // `Manual`: typed requests or a requests file path
  bool manual_enabled = true;
  ColorRole manual_color = ColorRole::kWindow;
  bool import_enabled = true;
  // Kept by the manual requests logic: the manual box holds a file path
  // rather than typed requests.
  bool manual_is_file_path = false;

  bool startb_enabled = true;
  bool stopb_enabled = true;
  bool opens_enabled = true;    // open a saved simulation
  bool imsaved_enabled = true;  // "Import Saved Simulation Page"
  bool simlist_enabled = true;
  bool simrefresh_enabled = true;
  bool saves_enabled = false;
  bool saveas_enabled = false;
  bool publish_enabled = false;

  bool disk_frame_enabled = true;     // `Frame1`, both pages
  bool request_frame_enabled = true;  // `Frame2`
  bool slook_frame_enabled = true;    // `Frame3`
  bool bopath_frame_enabled = true;   // `Frame4`

  std::string disk_list_text;  // text of the disk type list
  bool manual_req_changed = false;
  bool disk_type_applying = false;  // a disk type is being written into the fields
};

// Whether the frame that holds field `index` is enabled; a field in a
// disabled frame cannot be used whatever its own state. False for an index
// outside 0..15.
bool FrameEnabledFor(const ParametersPanel& panel, int index);

// The panel as the main window starts: default texts, "Poisson" and
// "Empty Queue" selected, Option1_Click and Rtimer_Click applied, and the
// BO-PATH frame, fields 6 and 7 (with spinners and labels) and the BO-PATH
// check boxes disabled for good.
ParametersPanel StartParametersPanel();

// Re-filters the field's text and enables its spinner only if the result
// holds no comma.
void TxtValidate(ParameterField* field, bool minus_allowed, bool decimals_allowed,
                 bool exponent_allowed);

// The change rules of field `index`, run after every change of its text.
void Cparam_Change(ParametersPanel* panel, int index);

// Sets field `index`'s text from code; when the text changes, the change
// rules run as for typing.
void SetFieldText(ParametersPanel* panel, int index, std::string_view text);

// A press of field `index`'s spinner; does nothing while the field or its
// spinner is disabled.
void UpDown_Click(ParametersPanel* panel, int index, SpinDirection direction);

// Enables or disables field `index` with its spinner; the background follows.
void SetCparamEnabled(ParametersPanel* panel, int index, bool enabled);

// Applies the distribution at `dist_list` to the labels, tooltips and the
// enabling of fields 2 and 3, and re-filters field 2 (emptied when the
// filter changed it).
void DistList_Click(ParametersPanel* panel);

// Selects a list position from code and runs DistList_Click.
void SelectDistribution(ParametersPanel* panel, int index);

// Select their request source and apply its enabling.
void Option1_Click(ParametersPanel* panel);
void Option2_Click(ParametersPanel* panel);
void Option3_Click(ParametersPanel* panel);

// Runs the click rule of the given request source.
void SelectRequestSource(ParametersPanel* panel, RequestSource source);

// The seed rule: field 1, its spinner and label are enabled exactly when
// "Randomize By Timer" is clear.
void Rtimer_Click(ParametersPanel* panel);

// Sets "Randomize By Timer" from code and runs Rtimer_Click.
void SetRtimer(ParametersPanel* panel, bool checked);

// Enables or disables what must not change during a run. Save and Save As
// are enabled only together with Publish.
void Enable_StartControls(ParametersPanel* panel, bool enable);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PANEL_PARAMETERS_PANEL_H_
