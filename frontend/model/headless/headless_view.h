#ifndef TRAKVIST_FRONTEND_MODEL_HEADLESS_HEADLESS_VIEW_H_
#define TRAKVIST_FRONTEND_MODEL_HEADLESS_HEADLESS_VIEW_H_

#include <string>

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
std::string ApplyViewOptions(MainState* state, const ViewOptions& view);

// Sets the parameter fields as if typed, in order, and "Parallel runs" from
// --jobs.
void ApplyFieldOptions(MainState* state, const HeadlessOptions& options);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_HEADLESS_HEADLESS_VIEW_H_
