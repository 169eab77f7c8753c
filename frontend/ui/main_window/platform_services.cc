#include "frontend/ui/main_window/platform_services.h"

#include <QFile>
#include <QStandardPaths>
#include <utility>

#include "frontend/platform/folder_listing.h"
#include "frontend/platform/text_editor.h"

namespace trakvist {

PlatformServices::PlatformServices(std::string program_folder)
    : program_folder_(std::move(program_folder)) {
  if (const std::error_code error = runner_.OpenLink()) link_error_ = error.message();
  temporary_folder_ = InstanceFolder::ForProgram(program_folder_, &temporary_folder_error_);
}

MainWindowServices PlatformServices::services() {
  MainWindowServices services;
  services.files = &files_;
  services.runner = &runner_;
  services.list_folder = [](const std::string& folder) { return ListFolder(folder); };
  services.open_in_editor = [](const std::string& path) { return OpenInTextEditor(path); };
  services.program_folder = program_folder_;
  const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (!config.isEmpty()) {
    services.settings_file = QFile::encodeName(config + QStringLiteral("/Trakvist.ini")).toStdString();
  }
  if (temporary_folder_ != nullptr) {
    services.temporary_folder = temporary_folder_->path();
  } else {
    services.temporary_folder_error = temporary_folder_error_;
  }
  return services;
}

}  // namespace trakvist
