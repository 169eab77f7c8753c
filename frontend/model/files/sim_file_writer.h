#ifndef TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_WRITER_H_
#define TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_WRITER_H_

#include <array>
#include <string>
#include <string_view>

#include "frontend/model/panel/parameters.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/results/results_store.h"

namespace trakvist {

// The fifteen page controls of the simulation page, in the order the file
// holds them, as the values the file holds: texts, check boxes as 0 or 1,
// exclusive choices as true or false, drop-down lists as their entry text.
struct PageControls {
  std::string Manual;  // manual requests, or the path of a requests file
  int Rtimer = 0;
  bool Option1 = true;
  bool Option2 = false;
  bool Option3 = false;
  std::string SLOOK_Reset = "Empty Queue";
  int BOPATH_Reset = 0;
  int BOPATH_Swap = 1;
  int Disprog = 0;
  int OFCFS = 0;
  int SkipIdle = 1;
  std::string DistList = "Poisson";
  std::string DiskList;  // disk type name
  int isLBA = 0;
  std::string SimList;  // simulator file name
  // Beyond the fifteen: "Initial Head Direction" Down, written in an added
  // section of its own after the results.
  bool head_down = false;

  friend bool operator==(const PageControls&, const PageControls&) = default;
};

// The texts of the parameter fields `Cparam(0)` to `Cparam(15)`.
using ParameterTexts = std::array<std::string, kParameterCount>;

// The page controls as the panel shows them, with the texts of the controls
// the panel does not hold: the manual requests box and the simulator list's
// current entry.
PageControls PageControlsOf(const ParametersPanel& panel, std::string_view manual_text,
                            std::string_view simulator);

// The current texts of the sixteen parameter fields.
ParameterTexts ParameterTextsOf(const ParametersPanel& panel);

// The bytes of a simulation file: the page controls and parameter texts as
// they are now, and the ranges, distribution and results of the store. A
// line break inside a text would split the line and shift every later one,
// so each is written as a space. Saving is offered only once results exist:
// a store without runs gives a file that does not open again.
std::string SimFileText(const PageControls& page, const ParameterTexts& parameter_texts,
                        const ResultsStore& store);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_WRITER_H_
