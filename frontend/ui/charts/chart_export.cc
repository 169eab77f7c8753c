#include "frontend/ui/charts/chart_export.h"

#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScreen>
#include <QSvgGenerator>

#include "frontend/ui/charts/chart_view.h"
#include "frontend/ui/common/qt_text.h"

namespace trakvist {
namespace {

constexpr QSize kPictureSize(1600, 1000);

// The chart is laid out as on a screen this many points wide and then scaled
// to the page, so its text keeps the proportions it has in the window.
constexpr double kLayoutWidth = 1000;

std::string CannotWrite(const std::string& path) {
  return "Can not write the chart to " + path + ".";
}

int LayoutResolution() {
  constexpr int kUsualResolution = 96;
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? qRound(screen->logicalDotsPerInchY()) : kUsualResolution;
}

void RenderScaled(const PictureRenderer& render, QPainter* painter, const QSizeF& size) {
  const double scale = size.width() / kLayoutWidth;
  painter->scale(scale, scale);
  render(painter, QRectF(0, 0, kLayoutWidth, size.height() / scale));
}

// Writes through a file beside the target, renamed over it when complete, so
// a failed export never leaves half a picture in place of an earlier one.
std::string WritePng(const PictureRenderer& render, const std::string& /*title*/,
                     const std::string& path) {
  QImage image(kPictureSize, QImage::Format_ARGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    RenderScaled(render, &painter, kPictureSize);
  }
  QSaveFile file(ToQString(path));
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
    return CannotWrite(path);
  }
  return "";
}

// The page has the picture's shape, so the chart is laid out on it as in
// the PNG and SVG files: 280 x 175 mm, a little narrower than A4 across.
constexpr QSizeF kPageSize(280, 175);
constexpr int kPdfResolution = 150;

std::string WritePdf(const PictureRenderer& render, const std::string& title,
                     const std::string& path) {
  QSaveFile file(ToQString(path));
  if (!file.open(QIODevice::WriteOnly)) return CannotWrite(path);
  {
    QPdfWriter writer(&file);
    writer.setPageLayout(QPageLayout(QPageSize(kPageSize, QPageSize::Millimeter),
                                     QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                     QPageLayout::Millimeter));
    writer.setResolution(kPdfResolution);
    writer.setTitle(ToQString(title));
    writer.setCreator(QStringLiteral("Trakvist"));
    QPainter painter(&writer);
    if (!painter.isActive()) return CannotWrite(path);
    const QRect area = writer.pageLayout().paintRectPixels(writer.resolution());
    RenderScaled(render, &painter, area.size());
  }
  return file.commit() ? "" : CannotWrite(path);
}

std::string WriteSvg(const PictureRenderer& render, const std::string& title,
                     const std::string& path) {
  QSaveFile file(ToQString(path));
  if (!file.open(QIODevice::WriteOnly)) return CannotWrite(path);
  {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(kPictureSize);
    generator.setViewBox(QRect(QPoint(0, 0), kPictureSize));
    // The chart's text is measured in the screen's pixels; written at the
    // same resolution it keeps the size it was laid out at, where any
    // other would enlarge or shrink every letter against the lines.
    generator.setResolution(LayoutResolution());
    generator.setTitle(ToQString(title));
    QPainter painter(&generator);
    if (!painter.isActive()) return CannotWrite(path);
    painter.fillRect(QRect(QPoint(0, 0), kPictureSize), Qt::white);
    RenderScaled(render, &painter, kPictureSize);
  }
  return file.commit() ? "" : CannotWrite(path);
}

}  // namespace

std::string ExportPicture(const PictureRenderer& render, const std::string& title,
                          const std::string& path, ChartFormat format) {
  switch (format) {
    case ChartFormat::kPng:
      return WritePng(render, title, path);
    case ChartFormat::kPdf:
      return WritePdf(render, title, path);
    case ChartFormat::kSvg:
      return WriteSvg(render, title, path);
  }
  return CannotWrite(path);
}

std::string ExportChart(const ChartModel& chart, const std::string& path, ChartFormat format) {
  const PictureRenderer render = [&chart](QPainter* painter, const QRectF& area) {
    ChartView::Render(chart, painter, area);
  };
  return ExportPicture(render, chart.title, path, format);
}

}  // namespace trakvist
