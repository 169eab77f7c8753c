#include "frontend/model/chart/chart_copies.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "frontend/model/common/utilities.h"

namespace trakvist {
namespace {

constexpr std::size_t kMaxChartWindows = std::numeric_limits<std::int16_t>::max();

// Window sizes are 16-bit in the chart component; larger ones saturate.
std::int16_t ToInt16(int value) {
  return static_cast<std::int16_t>(std::clamp<int>(value, std::numeric_limits<std::int16_t>::min(),
                                                   std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

void ResizeChartWindow(ChartWindowLayout* layout, int width, int height) {
  layout->chart_width = MaxInt16(ToInt16(width - 10), 10);
  layout->chart_height = MaxInt16(ToInt16(height - 36), 30);
  layout->copy_top = height - 26;
}

void CopyChart(const ChartModel& source, ChartModel* destination) { *destination = source; }

std::int16_t ChartCopyCount(const ChartCopies& copies) {
  return static_cast<std::int16_t>(copies.windows.size());
}

std::optional<std::int16_t> Publish(ChartCopies* copies, const ChartModel& chart,
                                    std::string_view results_text) {
  if (copies->windows.size() >= kMaxChartWindows) return std::nullopt;
  ChartWindow window;
  window.number = static_cast<std::int16_t>(copies->windows.size() + 1);
  CopyChart(chart, &window.Cchart);
  window.text = results_text;
  copies->windows.push_back(std::move(window));
  return copies->windows.back().number;
}

bool RemoveChartWindow(ChartCopies* copies, std::int16_t number) {
  std::vector<ChartWindow>& windows = copies->windows;
  if (number < 1 || static_cast<std::size_t>(number) > windows.size()) return false;
  const std::size_t position = static_cast<std::size_t>(number) - 1;
  if (position + 1 != windows.size()) {
    windows[position] = std::move(windows.back());
    windows[position].number = number;
  }
  windows.pop_back();
  return true;
}

const ChartWindow* FindChartWindow(const ChartCopies& copies, std::int16_t number) {
  if (number < 1 || static_cast<std::size_t>(number) > copies.windows.size()) return nullptr;
  return &copies.windows[static_cast<std::size_t>(number) - 1];
}

}  // namespace trakvist
