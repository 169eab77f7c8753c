#ifndef TRAKVIST_FRONTEND_MODEL_TRACES_TRACE_DISK_H_
#define TRAKVIST_FRONTEND_MODEL_TRACES_TRACE_DISK_H_

#include <string>
#include <string_view>

#include "frontend/model/disks/disk_catalogue.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/traces/trace_import.h"

namespace trakvist {

// The disk a trace is imported for: the first value of the fields "Number of
// Seconds Per Time Unit", "Total Number of Cylinders", "Blocks Per Track" and
// "Number of Heads", and the current disk's bytes per block.
TraceDisk TraceDiskFor(const ParametersPanel& panel, const DiskType& current_disk);

// Where the requests converted from `trace_path` go in `folder` (ending in a
// separator): the trace's file name with ".requests.txt" added.
std::string ConvertedRequestsPath(std::string_view folder, std::string_view trace_path);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_TRACES_TRACE_DISK_H_
