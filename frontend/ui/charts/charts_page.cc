#include "frontend/ui/charts/charts_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "frontend/model/results/results_store.h"
#include "frontend/model/results/results_table.h"
#include "frontend/model/results/sweep_results.h"
#include "frontend/ui/charts/chart_view.h"
#include "frontend/ui/common/object_names.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/ui_texts.h"
#include "frontend/ui/common/widget_factory.h"

namespace trakvist {
namespace {

constexpr int kParametersPerPage = 8;
constexpr int kValueListDigits = 8;
constexpr int kScaleDigits = 10;
constexpr int kAlgorithmNameDigits = 9;  // "BO-PATH" with a scroll bar's room
constexpr int kStartTitleSortColumn = 0;
constexpr int kTableRowPadding = 1;
constexpr int kListBottomMargin = 4;

// Parameter columns of a page: X-axis choice, value list, title check box.
enum ParameterColumn { kChoiceColumn, kValueColumn, kTitleColumn };

void AddHeadingRow(QGridLayout* grid) {
  for (int column = kChoiceColumn; column <= kTitleColumn; ++column) {
    auto* heading =
        MakeLabel(IndexedName("ParamHeading", column), kParameterColumnHeadings[column]);
    grid->addWidget(heading, 0, column);
  }
}

void AddParameterChoice(QGridLayout* grid, int index, QButtonGroup* group, ChartsControls* c) {
  const int row = NextRow(grid);
  c->coption[index] =
      MakeRadioButton(IndexedName("COption", index), XAxisName(index, /*no results*/ -1));
  c->cm[index] = MakeList(IndexedName("Cm", index));
  c->cm[index]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  c->cm[index]->setMinimumContentsLength(kValueListDigits);
  c->pcheck[index] = Named(new QCheckBox, IndexedName("PCheck", index));
  group->addButton(c->coption[index], index);
  grid->addWidget(c->coption[index], row, kChoiceColumn);
  grid->addWidget(c->cm[index], row, kValueColumn);
  grid->addWidget(c->pcheck[index], row, kTitleColumn, Qt::AlignHCenter);
}

QWidget* ParameterPage(int page, QButtonGroup* group, ChartsControls* c) {
  auto* widget = Named(new QWidget, IndexedName("Pg", page));
  auto* grid = new QGridLayout(widget);
  grid->setColumnStretch(kChoiceColumn, 1);
  grid->setVerticalSpacing(2);
  AddHeadingRow(grid);
  for (int i = 0; i < kParametersPerPage; ++i) {
    AddParameterChoice(grid, page * kParametersPerPage + i, group, c);
  }
  grid->setRowStretch(NextRow(grid), 1);
  c->pg[page] = widget;
  return widget;
}

QGroupBox* SimParametersFrame(ChartsControls* c) {
  auto* group = new QButtonGroup(c->page);
  c->pg_tabs = Named(new QTabWidget, QStringLiteral("PgTabs"));
  for (int page = 0; page < 2; ++page) {
    c->pg_tabs->addTab(ParameterPage(page, group, c), ToQString(kParameterPageTabs[page]));
  }
  c->coption[kNoXAxisVariable] =
      MakeRadioButton(IndexedName("COption", kNoXAxisVariable), kNoXAxisVariableName);
  group->addButton(c->coption[kNoXAxisVariable], kNoXAxisVariable);

  c->formula_label = MakeLabel(QStringLiteral("FormulaLabel"), kFormulaCaption);
  c->formula = MakeList(QStringLiteral("Formula"));
  for (const std::string_view item : kFormulaItems) c->formula->addItem(ToQString(item));
  c->formula->setToolTip(ToQString(kFormulaToolTip));
  c->formula_label->setBuddy(c->formula);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(c->coption[kNoXAxisVariable]);
  bottom->addStretch(1);
  bottom->addWidget(c->formula_label);
  bottom->addWidget(c->formula);

  c->sim_param_frame = MakeFrame(QStringLiteral("SimParamFrame"), kSimParametersCaption);
  auto* layout = new QVBoxLayout(c->sim_param_frame);
  layout->addWidget(c->pg_tabs);
  layout->addLayout(bottom);
  return c->sim_param_frame;
}

QLineEdit* NumberBox(const QString& name, int digits) {
  auto* box = Named(new QLineEdit, name);
  box->setFixedWidth(TextWidthFor(box, digits));
  return box;
}

// Title and Y scale, in one row under the results table.
QHBoxLayout* TitleAndScaleRow(ChartsControls* c) {
  c->label9 = MakeLabel(QStringLiteral("Label9"), kTitleCaption);
  c->title = Named(new QLineEdit, QStringLiteral("Title"));
  c->ctitle = Named(new QCheckBox, QStringLiteral("CTitle"));
  c->ctitle->setToolTip(ToQString(kCTitleToolTip));
  c->label9->setBuddy(c->title);
  c->label10 = MakeLabel(QStringLiteral("Label10"), kTimeUnitCaption);
  c->cunit = NumberBox(QStringLiteral("cunit"), kScaleDigits);
  c->label14 = MakeLabel(QStringLiteral("Label14"), kYAxisUnitsCaption);
  c->label10->setBuddy(c->cunit);
  auto* row = new QHBoxLayout;
  row->addWidget(c->label9);
  row->addWidget(c->title, 1);
  row->addWidget(c->ctitle);
  row->addSpacing(16);
  row->addWidget(c->label10);
  row->addWidget(c->cunit);
  row->addWidget(c->label14);
  return row;
}

QTreeWidget* ResultsTable() {
  auto* table = Named(new QTreeWidget, QStringLiteral("LTable"));
  table->setRootIsDecorated(false);
  table->setUniformRowHeights(true);
  table->setAllColumnsShowFocus(true);
  QStringList headers;
  for (const std::string_view header : kLTableHeaders) headers << ToQString(header);
  table->setHeaderLabels(headers);
  table->header()->setSortIndicatorShown(true);
  table->header()->setSortIndicator(kStartTitleSortColumn, Qt::AscendingOrder);
  table->header()->setSectionsClickable(true);
  table->header()->resizeSections(QHeaderView::ResizeToContents);
  // The first columns and all nine algorithms stay in view; the statistics'
  // columns, shown only with results that hold them, may need the scroll
  // bar, which has a strip of its own under the rows.
  for (int column = kLTableColumnCount; column < kLTableAllColumnCount; ++column) {
    table->setColumnHidden(column, true);
  }
  table->setMinimumWidth(table->header()->length() + 2 * table->frameWidth());
  // A row as the table draws it, measured on a row of its own.
  auto* probe = new QTreeWidgetItem(table, QStringList(ToQString(ResultsStore::AlgorithmNames(1))));
  const int row_height =
      std::max(table->sizeHintForRow(0), table->fontMetrics().height()) + kTableRowPadding;
  delete probe;
  table->setFixedHeight(table->header()->sizeHint().height() + kAlgorithmCount * row_height +
                        2 * table->frameWidth() +
                        table->horizontalScrollBar()->sizeHint().height());
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  return table;
}

QListWidget* ExclusionList() {
  auto* list = Named(new QListWidget, QStringLiteral("List1"));
  list->setSelectionMode(QAbstractItemView::MultiSelection);
  list->setFixedWidth(TextWidthFor(list, kAlgorithmNameDigits));
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    list->addItem(ToQString(ResultsStore::AlgorithmNames(a)));
  }
  // All nine names show at once, without scrolling.
  list->setFixedHeight(kAlgorithmCount * list->sizeHintForRow(0) + 2 * list->frameWidth() +
                       kListBottomMargin);
  list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return list;
}

constexpr std::array<const char*, kPercentileMetricCount> kStatisticOptionNames = {
    "P50Option", "P90Option", "P95Option", "P99Option", "SDOption"};

// The metric buttons in metric order.
std::vector<QRadioButton*> MetricOptions(const ChartsControls& c) {
  std::vector<QRadioButton*> options = {c.soption, c.woption, c.xwoption};
  options.insert(options.end(), c.statistic_options.begin(), c.statistic_options.end());
  return options;
}

QGroupBox* ContentFrame(ChartsControls* c) {
  c->soption = MakeRadioButton(QStringLiteral("SOption"), kTotalSeekCaption);
  c->woption = MakeRadioButton(QStringLiteral("WOption"), kAvWaitCaption);
  c->xwoption = MakeRadioButton(QStringLiteral("XWOption"), kMaxWaitCaption);
  for (int i = 0; i < kPercentileMetricCount; ++i) {
    c->statistic_options[i] = MakeRadioButton(QString::fromLatin1(kStatisticOptionNames[i]),
                                              MetricName(StatisticMetric(i)));
  }
  c->boption = MakeRadioButton(QStringLiteral("Boption"), kBarsCaption);
  c->loption = MakeRadioButton(QStringLiteral("Loption"), kLinesCaption);
  // Each pair of exclusive choices needs a group of its own.
  auto* metrics = new QButtonGroup(c->page);
  for (QRadioButton* button : MetricOptions(*c)) metrics->addButton(button);
  auto* types = new QButtonGroup(c->page);
  types->addButton(c->boption);
  types->addButton(c->loption);

  auto* metric_column = new QVBoxLayout;
  metric_column->setSpacing(2);
  for (QRadioButton* button : MetricOptions(*c)) metric_column->addWidget(button);
  metric_column->addStretch(1);
  auto* type_column = new QVBoxLayout;
  type_column->addWidget(c->boption);
  type_column->addWidget(c->loption);
  type_column->addStretch(1);

  c->label8 = MakeLabel(QStringLiteral("Label8"), kExcludeCaption);
  c->list1 = ExclusionList();
  c->label8->setBuddy(c->list1);
  auto* exclusion = new QVBoxLayout;
  exclusion->addWidget(c->label8);
  exclusion->addWidget(c->list1, 1);

  c->frame9 = MakeFrame(QStringLiteral("Frame9"), kContentCaption);
  auto* layout = new QHBoxLayout(c->frame9);
  layout->addLayout(metric_column);
  layout->addLayout(type_column);
  layout->addStretch(1);
  layout->addLayout(exclusion);
  return c->frame9;
}

// The display switches, under the content choices.
QHBoxLayout* DisplaySwitchRow(ChartsControls* c) {
  c->copy_tu = MakeCheckBox(QStringLiteral("CopyTU"), kCopyTuCaption);
  c->sr_check = MakeCheckBox(QStringLiteral("SRCheck"), kShowResultsCaption);
  c->showx = MakeCheckBox(QStringLiteral("Showx"), kShowxCaption);
  auto* row = new QHBoxLayout;
  row->addWidget(c->copy_tu);
  row->addWidget(c->sr_check);
  row->addWidget(c->showx);
  row->addStretch(1);
  return row;
}

// The table toggle and the Copy, Save Chart, Publish and Export Results
// buttons.
QHBoxLayout* ButtonRow(ChartsControls* c) {
  c->picture1 = MakePictureButton(QStringLiteral("Picture1"), QStyle::SP_TitleBarShadeButton,
                                  kPicture1ToolTip);
  c->copy_c = MakeButton(QStringLiteral("CopyC"), kCopyCaption);
  c->save_chart = MakeButton(QStringLiteral("SaveChart"), kSaveChartCaption);
  c->publish = MakeButton(QStringLiteral("Publish"), kPublishCaption);
  c->export_results = MakeButton(QStringLiteral("ExportResults"), kExportResultsCaption);
  SetMnemonic(c->copy_c, 1);          // C&opy
  SetMnemonic(c->save_chart, 5);      // Save &Chart
  SetMnemonic(c->publish, 0);         // &Publish
  SetMnemonic(c->export_results, 1);  // E&xport Results…
  c->export_results->setToolTip(ToQString(kExportResultsToolTip));
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(c->picture1);
  row->addWidget(c->copy_c);
  row->addWidget(c->save_chart);
  row->addWidget(c->publish);
  row->addWidget(c->export_results);
  return row;
}

}  // namespace

Metric StatisticMetric(int index) { return kAllMetrics[kBaseMetricCount + index]; }

ChartsControls BuildChartsPage(QWidget* page) {
  ChartsControls c;
  c.page = page;
  page->setObjectName(QStringLiteral("ChartsPage"));

  auto* left = new QVBoxLayout;
  left->addWidget(SimParametersFrame(&c));
  left->addWidget(ContentFrame(&c));
  left->addLayout(DisplaySwitchRow(&c));
  left->addStretch(1);

  c.mchart = Named(new ChartView, QStringLiteral("MChart"));
  c.ltable = ResultsTable();
  auto* right = new QVBoxLayout;
  right->addWidget(c.mchart, 1);
  right->addWidget(c.ltable);
  right->addLayout(TitleAndScaleRow(&c));
  right->addLayout(ButtonRow(&c));

  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left);
  layout->addLayout(right, 1);
  ShowPicture1(c, true);
  return c;
}

void ShowPicture1(const ChartsControls& controls, bool table_visible) {
  const QStyle::StandardPixmap picture =
      table_visible ? QStyle::SP_TitleBarShadeButton : QStyle::SP_TitleBarUnshadeButton;
  controls.picture1->setIcon(controls.page->style()->standardIcon(picture));
}

}  // namespace trakvist
