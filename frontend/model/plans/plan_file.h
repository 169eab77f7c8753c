#ifndef TRAKVIST_FRONTEND_MODEL_PLANS_PLAN_FILE_H_
#define TRAKVIST_FRONTEND_MODEL_PLANS_PLAN_FILE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/model/files/sim_file_writer.h"
#include "frontend/model/results/replications.h"
#include "frontend/model/results/sweep_results.h"
#include "frontend/model/runs/sweep.h"

namespace trakvist {

// How a plan's runs are made beyond its page: the replications of each
// combination and whether each run writes its waiting-time statistics.
struct PlanRunSettings {
  ReplicationPlan replications;
  bool percentiles = false;

  friend bool operator==(const PlanRunSettings&, const PlanRunSettings&) = default;
};

// The section of sweep.txt that holds the run settings, written only when
// they differ from one plain run per combination. It is the last section;
// the collected file leaves it out.
inline constexpr std::string_view kPlanRunsSection = "[Plan Runs]";

// A plan's sweep.txt: a simulation file with the page controls and
// parameter texts as they are now and the grid and distribution of the
// planned sweep, whose result sections hold their header row and no runs,
// then the run settings when they are not the plain ones. The reader
// refuses a file without runs, so it is opened once its results are filled
// in.
std::string PlanSimFileText(const PageControls& page, const ParameterTexts& parameter_texts,
                            const SweepRanges& ranges, std::int16_t distribution,
                            const PlanRunSettings& run_settings = {});

// The run settings sweep.txt holds; nothing when its section is damaged.
std::optional<PlanRunSettings> PlanRunSettingsOf(std::string_view plan_file);

// `plan_file` with the results of its engine runs `runs` (the replications
// of each combination one after the other) in its result sections: the
// bytes Save writes for the same page, texts, grid and results, the means
// and replications included. Nothing when `plan_file` does not end in the
// empty result sections and run settings that PlanSimFileText writes.
std::optional<std::string> FillPlanSimFile(std::string_view plan_file, const SweepResults& runs);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PLANS_PLAN_FILE_H_
