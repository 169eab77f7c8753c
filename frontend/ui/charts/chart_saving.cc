#include "frontend/ui/charts/chart_saving.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <string>

#include "frontend/model/headless/headless_options.h"
#include "frontend/ui/charts/chart_export.h"
#include "frontend/ui/common/file_dialogs.h"
#include "frontend/ui/common/message_box.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/ui_texts.h"

namespace trakvist {

bool SaveChartTo(QWidget* parent, const ChartModel& chart, const QString& path) {
  const std::string name = ToStdString(path);
  const std::optional<ChartFormat> format = ChartFormatOf(name);
  if (!format) {
    ShowMessage(parent, kChartFileKinds);
    return false;
  }
  const std::string error = ExportChart(chart, name, *format);
  if (!error.empty()) {
    ShowMessage(parent, error);
    return false;
  }
  return true;
}

std::optional<QString> SaveChart(QWidget* parent, const ChartModel& chart) {
  // The folder of the last chart saved, for the next one.
  static QString last_folder = QDir::homePath();
  QFileDialog dialog(parent, ToQString(kSaveChartTitle), last_folder);
  dialog.setObjectName(QStringLiteral("SaveChartDialog"));
  dialog.setNameFilter(QtFileFilter(kChartFileFilter));
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("png"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString path = dialog.selectedFiles().constFirst();
  last_folder = QFileInfo(path).absolutePath();
  if (!SaveChartTo(parent, chart, path)) return std::nullopt;
  return path;
}

}  // namespace trakvist
