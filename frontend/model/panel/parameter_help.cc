#include "frontend/model/panel/parameter_help.h"

#include <array>

#include "frontend/model/panel/parameters.h"

namespace trakvist {
namespace {

constexpr std::string_view kRangeForm =
    "A range from,step,to (such as 100,100,1000) runs one simulation per value.";

// What each field sets and in which unit, by parameter index.
constexpr std::array<std::string_view, kParameterCount> kMeanings = {
    "Requests generated in each run (whole number).",
    "Seed of the random requests: the same seed gives the same requests (whole number).",
    "With Poisson: the mean arrival rate in requests per second. With Generic: the most "
    "requests that may arrive in one time unit (whole number).",
    "With Generic: the probability, in percent (0 to 100), that requests arrive in a time "
    "unit. Not used with Poisson.",
    "S-LOOK: the value, in cylinders, that its waisted time is reset to (may be negative).",
    "S-LOOK: added to its waisted time for every cylinder the head moves (may be negative).",
    "BO-PATH waisted time threshold, passed to engines that implement BO-PATH.",
    "BO-PATH search depth, passed to engines that implement BO-PATH.",
    "Time to transfer one block, in time units (TU).",
    "Time to move the head by one cylinder, in time units (TU).",
    "Cylinders of the disk (whole number).",
    "Cylinder the head starts on.",
    "Seconds one time unit (TU) stands for; the arrival rate is converted with it.",
    "Blocks on one track: with the heads, turns LBA requests into cylinders.",
    "Time the head needs to settle after a move, in time units (TU).",
    "Heads (recording surfaces): with the blocks per track, turns LBA requests into cylinders.",
};

}  // namespace

std::string FieldToolTip(const ParametersPanel& panel, int index) {
  if (index == kDistributionParameter1 || index == kDistributionParameter2) {
    return panel.cparam[index].tooltip;
  }
  return std::string(kMeanings[index]) + " " + std::string(kRangeForm);
}

std::string FieldWhatsThis(int index) {
  return std::string(kMeanings[index]) + " " + std::string(kRangeForm) +
         " Several ranges run every combination of their values.";
}

}  // namespace trakvist
