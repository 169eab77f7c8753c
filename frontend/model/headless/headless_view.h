#ifndef TRAKVIST_FRONTEND_MODEL_HEADLESS_HEADLESS_VIEW_H_
#define TRAKVIST_FRONTEND_MODEL_HEADLESS_HEADLESS_VIEW_H_

#include <string>
#include <vector>

#include "frontend/model/headless/headless_options.h"
#include "frontend/model/results/results_store.h"
#include "frontend/model/shell/main_state.h"

namespace trakvist {

// The X-axis variable a script gets by default: the first parameter whose
// stored range has more than one value, else "No X-axis Variable".
int DefaultXAxis(const ResultsStore& store);

// Sets the "Charts" tab to the view the options ask for, each choice made
// through the tab's own rules as a click would make it, and refreshes the
// chart, the table and the copy text. The results must be stored already.
// Returns what is wrong with the options, empty when the view is set: a
// `--value` that is not among its parameter's values.
//
// The view shows one slice of a sweep over several parameters: every
// parameter other than the X axis with more than one stored value is held
// at its chosen value. The chart's title names each of them (their title
// check boxes are ticked), and `notes`, when given, gets one line for each
// saying where it is held and how to see the others.
std::string ApplyViewOptions(MainState* state, const ViewOptions& view,
                             std::vector<std::string>* notes = nullptr);

// Sets the parameter fields as if typed, in order, and "Parallel runs" from
// --jobs. A script's text is taken only as it stands: one that is not a
// number or a range from,step,to that the field accepts whole (the field
// would drop characters of it) is refused, and the returned text says
// which field and why, with nothing changed. A range with a step of 0 is
// read as the field reads it (a step of 1 towards its end), and `notes`,
// when given, says so.
std::string ApplyFieldOptions(MainState* state, const HeadlessOptions& options,
                              std::vector<std::string>* notes = nullptr);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_HEADLESS_HEADLESS_VIEW_H_
