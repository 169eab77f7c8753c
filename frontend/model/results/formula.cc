#include "frontend/model/results/formula.h"

#include <vector>

#include "frontend/model/common/utilities.h"

namespace trakvist {

std::optional<double> ApplyFormula(int formula, std::span<const double> values) {
  if (values.empty()) return std::nullopt;
  double result = values.front();
  switch (formula) {
    case kFormulaAverage:
      for (double value : values.subspan(1)) result += value;
      return result / static_cast<double>(values.size());
    case kFormulaMinimum:
      for (double value : values.subspan(1)) result = MinDouble(result, value);
      return result;
    case kFormulaMaximum:
      for (double value : values.subspan(1)) result = MaxDouble(result, value);
      return result;
    default:
      return std::nullopt;
  }
}

std::optional<double> GetFormulaData(const ResultsStore& store, const ResultsSelection& selection,
                                     int formula, int algorithm,
                                     std::span<const std::int32_t> runs) {
  std::vector<double> values;
  values.reserve(runs.size());
  for (std::int32_t run : runs) {
    const std::optional<double> value = GetSelData(store, selection, algorithm, run);
    if (!value) return std::nullopt;
    values.push_back(*value);
  }
  return ApplyFormula(formula, values);
}

}  // namespace trakvist
