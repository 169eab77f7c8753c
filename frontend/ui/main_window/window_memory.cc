#include "frontend/ui/main_window/window_memory.h"

#include <QFile>
#include <QSettings>
#include <QStringList>

#include "frontend/model/shell/window_status.h"

namespace trakvist {
namespace {

const QString kGeometryKey = QStringLiteral("MainWindow/geometry");
const QString kRecentFilesKey = QStringLiteral("RecentFiles/paths");

}  // namespace

WindowMemory::WindowMemory(const std::string& settings_file) {
  if (settings_file.empty()) return;
  settings_ = std::make_unique<QSettings>(QFile::decodeName(settings_file.c_str()),
                                          QSettings::IniFormat);
}

WindowMemory::~WindowMemory() = default;

QByteArray WindowMemory::Geometry() const {
  return settings_ ? settings_->value(kGeometryKey).toByteArray() : QByteArray();
}

void WindowMemory::SetGeometry(const QByteArray& geometry) {
  if (!settings_) return;
  settings_->setValue(kGeometryKey, geometry);
  settings_->sync();
}

std::vector<std::string> WindowMemory::RecentFiles() const {
  std::vector<std::string> paths;
  if (!settings_) return paths;
  for (const QString& path : settings_->value(kRecentFilesKey).toStringList()) {
    if (!path.isEmpty() && std::ssize(paths) < kMaxRecentFiles) {
      paths.push_back(QFile::encodeName(path).toStdString());
    }
  }
  return paths;
}

void WindowMemory::SetRecentFiles(const std::vector<std::string>& paths) {
  if (!settings_) return;
  QStringList list;
  for (const std::string& path : paths) list << QFile::decodeName(path.c_str());
  settings_->setValue(kRecentFilesKey, list);
  // Written now, not at some later event, so that a file operation in
  // progress then never meets it.
  settings_->sync();
}

}  // namespace trakvist
