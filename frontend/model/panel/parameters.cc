#include "frontend/model/panel/parameters.h"

#include "frontend/model/panel/distribution.h"

namespace trakvist {

bool IsParameterIndex(int index) { return index >= 0 && index < kParameterCount; }

bool DecimalsAllowed(int index, int distribution_index) {
  if (!IsParameterIndex(index)) return false;
  switch (kParameterTable[index].number_kind) {
    case NumberKind::kWhole:
      return false;
    case NumberKind::kDecimal:
      return true;
    case NumberKind::kDecimalWhenPoisson:
      return distribution_index == kPoissonIndex;
  }
  return false;
}

bool MinusAllowed(int index) {
  return IsParameterIndex(index) && kParameterTable[index].minus_allowed;
}

bool IsDiskDerived(int index) {
  return IsParameterIndex(index) && kParameterTable[index].disk_derived;
}

std::string ParameterLabel(int index, int distribution_index) {
  if (!IsParameterIndex(index)) return "";
  if (index != kDistributionParameter1 && index != kDistributionParameter2) {
    return std::string(kParameterTable[index].label);
  }
  std::string label1;
  std::string label2;
  GetDistParams(distribution_index, &label1, &label2);
  return index == kDistributionParameter1 ? label1 : label2;
}

std::string XAxisName(int index, int result_distribution) {
  if (index == kNoXAxisVariable) return std::string(kNoXAxisVariableName);
  if (!IsParameterIndex(index)) return "";
  if (index != kDistributionParameter1 && index != kDistributionParameter2) {
    return std::string(kParameterTable[index].x_axis_name);
  }
  // Stored results name parameters 2 and 3 after their own distribution;
  // an unknown one leaves the built-in names.
  std::string name1(kParameterTable[kDistributionParameter1].x_axis_name);
  std::string name2(kParameterTable[kDistributionParameter2].x_axis_name);
  GetDistParams(result_distribution, &name1, &name2);
  return index == kDistributionParameter1 ? name1 : name2;
}

std::string_view EngineOption(int index, int distribution_index) {
  if (!IsParameterIndex(index)) return "";
  const ParameterInfo& info = kParameterTable[index];
  return distribution_index == kPoissonIndex ? info.poisson_option : info.generic_option;
}

}  // namespace trakvist
