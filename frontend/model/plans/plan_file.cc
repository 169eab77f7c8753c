#include "frontend/model/plans/plan_file.h"

#include <utility>

#include "frontend/model/common/line_end.h"
#include "frontend/model/files/sim_file_format.h"

namespace trakvist {
namespace {

// Where the result sections of a simulation file start: the line end before
// the "[Total Seek Time]" header. The last such line is taken, as a
// parameter text may read the same.
std::size_t ResultSectionsStart(std::string_view file) {
  const std::string header =
      std::string(kLineEnd) + std::string(kSeekSection) + std::string(kLineEnd);
  return file.rfind(header);
}

// The result sections Save writes for `results`.
std::string ResultSections(const SweepResults& results) {
  ResultsStore store;
  store.ReplaceResults(results, SweepRanges{}, 0);
  std::string file = SimFileText(PageControls{}, ParameterTexts{}, store);
  return file.substr(ResultSectionsStart(file));
}

}  // namespace

std::string PlanSimFileText(const PageControls& page, const ParameterTexts& parameter_texts,
                            const SweepRanges& ranges, std::int16_t distribution) {
  ResultsStore store;
  store.ReplaceResults(SweepResults(), ranges, distribution);
  return SimFileText(page, parameter_texts, store);
}

std::optional<std::string> FillPlanSimFile(std::string_view plan_file,
                                           const SweepResults& results) {
  const std::size_t start = ResultSectionsStart(plan_file);
  if (start == std::string_view::npos || plan_file.substr(start) != ResultSections({})) {
    return std::nullopt;
  }
  std::string filled(plan_file.substr(0, start));
  filled += ResultSections(results);
  return filled;
}

}  // namespace trakvist
