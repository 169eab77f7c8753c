#include "frontend/model/results/value_lists.h"

#include "frontend/model/panel/distribution.h"
#include "frontend/model/common/number_text.h"
#include "frontend/model/runs/param_range.h"

namespace trakvist {
namespace {

ValueList MakeValueList(const ParamRange& range, std::int32_t max_entries) {
  ValueList list;
  for (double value : RangeValues(range, max_entries)) list.entries.push_back(NumberText(value));
  list.selected = list.entries.empty() ? -1 : 0;
  list.colour = list.entries.size() >= 2 ? ColorRole::kToolTip : ColorRole::kWindow;
  return list;
}

}  // namespace

ValueLists CreateLists(const ResultsStore& store, const XAxisCaptions& current) {
  ValueLists lists;
  for (int k = 0; k < kParameterCount; ++k) {
    lists.Cm[k] = MakeValueList(store.ResultRanges()[k], store.RunCount());
  }
  lists.captions = current;
  GetDistParams(store.ResultDistribution(), &lists.captions.parameter2, &lists.captions.parameter3);
  return lists;
}

std::array<std::string, kParameterCount> SelectedTexts(const ValueLists& lists) {
  std::array<std::string, kParameterCount> texts;
  for (int k = 0; k < kParameterCount; ++k) {
    const ValueList& list = lists.Cm[k];
    if (list.selected >= 0 && list.selected < static_cast<int>(list.entries.size())) {
      texts[k] = list.entries[list.selected];
    }
  }
  return texts;
}

}  // namespace trakvist
