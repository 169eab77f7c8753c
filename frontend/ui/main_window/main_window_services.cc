#include "frontend/ui/main_window/main_window_services.h"

namespace trakvist {

MainState StartStateFor(const MainWindowServices& services) {
  StartContext context;
  context.app_folder = services.program_folder;
  if (services.list_folder) context.folder_entries = services.list_folder(services.program_folder);
  context.files = services.files;
  MainState state = StartMainState(context);
  state.TemporaryFolder = services.temporary_folder;
  state.temporary_folder_error = services.temporary_folder_error;
  return state;
}

}  // namespace trakvist
