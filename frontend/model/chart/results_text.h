#ifndef TRAKVIST_FRONTEND_MODEL_CHART_RESULTS_TEXT_H_
#define TRAKVIST_FRONTEND_MODEL_CHART_RESULTS_TEXT_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "frontend/model/common/line_end.h"
#include "frontend/model/results/results_table.h"
#include "frontend/model/results/sweep_results.h"

namespace trakvist {

// The copy text `ResultsText` is tab-separated lines, each ended by
// kLineEnd, ready to paste into a spreadsheet.
inline constexpr char kFieldSeparator = '\t';

// Number text with a space in front of a number that is zero or positive; a
// negative number starts with its minus sign instead, so columns align.
std::string SignedNumberText(double value);

// The table form: for each row in display order, the algorithm name, a tab
// and the cell of the selected metric's column. No header line.
std::string CopyLtable(const LTable& table, Metric metric);

// The series form's header line: for each included algorithm, a tab and its
// name; the line so starts with the empty corner cell.
std::string SeriesHeader(const ExclusionList& list);

// One line of the series form: the X value, then a tab and each plotted
// value in the included algorithms' order, all in signed-number text. A
// value that is missing leaves its field empty.
std::string SeriesLine(double x_value, std::span<const std::optional<double>> values);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_CHART_RESULTS_TEXT_H_
