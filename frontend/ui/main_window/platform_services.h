#ifndef TRAKVIST_FRONTEND_UI_MAIN_WINDOW_PLATFORM_SERVICES_H_
#define TRAKVIST_FRONTEND_UI_MAIN_WINDOW_PLATFORM_SERVICES_H_

#include <memory>
#include <string>

#include "frontend/model/common/file_access.h"
#include "frontend/platform/app_folders.h"
#include "frontend/platform/process_engine_runner.h"
#include "frontend/ui/main_window/main_window_services.h"

namespace trakvist {

// The real services of the main window for one program folder: the files
// on disk, the engine runner with its link, the folder listing, the user's
// text editor and the instance's own temporary folder (removed when this
// goes). Needs a QApplication; lives as long as the window.
class PlatformServices {
 public:
  explicit PlatformServices(std::string program_folder);
  PlatformServices(const PlatformServices&) = delete;
  PlatformServices& operator=(const PlatformServices&) = delete;

  MainWindowServices services();

  // Why the engine link could not be opened; empty when it is open. Without
  // it every run refuses to start and says so.
  const std::string& link_error() const { return link_error_; }

 private:
  std::string program_folder_;
  DiskFileAccess files_;
  ProcessEngineRunner runner_;
  std::string link_error_;
  std::unique_ptr<InstanceFolder> temporary_folder_;
  std::string temporary_folder_error_;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_MAIN_WINDOW_PLATFORM_SERVICES_H_
