#include "frontend/model/traces/trace_disk.h"

#include <cmath>

#include "frontend/model/common/number_text.h"
#include "frontend/model/panel/parameters.h"

namespace trakvist {
namespace {

// A field's first value (a range's "from") as a whole number; 0 when it is
// none the engine could take.
std::int64_t WholeField(const ParametersPanel& panel, int index) {
  const double value = LeadingNumber(panel.cparam[index].text);
  return value >= 0 && value <= 2147483647.0 ? static_cast<std::int64_t>(std::round(value)) : 0;
}

}  // namespace

TraceDisk TraceDiskFor(const ParametersPanel& panel, const DiskType& current_disk) {
  TraceDisk disk;
  disk.seconds_per_tu = LeadingNumber(panel.cparam[kSecondsPerTuParameter].text);
  disk.bytes_per_block = current_disk.bytes_per_block;
  disk.cylinders = WholeField(panel, kCylindersParameter);
  disk.blocks_per_track = WholeField(panel, kBlocksPerTrackParameter);
  disk.heads = WholeField(panel, kHeadsParameter);
  return disk;
}

std::string ConvertedRequestsPath(std::string_view folder, std::string_view trace_path) {
  const std::size_t slash = trace_path.find_last_of("/\\");
  const std::string_view name =
      slash == std::string_view::npos ? trace_path : trace_path.substr(slash + 1);
  return std::string(folder) + std::string(name) + ".requests.txt";
}

}  // namespace trakvist
