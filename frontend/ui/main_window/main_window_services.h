#ifndef TRAKVIST_FRONTEND_UI_MAIN_WINDOW_MAIN_WINDOW_SERVICES_H_
#define TRAKVIST_FRONTEND_UI_MAIN_WINDOW_MAIN_WINDOW_SERVICES_H_

#include <functional>
#include <string>
#include <vector>

#include "frontend/model/common/file_access.h"
#include "frontend/model/runs/simulator_list.h"
#include "frontend/model/shell/main_state.h"

namespace trakvist {

class ProcessEngineRunner;

// Lists the program folder for the simulator list.
using FolderLister = std::function<std::vector<FolderEntry>(const std::string& folder)>;
// Opens a text file in the user's editor; returns an empty text when the
// editor was started, else a message for the user.
using EditorOpener = std::function<std::string(const std::string& path)>;

// What the main window needs from the platform. The program builds the real
// ones (PlatformServices); tests do the same in a scratch program folder.
// The file access and the runner must outlive the window.
struct MainWindowServices {
  FileAccess* files = nullptr;            // Disks.ini, requests and simulation files
  ProcessEngineRunner* runner = nullptr;  // with its link open
  FolderLister list_folder;
  EditorOpener open_in_editor;
  std::string program_folder;  // ending in "/"
  // The instance's folder for temporary files, ending in "/"; when it could
  // not be made, empty and `temporary_folder_error` says why.
  std::string temporary_folder;
  std::string temporary_folder_error;
  // The INI file that keeps the window's geometry and recent files; empty:
  // nothing is remembered.
  std::string settings_file;
};

// The main window's start state over these services: the program folder,
// its listing and its disk catalogue, and the temporary folder.
MainState StartStateFor(const MainWindowServices& services);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_MAIN_WINDOW_MAIN_WINDOW_SERVICES_H_
