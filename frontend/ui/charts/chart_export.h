#ifndef TRAKVIST_FRONTEND_UI_CHARTS_CHART_EXPORT_H_
#define TRAKVIST_FRONTEND_UI_CHARTS_CHART_EXPORT_H_

#include <functional>
#include <string>

#include "frontend/model/chart/chart_model.h"
#include "frontend/model/headless/headless_options.h"

class QPainter;
class QRectF;

namespace trakvist {

// Draws a picture into the area given on the painter.
using PictureRenderer = std::function<void(QPainter* painter, const QRectF& area)>;

// Writes any picture as ExportChart writes the chart, laid out as the chart
// is (1000 points across, scaled to the file), `title` naming the document.
std::string ExportPicture(const PictureRenderer& render, const std::string& title,
                          const std::string& path, ChartFormat format);

// Writes the chart into a picture file: PNG at 1600 x 1000 pixels, PDF on a
// page of 280 x 175 mm, SVG at 1600 x 1000 units, fit for a paper or a
// slide. All three show the same layout.
// Needs a QApplication; no window is shown. Returns what went wrong, empty
// when the file was written.
std::string ExportChart(const ChartModel& chart, const std::string& path, ChartFormat format);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_CHARTS_CHART_EXPORT_H_
