#include "frontend/ui/chart_export.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "frontend/ui/chart_view.h"
#include "frontend/ui/qt_text.h"

namespace trakvist {
namespace {

constexpr QSize kPictureSize(1600, 1000);

// The chart is laid out as on a screen this many points wide and then scaled
// to the page, so its text keeps the proportions it has in the window.
constexpr double kLayoutWidth = 1000;

std::string CannotWrite(const std::string& path) {
  return "Can not write the chart to " + path + ".";
}

void RenderScaled(const ChartModel& chart, QPainter* painter, const QSizeF& size) {
  const double scale = size.width() / kLayoutWidth;
  painter->scale(scale, scale);
  ChartView::Render(chart, painter, QRectF(0, 0, kLayoutWidth, size.height() / scale));
}

// Writes through a file beside the target, renamed over it when complete, so
// a failed export never leaves half a picture in place of an earlier one.
std::string WritePng(const ChartModel& chart, const std::string& path) {
  QImage image(kPictureSize, QImage::Format_ARGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    RenderScaled(chart, &painter, kPictureSize);
  }
  QSaveFile file(ToQString(path));
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
    return CannotWrite(path);
  }
  return "";
}

std::string WritePdf(const ChartModel& chart, const std::string& path) {
  QSaveFile file(ToQString(path));
  if (!file.open(QIODevice::WriteOnly)) return CannotWrite(path);
  {
    QPdfWriter writer(&file);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    writer.setResolution(150);
    writer.setTitle(ToQString(chart.title));
    writer.setCreator(QStringLiteral("Trakvist"));
    QPainter painter(&writer);
    if (!painter.isActive()) return CannotWrite(path);
    // The painter starts at the top left corner inside the margins.
    const QRect area = writer.pageLayout().paintRectPixels(writer.resolution());
    RenderScaled(chart, &painter, area.size());
  }
  return file.commit() ? "" : CannotWrite(path);
}

std::string WriteSvg(const ChartModel& chart, const std::string& path) {
  QSaveFile file(ToQString(path));
  if (!file.open(QIODevice::WriteOnly)) return CannotWrite(path);
  {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(kPictureSize);
    generator.setViewBox(QRect(QPoint(0, 0), kPictureSize));
    generator.setResolution(144);  // 1600 units make 28 cm
    generator.setTitle(ToQString(chart.title));
    QPainter painter(&generator);
    if (!painter.isActive()) return CannotWrite(path);
    painter.fillRect(QRect(QPoint(0, 0), kPictureSize), Qt::white);
    RenderScaled(chart, &painter, kPictureSize);
  }
  return file.commit() ? "" : CannotWrite(path);
}

}  // namespace

std::string ExportChart(const ChartModel& chart, const std::string& path, ChartFormat format) {
  switch (format) {
    case ChartFormat::kPng:
      return WritePng(chart, path);
    case ChartFormat::kPdf:
      return WritePdf(chart, path);
    case ChartFormat::kSvg:
      return WriteSvg(chart, path);
  }
  return CannotWrite(path);
}

}  // namespace trakvist
