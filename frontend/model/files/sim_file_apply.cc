#include "frontend/model/files/sim_file_apply.h"

#include <utility>

#include "frontend/model/common/utilities.h"
#include "frontend/model/panel/distribution.h"
#include "frontend/model/panel/panel_texts.h"
#include "frontend/model/requests/manual_requests.h"
#include "frontend/model/runs/param_range.h"

namespace trakvist {
namespace {

void Call(const std::function<void(std::string_view)>& hook, std::string_view value) {
  if (hook) hook(value);
}

// An exclusive choice set to "True" is selected; "False" alone selects
// nothing else.
void ApplyChoice(ParametersPanel* panel, bool selected, RequestSource source) {
  if (selected) SelectRequestSource(panel, source);
}

void ApplyPosition(int position, const SavedPage& page, ParametersPanel* panel,
                   const PageHooks& hooks) {
  const PageControls& values = page.values;
  switch (position) {
    case 1:
      return Call(hooks.set_manual_text, values.Manual);
    case 2:
      return SetRtimer(panel, values.Rtimer == 1);
    case 3:
      return ApplyChoice(panel, values.Option1, RequestSource::kDistribution);
    case 4:
      return ApplyChoice(panel, values.Option2, RequestSource::kAllAtTimeZero);
    case 5:
      return ApplyChoice(panel, values.Option3, RequestSource::kManual);
    case 6:
      panel->slook_reset = PositionOf(kSlookResetItems, values.SLOOK_Reset);
      return;
    case 7:
      panel->bopath_reset = values.BOPATH_Reset == 1;
      return;
    case 8:
      panel->bopath_swap = values.BOPATH_Swap == 1;
      return;
    case 9:
      panel->disprog = values.Disprog == 1;
      return;
    case 10:
      panel->ofcfs = values.OFCFS == 1;
      return;
    case 11:
      panel->skip_idle = values.SkipIdle == 1;
      return;
    case 12:
      return SelectDistribution(panel, PositionOf(kDistributionItems, values.DistList));
    case 13:
      if (page.disk_type_known) Call(hooks.choose_disk_type, values.DiskList);
      return;
    case 14:
      return SetIsLba(panel, values.isLBA == 1);
    case 15:
      if (page.simulator_known) Call(hooks.choose_simulator, values.SimList);
      return;
  }
}

}  // namespace

SimFileReadContext SimFileReadContextOf(bool import_page, std::vector<std::string> disk_types,
                                        const SimulatorList& simulators,
                                        const ResultsStore& store) {
  SimFileReadContext context;
  context.import_page = import_page;
  context.disk_types = std::move(disk_types);
  context.simulators = simulators.names;
  const int selected = simulators.selected;
  if (selected >= 0 && selected < static_cast<int>(simulators.names.size())) {
    context.current_simulator = simulators.names[static_cast<std::size_t>(selected)];
  }
  context.current_ranges = store.ResultRanges();
  return context;
}

void ApplySavedPage(const SimFileContent& content, ParametersPanel* panel, const PageHooks& hooks) {
  for (int position = 1; position <= content.page.count; ++position) {
    ApplyPosition(position, content.page, panel, hooks);
  }
  if (content.page.count > 0) {
    SelectRequestSource(panel, panel->source);
    panel->head_down = content.page.values.head_down;
    // The sweep's own settings come back with its results.
    panel->percentiles = content.results.HasPercentiles();
    panel->replications = content.replications.plan.count;
  }
  for (int index = 0; index < kParameterCount; ++index) {
    if (content.parameter_texts[index]) SetFieldText(panel, index, *content.parameter_texts[index]);
  }
  if (content.clear_is_lba) SetIsLba(panel, false);
}

void ApplySavedResults(SimFileContent content, const ParametersPanel& panel, ResultsStore* store) {
  for (int index = 0; index < kParameterCount; ++index) {
    if (content.ranges_from_fields[index]) {
      content.ranges[index] = ParseParamRange(panel.cparam[index].text);
    }
  }
  store->ReplaceResults(std::move(content.results), content.ranges, content.distribution,
                        std::move(content.replications));
}

void ApplySimFile(SimFileContent content, ParametersPanel* panel, ResultsStore* store,
                  const PageHooks& hooks) {
  ApplySavedPage(content, panel, hooks);
  ApplySavedResults(std::move(content), *panel, store);
  panel->publish_enabled = true;
  panel->saves_enabled = true;
  panel->saveas_enabled = true;
}

}  // namespace trakvist
