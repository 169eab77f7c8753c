#include "frontend/model/chart/chart_model.h"

#include <algorithm>

namespace trakvist {

ChartModel StartChartModel() {
  ChartModel chart;
  SetChartGrid(&chart, 1, 1);
  chart.values[0][0] = std::string("0");
  return chart;
}

void SetChartGrid(ChartModel* chart, int categories, int series) {
  const std::size_t category_count = static_cast<std::size_t>(std::max(categories, 0));
  const std::size_t series_count = static_cast<std::size_t>(std::max(series, 0));
  chart->category_labels.assign(category_count, "");
  chart->series_labels.assign(series_count, "");
  chart->values.assign(category_count,
                       std::vector<std::optional<std::string>>(series_count, std::nullopt));
  chart->half_widths.clear();
}

}  // namespace trakvist
