#include "frontend/model/files/sim_file_format.h"

#include "frontend/model/common/utilities.h"
#include "frontend/model/results/results_store.h"

namespace trakvist {

std::string MetricSection(Metric metric, bool replications) {
  return "[" + std::string(replications ? kReplicationSectionPrefix : "") +
         std::string(MetricName(metric)) + "]";
}

std::string UnknownDiskMessage(std::string_view disk_type) {
  return std::string(disk_type) +
         " is an unknown disk type. Check the Disks.ini file for available disk types.";
}

std::string UnknownSimulatorMessage(std::string_view simulator) {
  return std::string(simulator) +
         " simulator file is not available in Trakvist folder!!. Currently selected simulator "
         "will be used. But it may not give the same results if compilation directives differ.";
}

std::string OlderVersionMessage(std::string_view current_simulator) {
  return "This file is saved with an older version of Trakvist which does not say which "
         "simulator file it used. Currently selected simulator will be used (" +
         std::string(current_simulator) +
         "). But it may not give the same results if compilation directives differ.";
}

std::string SimFileWindowTitle(std::string_view path) { return "Trakvist - " + FileNameOf(path); }

std::string PrintStyle(long long value) {
  if (value < 0) return "-" + std::to_string(-(value + 1) + 1ULL) + " ";
  return " " + std::to_string(value) + " ";
}

}  // namespace trakvist
