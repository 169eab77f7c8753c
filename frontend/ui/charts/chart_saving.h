#ifndef TRAKVIST_FRONTEND_UI_CHARTS_CHART_SAVING_H_
#define TRAKVIST_FRONTEND_UI_CHARTS_CHART_SAVING_H_

#include <QString>
#include <optional>

#include "frontend/model/chart/chart_model.h"
#include "frontend/ui/charts/chart_export.h"

class QWidget;

namespace trakvist {

// "Save Chart…": asks for a file name and writes `chart` into it as the
// window-less mode's --chart does, PNG, SVG or PDF by the name's ending
// (".png" when none is typed). A name of another kind, or a file that cannot
// be written, is reported in a message box. Returns the file written.
std::optional<QString> SaveChart(QWidget* parent, const ChartModel& chart);

// The same without the dialog, for a name already chosen.
bool SaveChartTo(QWidget* parent, const ChartModel& chart, const QString& path);

// "Save Picture…": the same for any picture drawn by `render`.
std::optional<QString> SavePicture(QWidget* parent, const PictureRenderer& render,
                                   const std::string& title);
bool SavePictureTo(QWidget* parent, const PictureRenderer& render, const std::string& title,
                   const QString& path);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_CHARTS_CHART_SAVING_H_
