#include "frontend/model/chart/results_text.h"

#include "frontend/model/common/number_text.h"

namespace trakvist {
namespace {

// Position of the selected metric's cell among a row's sub-items.
std::size_t MetricCell(Metric metric) { return static_cast<std::size_t>(metric); }

}  // namespace

std::string SignedNumberText(double value) {
  const std::string text = NumberText(value);
  return text.starts_with('-') ? text : " " + text;
}

std::string CopyLtable(const LTable& table, Metric metric) {
  const std::size_t cell = MetricCell(metric);
  std::string text;
  for (const LTableRow& row : table.rows) {
    text += row.text;
    text += kFieldSeparator;
    text += row.sub_items[cell];
    text += kLineEnd;
  }
  return text;
}

std::string SeriesHeader(const ExclusionList& list) {
  std::string header;
  for (int a : IncludedAlgorithms(list)) {
    header += kFieldSeparator;
    header += ResultsStore::AlgorithmNames(a);
  }
  header += kLineEnd;
  return header;
}

std::string SeriesLine(double x_value, std::span<const std::optional<double>> values) {
  std::string line = SignedNumberText(x_value);
  for (const std::optional<double>& value : values) {
    line += kFieldSeparator;
    if (value) line += SignedNumberText(*value);
  }
  line += kLineEnd;
  return line;
}

}  // namespace trakvist
