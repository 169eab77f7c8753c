#include "frontend/ui/charts/charts_view.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>

#include "frontend/ui/charts/charts_page.h"
#include "frontend/ui/common/background.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/up_down.h"

namespace trakvist {
namespace {

// Room around a cell's text: the item's margins and a gap before the next.
constexpr int kCellPadding = 16;

void ShowRow(const LTableRow& row, QTreeWidgetItem* item) {
  item->setData(0, kRowKeyRole, ToQString(row.key));
  item->setText(0, ToQString(row.text));
  for (std::size_t cell = 0; cell < row.sub_items.size(); ++cell) {
    item->setText(static_cast<int>(cell) + 1, ToQString(row.sub_items[cell]));
  }
}

void ShowLineEdit(QLineEdit* edit, const std::string& text, bool enabled, ColorRole colour) {
  SetTextKeepingCursor(edit, ToQString(text));
  edit->setEnabled(enabled);
  SetBackground(edit, colour);
}

}  // namespace

void ShowLTable(const LTable& table, int columns, QTreeWidget* view) {
  for (int column = 0; column < view->columnCount(); ++column) {
    view->setColumnHidden(column, column >= columns);
  }
  const int rows = static_cast<int>(table.rows.size());
  while (view->topLevelItemCount() > rows) delete view->takeTopLevelItem(rows);
  while (view->topLevelItemCount() < rows) view->addTopLevelItem(new QTreeWidgetItem);
  for (int i = 0; i < rows; ++i) {
    ShowRow(table.rows[static_cast<std::size_t>(i)], view->topLevelItem(i));
  }
  view->header()->setSortIndicator(table.SortColumn - 1, Qt::AscendingOrder);
  // A column too narrow for its cells ("mean ± h") widens; none narrows, so
  // a width the user chose stays while the cells fit.
  for (int column = 1; column < columns && column < view->columnCount(); ++column) {
    int needed = 0;
    for (int row = 0; row < view->topLevelItemCount(); ++row) {
      needed = std::max(needed, view->fontMetrics().horizontalAdvance(
                                    view->topLevelItem(row)->text(column)));
    }
    needed += kCellPadding;
    if (view->columnWidth(column) < needed) view->setColumnWidth(column, needed);
  }
}

void ShowExclusion(const ExclusionList& list, QListWidget* view) {
  const QSignalBlocker blocker(view);
  for (int a = 1; a <= kAlgorithmCount && a <= view->count(); ++a) {
    view->item(a - 1)->setSelected(list.selected[static_cast<std::size_t>(a - 1)]);
  }
}

void ShowChartsChoices(const ChartsTab& tab, const ChartsControls& c) {
  const Metric metric = tab.selection.SelectedMetric;
  c.soption->setChecked(metric == Metric::kTotalSeekTime);
  c.woption->setChecked(metric == Metric::kAverageWaitingTime);
  c.xwoption->setChecked(metric == Metric::kMaximumWaitingTime);
  for (int i = 0; i < kPercentileMetricCount; ++i) {
    QRadioButton* option = c.statistic_options[static_cast<std::size_t>(i)];
    option->setChecked(metric == StatisticMetric(i));
    option->setEnabled(tab.statistics_enabled);
  }
  c.boption->setChecked(tab.x_axis.chart_type == ChartType::kBars);
  c.loption->setChecked(tab.x_axis.chart_type == ChartType::kLines);

  ShowLineEdit(c.title, tab.Title, tab.title_enabled, tab.title_color);
  c.ctitle->setChecked(tab.CTitle);
  ShowLineEdit(c.cunit, tab.selection.cunit, true, tab.cunit_color);
  c.cunit->setReadOnly(tab.cunit_read_only);
  c.copy_tu->setChecked(tab.CopyTU);
  c.sr_check->setChecked(tab.SRCheck);
  c.showx->setChecked(tab.Showx);
}

}  // namespace trakvist
