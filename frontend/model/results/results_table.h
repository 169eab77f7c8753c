#ifndef TRAKVIST_FRONTEND_MODEL_RESULTS_RESULTS_TABLE_H_
#define TRAKVIST_FRONTEND_MODEL_RESULTS_RESULTS_TABLE_H_

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/results/results_store.h"
#include "frontend/model/results/sweep_results.h"

namespace trakvist {

// Columns of the results table, numbered from 1 as the list view numbers
// them: the algorithm, then one value column per metric: the three of every
// sweep, then, when the results hold them, the waiting-time statistics.
inline constexpr int kAlgorithmColumn = 1;
inline constexpr int kLTableColumnCount = 4;
inline constexpr int kLTableAllColumnCount = 1 + kMetricCount;
inline constexpr std::array<std::string_view, kLTableAllColumnCount> kLTableHeaders = {
    "Algorithm",       "Total Seek Time", "Av. Waiting Time", "Max. Waiting Time",
    "Median Waiting Time", "90th Percentile", "95th Percentile", "99th Percentile",
    "Waiting Time Std. Dev."};
// Column widths at start-up, in twips (1/1440 inch).
inline constexpr std::array<int, kLTableAllColumnCount> kLTableStartWidths = {
    1155, 1725, 1770, 1801, 1900, 1600, 1600, 1600, 2100};

// The columns the table shows for the stored results: the first four, and
// the statistics' columns when the results hold them.
int LTableColumns(const ResultsStore& store);

// What a value cell holds until a refresh writes a number into it.
inline constexpr std::string_view kBlankCell = " ";

// One row of the results table.
struct LTableRow {
  std::string key;   // "K" followed by the algorithm index: "K1" (FCFS) .. "K9" (SATF)
  std::string text;  // the algorithm's name
  // Sub-items 1..8 at positions 0..7: total seek, average wait, maximum
  // wait, then the waiting-time statistics in metric order. With
  // replications a cell reads "mean ± h", h the half-width of the 95 %
  // confidence interval.
  std::array<std::string, kMetricCount> sub_items;
};

// The results table `LTable`: its rows in display order and the column that
// was sorted last, which is the one showing the sort indicator.
struct LTable {
  std::vector<LTableRow> rows;
  std::int16_t SortColumn = kAlgorithmColumn;
};

// The exclusion list `List1` ("Exclude:"): entry a - 1 selected excludes
// algorithm a from the table and the chart. Only "FCFS" at start-up.
struct ExclusionList {
  std::array<bool, kAlgorithmCount> selected = {true};
};

// Position of "BO-PATH" in the exclusion list.
inline constexpr int kBopathEntry = 7;

// Whether algorithm 1..9 is shown; false for any other index.
bool IsIncluded(const ExclusionList& list, int algorithm);

// The included algorithms in algorithm order.
std::vector<int> IncludedAlgorithms(const ExclusionList& list);

// "K" followed by the algorithm index.
std::string RowKey(int algorithm);

// The row with the given key; null when the table has none.
LTableRow* FindRow(LTable* table, std::string_view key);
const LTableRow* FindRow(const LTable& table, std::string_view key);

// The table as the main window starts: a blank row for every algorithm but
// FCFS, sorted by the algorithm column.
LTable StartLTable();

// Rebuilds the rows from the exclusion list: one row per included algorithm
// in algorithm order, its value cells blank. The sort column is kept.
void CreateLTable(LTable* table, const ExclusionList& list);

// Writes the metrics of run `run` into every row, each scaled by the Y
// scale text `cunit` (read for every cell). Cells stay as they are when the
// run has no results.
void UpdateLTable(LTable* table, const ResultsStore& store, std::string_view cunit,
                  std::int32_t run);

// Writes into every row the formula at position `formula` (1 average,
// 2 minimum, 3 maximum) of each metric over `runs`, computed on the stored
// values and scaled once. An algorithm keeps its cells when any of the runs
// has no results; nothing changes for no runs or another formula.
void UpdateLTableFormula(LTable* table, const ResultsStore& store, std::string_view cunit,
                         int formula, std::span<const std::int32_t> runs);

// A half-width as a cell shows it: rounded to three significant digits.
std::string HalfWidthText(double half_width);

// The separator between a mean and its half-width in a cell.
inline constexpr std::string_view kPlusMinus = " \u00b1 ";

// Orders the rows by column `column` (1..9) and moves the sort indicator
// there. The algorithm column, and any column number below it, restores
// algorithm order with the indicator on that column; a value column sorts
// ascending by the cells' numbers (leading-number rule, a blank reads 0),
// rows with equal values keeping their order. Returns false, changing
// nothing, for a column above 9.
bool SortLTable(LTable* table, int column);

// A click in the exclusion list, after the list has taken the user's
// change: "BO-PATH" is selected again, so BO-PATH stays excluded once the
// list has been touched, and the rows are rebuilt. The chart refresh that
// fills them is the caller's to run.
void List1_Click(ExclusionList* list, LTable* table);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RESULTS_RESULTS_TABLE_H_
