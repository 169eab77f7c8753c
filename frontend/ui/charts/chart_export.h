#ifndef TRAKVIST_FRONTEND_UI_CHARTS_CHART_EXPORT_H_
#define TRAKVIST_FRONTEND_UI_CHARTS_CHART_EXPORT_H_

#include <string>

#include "frontend/model/chart/chart_model.h"
#include "frontend/model/headless/headless_options.h"

namespace trakvist {

// Writes the chart into a picture file: PNG at 1600 x 1000 pixels, PDF on a
// page of 280 x 175 mm, SVG at 1600 x 1000 units, fit for a paper or a
// slide. All three show the same layout.
// Needs a QApplication; no window is shown. Returns what went wrong, empty
// when the file was written.
std::string ExportChart(const ChartModel& chart, const std::string& path, ChartFormat format);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_CHARTS_CHART_EXPORT_H_
