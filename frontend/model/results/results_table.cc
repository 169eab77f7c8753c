#include "frontend/model/results/results_table.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "frontend/model/common/number_text.h"
#include "frontend/model/results/formula.h"

namespace trakvist {
namespace {

// The metrics with a column for the stored results.
std::span<const Metric> ColumnMetrics(const ResultsStore& store) {
  return {kAllMetrics.data(), static_cast<std::size_t>(LTableColumns(store) - 1)};
}

// A cell's text for a stored value in TU. The scale is read for every cell,
// so each cell shows the Y scale as it stands when it is written.
std::string ScaledCell(double value, std::string_view cunit) {
  return NumberText(LeadingNumber(cunit) * value);
}

// The row of `rows` with the given key, const or not as `rows` is.
template <typename Rows>
auto FindKey(Rows& rows, std::string_view key) -> decltype(&rows.front()) {
  auto row =
      std::find_if(rows.begin(), rows.end(), [key](const LTableRow& r) { return r.key == key; });
  return row == rows.end() ? nullptr : &*row;
}

// The formula over the stored values of one metric, in TU; nothing when
// any of the runs has no results.
std::optional<double> StoredFormula(const ResultsStore& store, Metric metric, int algorithm,
                                    int formula, std::span<const std::int32_t> runs) {
  std::vector<double> values;
  values.reserve(runs.size());
  for (std::int32_t run : runs) {
    if (!store.Results().Contains(algorithm, run)) return std::nullopt;
    values.push_back(store.Results().Get(metric, algorithm, run));
  }
  return ApplyFormula(formula, values);
}

}  // namespace

std::string HalfWidthText(double half_width) {
  if (half_width == 0.0 || !std::isfinite(half_width)) return NumberText(half_width);
  // Three significant digits: the interval itself is known no better.
  const double magnitude = std::floor(std::log10(std::fabs(half_width)));
  const double unit = std::pow(10.0, magnitude - 2);
  return NumberText(std::round(half_width / unit) * unit);
}

bool IsIncluded(const ExclusionList& list, int algorithm) {
  return algorithm >= 1 && algorithm <= kAlgorithmCount && !list.selected[algorithm - 1];
}

std::vector<int> IncludedAlgorithms(const ExclusionList& list) {
  std::vector<int> algorithms;
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    if (IsIncluded(list, a)) algorithms.push_back(a);
  }
  return algorithms;
}

std::string RowKey(int algorithm) { return "K" + std::to_string(algorithm); }

LTableRow* FindRow(LTable* table, std::string_view key) { return FindKey(table->rows, key); }

const LTableRow* FindRow(const LTable& table, std::string_view key) {
  return FindKey(table.rows, key);
}

LTable StartLTable() {
  LTable table;
  CreateLTable(&table, ExclusionList{});
  return table;
}

void CreateLTable(LTable* table, const ExclusionList& list) {
  table->rows.clear();
  for (int a : IncludedAlgorithms(list)) {
    const std::string blank(kBlankCell);
    LTableRow row{RowKey(a), std::string(ResultsStore::AlgorithmNames(a)), {}};
    row.sub_items.fill(blank);
    table->rows.push_back(std::move(row));
  }
}

int LTableColumns(const ResultsStore& store) {
  return store.Results().HasPercentiles() ? kLTableAllColumnCount : kLTableColumnCount;
}

void UpdateLTable(LTable* table, const ResultsStore& store, std::string_view cunit,
                  std::int32_t run) {
  const Replications& replications = store.ResultReplications();
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    LTableRow* row = FindRow(table, RowKey(a));
    if (row == nullptr || !store.Results().Contains(a, run)) continue;
    for (Metric metric : ColumnMetrics(store)) {
      std::string cell = ScaledCell(store.Results().Get(metric, a, run), cunit);
      if (replications.Replicated()) {
        cell += kPlusMinus;
        cell += HalfWidthText(LeadingNumber(cunit) * HalfWidth(replications, metric, a, run));
      }
      row->sub_items[static_cast<std::size_t>(metric)] = std::move(cell);
    }
  }
}

void UpdateLTableFormula(LTable* table, const ResultsStore& store, std::string_view cunit,
                         int formula, std::span<const std::int32_t> runs) {
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    LTableRow* row = FindRow(table, RowKey(a));
    if (row == nullptr) continue;
    for (Metric metric : ColumnMetrics(store)) {
      const std::optional<double> aggregate = StoredFormula(store, metric, a, formula, runs);
      if (aggregate) row->sub_items[static_cast<std::size_t>(metric)] = ScaledCell(*aggregate, cunit);
    }
  }
}

bool SortLTable(LTable* table, int column) {
  if (column > kLTableAllColumnCount) return false;
  std::vector<LTableRow>& rows = table->rows;
  if (column <= kAlgorithmColumn) {
    column = kAlgorithmColumn;  // the indicator goes on a column that exists
    // Keys "K1".."K9" have one digit, so their text order is algorithm order.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const LTableRow& a, const LTableRow& b) { return a.key < b.key; });
  } else {
    const std::size_t cell = column - 2;
    std::stable_sort(rows.begin(), rows.end(), [cell](const LTableRow& a, const LTableRow& b) {
      return LeadingNumber(a.sub_items[cell]) < LeadingNumber(b.sub_items[cell]);
    });
  }
  table->SortColumn = static_cast<std::int16_t>(column);
  return true;
}

void List1_Click(ExclusionList* list, LTable* table) {
  list->selected[kBopathEntry] = true;
  CreateLTable(table, *list);
}

}  // namespace trakvist
