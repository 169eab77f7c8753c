#ifndef TRAKVIST_FRONTEND_MODEL_PLANS_PLAN_FILE_H_
#define TRAKVIST_FRONTEND_MODEL_PLANS_PLAN_FILE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/model/files/sim_file_writer.h"
#include "frontend/model/results/sweep_results.h"
#include "frontend/model/runs/sweep.h"

namespace trakvist {

// A plan's sweep.txt: a simulation file with the page controls and
// parameter texts as they are now and the grid and distribution of the
// planned sweep, whose three result sections hold their header row and no
// runs. The reader refuses a file without runs, so it is opened once its
// results are filled in.
std::string PlanSimFileText(const PageControls& page, const ParameterTexts& parameter_texts,
                            const SweepRanges& ranges, std::int16_t distribution);

// `plan_file` with `results` in its result sections: the bytes Save writes
// for the same page, texts, grid and results. Nothing when `plan_file` does
// not end in the empty result sections that PlanSimFileText writes.
std::optional<std::string> FillPlanSimFile(std::string_view plan_file, const SweepResults& results);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PLANS_PLAN_FILE_H_
