#include "frontend/model/plans/plan_file.h"

#include <utility>

#include "frontend/model/common/line_end.h"
#include "frontend/model/common/number_text.h"
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

// The result sections Save writes for `store`, and the added sections after
// them.
std::string ResultSections(const ResultsStore& store, bool head_down) {
  PageControls page;
  page.head_down = head_down;
  std::string file = SimFileText(page, ParameterTexts{}, store);
  return file.substr(ResultSectionsStart(file));
}

std::string EmptyResultSections(bool head_down) { return ResultSections(ResultsStore{}, head_down); }

// The run settings section, empty for the plain settings.
std::string RunSettingsSection(const PlanRunSettings& settings) {
  if (settings == PlanRunSettings{}) return {};
  const std::string end(kLineEnd);
  std::string text = end + std::string(kPlanRunsSection) + end;
  text += PrintStyle(settings.replications.count) + end;
  text += PrintStyle(settings.percentiles ? 1 : 0) + end;
  text += PrintStyle(std::ssize(settings.replications.drawn_seeds)) + end;
  for (std::uint32_t seed : settings.replications.drawn_seeds) text += PrintStyle(seed) + end;
  return text;
}

// Where the run settings section starts; the end of the file without one.
std::size_t RunSettingsStart(std::string_view file) {
  const std::string header =
      std::string(kLineEnd) + std::string(kPlanRunsSection) + std::string(kLineEnd);
  const std::size_t at = file.rfind(header);
  return at == std::string_view::npos ? file.size() : at;
}

// A whole number of a line of the section, within [low, high].
std::optional<long long> SectionNumber(std::string_view line, long long low, long long high) {
  const std::optional<double> value = FullNumber(line);
  if (!value || *value != static_cast<double>(static_cast<long long>(*value)) || *value < low ||
      *value > high) {
    return std::nullopt;
  }
  return static_cast<long long>(*value);
}

}  // namespace

std::string PlanSimFileText(const PageControls& page, const ParameterTexts& parameter_texts,
                            const SweepRanges& ranges, std::int16_t distribution,
                            const PlanRunSettings& run_settings) {
  ResultsStore store;
  store.ReplaceResults(SweepResults(), ranges, distribution);
  return SimFileText(page, parameter_texts, store) + RunSettingsSection(run_settings);
}

std::optional<PlanRunSettings> PlanRunSettingsOf(std::string_view plan_file) {
  const std::size_t start = RunSettingsStart(plan_file);
  if (start == plan_file.size()) return PlanRunSettings{};
  std::vector<std::string_view> lines;
  std::string_view rest = plan_file.substr(start + kLineEnd.size() + kPlanRunsSection.size());
  // Each line follows a line end; the last line end ends the file.
  while (!rest.empty()) {
    if (!rest.starts_with(kLineEnd)) return std::nullopt;
    rest.remove_prefix(kLineEnd.size());
    if (rest.empty()) break;
    const std::size_t end = rest.find(kLineEnd);
    if (end == std::string_view::npos) return std::nullopt;
    lines.push_back(rest.substr(0, end));
    rest.remove_prefix(end);
  }
  if (lines.size() < 3) return std::nullopt;
  PlanRunSettings settings;
  const auto count = SectionNumber(lines[0], kMinReplications, kMaxReplications);
  const auto percentiles = SectionNumber(lines[1], 0, 1);
  const auto seeds = SectionNumber(lines[2], 0, kMaxReplications);
  if (!count || !percentiles || !seeds || (*seeds != 0 && *seeds != *count) ||
      lines.size() != static_cast<std::size_t>(3 + *seeds)) {
    return std::nullopt;
  }
  settings.replications.count = static_cast<int>(*count);
  settings.percentiles = *percentiles == 1;
  for (std::size_t k = 3; k < lines.size(); ++k) {
    const auto seed = SectionNumber(lines[k], 1, 0xFFFFFFFFLL);
    if (!seed) return std::nullopt;
    settings.replications.drawn_seeds.push_back(static_cast<std::uint32_t>(*seed));
  }
  // Written only when not plain: a section that says the plain settings was
  // not written by a plan.
  if (settings == PlanRunSettings{}) return std::nullopt;
  return settings;
}

std::optional<std::string> FillPlanSimFile(std::string_view plan_file, const SweepResults& runs) {
  const std::optional<PlanRunSettings> settings = PlanRunSettingsOf(plan_file);
  if (!settings) return std::nullopt;
  const std::string_view sim_file = plan_file.substr(0, RunSettingsStart(plan_file));
  const std::size_t start = ResultSectionsStart(sim_file);
  if (start == std::string_view::npos) return std::nullopt;
  const std::string_view empty = sim_file.substr(start);
  const bool head_down = empty == EmptyResultSections(true);
  if (!head_down && empty != EmptyResultSections(false)) return std::nullopt;
  const int count = settings->replications.count;
  ResultsStore store;
  Replications replications;
  if (count > 1) replications = Replications{settings->replications, runs};
  store.ReplaceResults(ReplicationMeans(runs, count), SweepRanges{}, 0, std::move(replications));
  std::string filled(sim_file.substr(0, start));
  filled += ResultSections(store, head_down);
  return filled;
}

}  // namespace trakvist
