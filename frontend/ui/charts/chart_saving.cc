#include "frontend/ui/charts/chart_saving.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <string>

#include "frontend/model/headless/headless_options.h"
#include "frontend/ui/charts/chart_export.h"
#include "frontend/ui/charts/chart_view.h"
#include "frontend/ui/common/file_dialogs.h"
#include "frontend/ui/common/message_box.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/ui_texts.h"

namespace trakvist {

bool SavePictureTo(QWidget* parent, const PictureRenderer& render, const std::string& title,
                   const QString& path) {
  const std::string name = ToStdString(path);
  const std::optional<ChartFormat> format = ChartFormatOf(name);
  if (!format) {
    ShowMessage(parent, kChartFileKinds);
    return false;
  }
  const std::string error = ExportPicture(render, title, name, *format);
  if (!error.empty()) {
    ShowMessage(parent, error);
    return false;
  }
  return true;
}

bool SaveChartTo(QWidget* parent, const ChartModel& chart, const QString& path) {
  const PictureRenderer render = [&chart](QPainter* painter, const QRectF& area) {
    ChartView::Render(chart, painter, area);
  };
  return SavePictureTo(parent, render, chart.title, path);
}

namespace {

// The folder of the last picture saved, for the next one.
QString& LastFolder() {
  static QString last_folder = QDir::homePath();
  return last_folder;
}

std::optional<QString> AskPicturePath(QWidget* parent, const QString& caption,
                                      const QString& object_name) {
  QString& last_folder = LastFolder();
  QFileDialog dialog(parent, caption, last_folder);
  dialog.setObjectName(object_name);
  dialog.setNameFilter(QtFileFilter(kChartFileFilter));
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("png"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString path = dialog.selectedFiles().constFirst();
  last_folder = QFileInfo(path).absolutePath();
  return path;
}

}  // namespace

std::optional<QString> SaveChart(QWidget* parent, const ChartModel& chart) {
  const std::optional<QString> path =
      AskPicturePath(parent, ToQString(kSaveChartTitle), QStringLiteral("SaveChartDialog"));
  if (!path || !SaveChartTo(parent, chart, *path)) return std::nullopt;
  return path;
}

std::optional<QString> SavePicture(QWidget* parent, const PictureRenderer& render,
                                   const std::string& title) {
  const std::optional<QString> path =
      AskPicturePath(parent, QStringLiteral("Save Picture"), QStringLiteral("SavePictureDialog"));
  if (!path || !SavePictureTo(parent, render, title, *path)) return std::nullopt;
  return path;
}

}  // namespace trakvist
