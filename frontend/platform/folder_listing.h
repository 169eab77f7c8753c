#ifndef TRAKVIST_FRONTEND_PLATFORM_FOLDER_LISTING_H_
#define TRAKVIST_FRONTEND_PLATFORM_FOLDER_LISTING_H_

#include <string>
#include <system_error>
#include <vector>

#include "frontend/model/runs/simulator_list.h"

namespace trakvist {

// The regular files of `folder` (not sub-folders, devices or sockets), each
// with whether it is a program (IsProgramImage) the current user may run, sorted by name byte for byte
// so that the simulator list keeps one order from refresh to refresh. A
// symbolic link counts as what it points to. When the folder cannot be
// listed the result is empty and `error`, if given, says why.
std::vector<FolderEntry> ListFolder(const std::string& folder, std::error_code* error = nullptr);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_PLATFORM_FOLDER_LISTING_H_
