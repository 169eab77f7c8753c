#ifndef TRAKVIST_FRONTEND_MODEL_RESULTS_VALUE_LISTS_H_
#define TRAKVIST_FRONTEND_MODEL_RESULTS_VALUE_LISTS_H_

#include <array>
#include <string>
#include <vector>

#include "frontend/model/common/color_role.h"
#include "frontend/model/panel/parameters.h"
#include "frontend/model/results/results_store.h"

namespace trakvist {

// One value list `Cm`(k) of the "Charts" tab: the values of parameter k in
// the stored results, as number text.
struct ValueList {
  std::vector<std::string> entries;
  int selected = -1;  // index of the chosen entry; -1 when there are none
  ColorRole colour = ColorRole::kWindow;
};

// Captions of the X-axis choices `COption`(2) and `COption`(3), whose
// parameters are named after the distribution. Start-up captions by default.
struct XAxisCaptions {
  std::string parameter2 = "Maximum Requests Per Time Unit";
  std::string parameter3 = "Request Arival Probability %";
};

// Everything CreateLists rebuilds after results are replaced.
struct ValueLists {
  std::array<ValueList, kParameterCount> Cm;
  XAxisCaptions captions;
};

// Rebuilds the value lists from the stored ranges, each with its first entry
// chosen, and names parameters 2 and 3 after the stored distribution. A
// distribution the list does not know keeps the `current` captions. A list
// never holds more entries than there are stored runs.
ValueLists CreateLists(const ResultsStore& store, const XAxisCaptions& current);

// The chosen entry of each list, "" for an empty list: the current texts of
// the value lists after CreateLists.
std::array<std::string, kParameterCount> SelectedTexts(const ValueLists& lists);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RESULTS_VALUE_LISTS_H_
