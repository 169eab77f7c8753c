// The "Charts" tab on Qt's offscreen platform: results stored as a finished
// sweep stores them, then the tab's controls worked as a user works them,
// checked on the chart the view draws, the table, the clipboard and the
// published chart windows.
#include "frontend/ui/charts/charts_controller.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <memory>
#include <utility>

#include "frontend/model/shell/main_actions.h"
#include "frontend/ui/chart_windows/chart_copy_window.h"
#include "frontend/ui/charts/chart_view.h"
#include "frontend/ui/charts/charts_view.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/ui_texts.h"
#include "frontend/ui/main_window/main_window.h"
#include "tests/frontend/model/results/results_test_support.h"
#include "tests/frontend/ui/ui_test_support.h"

namespace trakvist {
namespace {

using Points = QList<QPointF>;

// Parameter 0 over 100, 200, 300; the seconds per TU 0.5; all else single.
SweepRanges ThreeRequestTotals() {
  SweepRanges ranges{};
  ranges[0] = {100, 100, 300};
  ranges[kSecondsPerTuParameter] = {0.5, 1, 0.5};
  return ranges;
}

// One run whose seek falls with the algorithm (100 - a), whose average
// wait is (4 a) mod 9 and whose maximum wait rises with it (a).
SweepResults MixedOrderRun() {
  SweepResults results(1);
  for (int a = 1; a <= kAlgorithmCount; ++a) {
    results.Set(Metric::kTotalSeekTime, a, 1, 100 - a);
    results.Set(Metric::kAverageWaitingTime, a, 1, (4 * a) % 9);
    results.Set(Metric::kMaximumWaitingTime, a, 1, a);
  }
  return results;
}

// MixedOrderRun with the waiting-time statistics: statistic i (0 the
// median) of algorithm a is (a (i + 2)) mod 11, a different order for each.
SweepResults MixedOrderRunWithStatistics() {
  SweepResults results = MixedOrderRun();
  results.EnablePercentiles();
  for (int i = 0; i < kPercentileMetricCount; ++i) {
    for (int a = 1; a <= kAlgorithmCount; ++a) {
      results.Set(kAllMetrics[kBaseMetricCount + i], a, 1, (a * (i + 2)) % 11);
    }
  }
  return results;
}

SweepEnd Completed(SweepResults results, const SweepRanges& ranges) {
  SweepEnd end;
  end.kind = SweepEndKind::kCompleted;
  end.results = std::move(results);
  end.result_ranges = ranges;
  end.result_distribution = 1;
  return end;
}

QStringList RowKeys(const QTreeWidget* table) {
  QStringList keys;
  for (int i = 0; i < table->topLevelItemCount(); ++i) {
    keys << table->topLevelItem(i)->data(0, kRowKeyRole).toString();
  }
  return keys;
}

QStringList Keys(std::initializer_list<int> algorithms) {
  QStringList keys;
  for (const int a : algorithms) keys << QStringLiteral("K%1").arg(a);
  return keys;
}

void ClickHeader(QTreeWidget* table, int section) {
  QHeaderView* header = table->header();
  const QPoint centre(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                      header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
}

void ClickItem(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

// What a timer's expiry does, without waiting for it.
void Expire(QTimer* timer) {
  QVERIFY(timer->isActive());
  QVERIFY(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection));
}

void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class ChartsControllerTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void threeValuesFillTableAndChart();
  void noXAxisVariableShowsTheChosenPoint();
  void newResultsRedrawEverything();
  void headerClickSortsRowsAndCopyText_data();
  void headerClickSortsRowsAndCopyText();
  void exclusionListKeepsBopathExcluded();
  void metricChangesTheValuesAndAutomaticTitle();
  void statisticsChartAndSortLikeTheOtherMetrics_data();
  void statisticsChartAndSortLikeTheOtherMetrics();
  void statisticsNeedResultsThatHoldThem();
  void replicatedResultsDrawErrorBars_data();
  void replicatedResultsDrawErrorBars();
  void formulaChangesTheChartLayout();
  void typingWaitsForTheDelay_data();
  void typingWaitsForTheDelay();
  void clickRefreshesAtOnceAndStopsTheDelay();
  void yScaleInSeconds();
  void copyPutsPictureAndText();
  void saveChartWritesTheChosenFile();
  void linesLeaveNoMarkersBehind();
  void publishNeedsResults();
  void publishOpensNumberedWindows();
  void closingAWindowRenumbersTheLast();
  void publishedWindowKeepsItsSnapshot();
  void chartWindowLayout_data();
  void chartWindowLayout();
  void mainWindowClosesChartWindows();

 private:
  void StoreResults(SweepResults results, const SweepRanges& ranges);
  ChartCopyWindow* Publish();
  QList<int> WindowNumbers() const;

  std::unique_ptr<QWidget> page_;
  std::unique_ptr<MainState> state_;
  ChartsControls c_;
  ChartsController* controller_ = nullptr;
};

void ChartsControllerTest::init() {
  state_ = std::make_unique<MainState>(StartMainState({}));
  page_ = std::make_unique<QWidget>();
  c_ = BuildChartsPage(page_.get());
  controller_ = new ChartsController(state_.get(), c_, page_.get());
  page_->resize(1160, 680);
  page_->show();
  QVERIFY(QTest::qWaitForWindowExposed(page_.get()));
}

void ChartsControllerTest::cleanup() {
  page_.reset();
  state_.reset();
  DeleteClosedWindows();
}

void ChartsControllerTest::StoreResults(SweepResults results, const SweepRanges& ranges) {
  QVERIFY(FinishSweep(state_.get(), Completed(std::move(results), ranges)).empty());
  controller_->ShowAll();
}

ChartCopyWindow* ChartsControllerTest::Publish() {
  c_.publish->click();
  return controller_->chart_windows().empty() ? nullptr : controller_->chart_windows().back();
}

QList<int> ChartsControllerTest::WindowNumbers() const {
  QList<int> numbers;
  for (const ChartCopyWindow* window : controller_->chart_windows()) numbers << window->Number();
  return numbers;
}

void ChartsControllerTest::threeValuesFillTableAndChart() {
  QAbstractItemModelTester tester(c_.ltable->model(),
                                  QAbstractItemModelTester::FailureReportingMode::QtTest);
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  c_.coption[0]->click();

  QCOMPARE(c_.cm[0]->count(), 3);
  ChartView* chart = c_.mchart;
  QCOMPARE(chart->Categories(), QStringList({"100", "200", "300"}));
  QCOMPARE(chart->SeriesNames(),
           QStringList({"SSTF", "SCAN", "C-SCAN", "LOOK", "C-LOOK", "S-LOOK", "BO-PATH", "SATF"}));
  QVERIFY(chart->LegendShown());
  QCOMPARE(chart->XAxisTitle(), QStringLiteral("Total Number of Requests"));
  // SSTF (algorithm 2) has the seek 100 r + 2 in run r.
  QCOMPARE(chart->Points(0), Points({{0, 102}, {1, 202}, {2, 302}}));

  // The table shows the point chosen in the X-axis variable's list: run 1.
  QCOMPARE(RowKeys(c_.ltable), Keys({2, 3, 4, 5, 6, 7, 8, 9}));
  const QTreeWidgetItem* sstf = c_.ltable->topLevelItem(0);
  QCOMPARE(sstf->text(0), QStringLiteral("SSTF"));
  QCOMPARE(sstf->text(1), QStringLiteral("102"));
  QCOMPARE(sstf->text(2), QStringLiteral("12"));
  QCOMPARE(sstf->text(3), QStringLiteral("3"));

  // "X-axis Title" cleared drops the axis title at once.
  c_.showx->click();
  QCOMPARE(chart->XAxisTitle(), QString());
}

void ChartsControllerTest::noXAxisVariableShowsTheChosenPoint() {
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  ChartView* chart = c_.mchart;
  QVERIFY(!chart->LegendShown());
  QCOMPARE(chart->Categories(),
           QStringList({"SSTF", "SCAN", "CSCAN", "LOOK", "CLOOK", "SLOOK", "BOPATH", "SATF"}));
  QCOMPARE(chart->Points(0).front(), QPointF(0, 102));

  PickNext(c_.cm[0]);  // 200: run 2
  QCOMPARE(c_.cm[0]->currentText(), QStringLiteral("200"));
  QCOMPARE(chart->Points(0).front(), QPointF(0, 202));
  QCOMPARE(c_.ltable->topLevelItem(0)->text(1), QStringLiteral("202"));

  c_.sr_check->click();
  QVERIFY(chart->Footnote().startsWith(QStringLiteral("SSTF: 202  SCAN: 203  ")));
}

void ChartsControllerTest::newResultsRedrawEverything() {
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  c_.coption[0]->click();
  SweepRanges two = ThreeRequestTotals();
  two[0] = {1, 1, 2};
  StoreResults(NumberedResults(2), two);
  QCOMPARE(c_.cm[0]->count(), 2);
  QCOMPARE(c_.cm[0]->currentText(), QStringLiteral("1"));
  QCOMPARE(c_.mchart->Categories(), QStringList({"1", "2"}));
  QCOMPARE(c_.mchart->Points(0), Points({{0, 102}, {1, 202}}));
  QVERIFY(c_.publish->isEnabled());
}

void ChartsControllerTest::headerClickSortsRowsAndCopyText_data() {
  QTest::addColumn<QList<int>>("sections");
  QTest::addColumn<QStringList>("keys");
  QTest::newRow("seek") << QList<int>{1} << Keys({9, 8, 7, 6, 5, 4, 3, 2});
  QTest::newRow("seek twice") << QList<int>{1, 1} << Keys({9, 8, 7, 6, 5, 4, 3, 2});
  // Waits 8, 3, 7, 2, 6, 1, 5, 0 for SSTF .. SATF.
  QTest::newRow("average wait") << QList<int>{2} << Keys({9, 7, 5, 3, 8, 6, 4, 2});
  QTest::newRow("maximum wait") << QList<int>{1, 3} << Keys({2, 3, 4, 5, 6, 7, 8, 9});
  QTest::newRow("back to algorithm") << QList<int>{1, 0} << Keys({2, 3, 4, 5, 6, 7, 8, 9});
}

void ChartsControllerTest::headerClickSortsRowsAndCopyText() {
  QFETCH(QList<int>, sections);
  QFETCH(QStringList, keys);
  StoreResults(MixedOrderRun(), SweepRanges{});
  for (const int section : sections) ClickHeader(c_.ltable, section);

  QCOMPARE(RowKeys(c_.ltable), keys);
  QCOMPARE(c_.ltable->header()->sortIndicatorSection(), sections.back());
  QCOMPARE(c_.ltable->header()->sortIndicatorOrder(), Qt::AscendingOrder);
  // The copy text follows the rows and keeps the selected metric's column.
  QString text;
  for (const QString& key : keys) {
    const int a = key.mid(1).toInt();
    text += ToQString(ResultsStore::AlgorithmNames(a)) + QStringLiteral("\t%1\r\n").arg(100 - a);
  }
  QCOMPARE(ToQString(state_->charts.ResultsText), text);

  // The order lasts through the next refresh.
  c_.loption->click();
  QCOMPARE(RowKeys(c_.ltable), keys);
}

void ChartsControllerTest::exclusionListKeepsBopathExcluded() {
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  c_.coption[0]->click();
  ClickItem(c_.list1, 1);  // SSTF
  QVERIFY(c_.list1->item(1)->isSelected());
  QVERIFY(c_.list1->item(kBopathEntry)->isSelected());
  QCOMPARE(c_.mchart->SeriesNames(),
           QStringList({"SCAN", "C-SCAN", "LOOK", "C-LOOK", "S-LOOK", "SATF"}));
  QCOMPARE(RowKeys(c_.ltable), Keys({3, 4, 5, 6, 7, 9}));
  QCOMPARE(c_.ltable->topLevelItem(0)->text(1), QStringLiteral("103"));

  // Deselecting BO-PATH does not bring it back; FCFS does come back.
  ClickItem(c_.list1, kBopathEntry);
  QVERIFY(c_.list1->item(kBopathEntry)->isSelected());
  ClickItem(c_.list1, 0);
  QCOMPARE(c_.mchart->SeriesNames().front(), QStringLiteral("FCFS"));
  QCOMPARE(RowKeys(c_.ltable), Keys({1, 3, 4, 5, 6, 7, 9}));
}

void ChartsControllerTest::metricChangesTheValuesAndAutomaticTitle() {
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  c_.coption[0]->click();
  c_.ctitle->click();  // the title names the metric
  QVERIFY(!c_.title->isEnabled());
  QCOMPARE(c_.title->text(), QStringLiteral("Total Seek Time"));
  QCOMPARE(c_.mchart->Title(), QStringLiteral("Total Seek Time"));

  c_.woption->click();
  QCOMPARE(c_.mchart->Points(0), Points({{0, 12}, {1, 22}, {2, 32}}));
  QCOMPARE(c_.title->text(), QStringLiteral("Average Waiting Time"));
  QCOMPARE(c_.mchart->Title(), QStringLiteral("Average Waiting Time"));
  // The tab's own change of the title is no typing: nothing waits.
  QVERIFY(!controller_->timer1()->isActive());

  c_.xwoption->click();
  QCOMPARE(c_.mchart->Points(0), Points({{0, 3}, {1, 4}, {2, 5}}));
  QVERIFY(c_.xwoption->isChecked());
  QVERIFY(!c_.soption->isChecked());
}

// Each statistic's button charts its values; its column sorts the rows and
// the copy text follows them with the statistic's values.
void ChartsControllerTest::statisticsChartAndSortLikeTheOtherMetrics_data() {
  QTest::addColumn<int>("statistic");
  for (int i = 0; i < kPercentileMetricCount; ++i) {
    QTest::newRow(ToStdString(ToQString(MetricName(kAllMetrics[kBaseMetricCount + i]))).c_str())
        << i;
  }
}

void ChartsControllerTest::statisticsChartAndSortLikeTheOtherMetrics() {
  QFETCH(int, statistic);
  QAbstractItemModelTester tester(c_.ltable->model(),
                                  QAbstractItemModelTester::FailureReportingMode::QtTest);
  StoreResults(MixedOrderRunWithStatistics(), SweepRanges{});
  const auto value = [statistic](int a) { return (a * (statistic + 2)) % 11; };
  QRadioButton* option = c_.statistic_options[static_cast<std::size_t>(statistic)];
  QVERIFY(option->isEnabled());
  option->click();
  QVERIFY(option->isChecked() && !c_.soption->isChecked());
  const Metric metric = kAllMetrics[kBaseMetricCount + statistic];
  QCOMPARE(c_.mchart->YAxisTitle(), ToQString(MetricName(metric)) + QStringLiteral(" (TU)"));
  Points points;
  for (int a = 2; a <= kAlgorithmCount; ++a) points << QPointF(a - 2, value(a));
  QCOMPARE(c_.mchart->Points(0), points);

  const int section = kBaseMetricCount + 1 + statistic;
  QVERIFY(!c_.ltable->isColumnHidden(section));
  ClickHeader(c_.ltable, section);
  QList<int> order = {2, 3, 4, 5, 6, 7, 8, 9};
  std::stable_sort(order.begin(), order.end(),
                   [&value](int a, int b) { return value(a) < value(b); });
  QStringList keys;
  QString text;
  for (const int a : order) {
    keys << QStringLiteral("K%1").arg(a);
    text += ToQString(ResultsStore::AlgorithmNames(a)) + QStringLiteral("\t%1\r\n").arg(value(a));
  }
  QCOMPARE(RowKeys(c_.ltable), keys);
  QCOMPARE(c_.ltable->header()->sortIndicatorSection(), section);
  QCOMPARE(ToQString(state_->charts.ResultsText), text);
}

// The statistics' buttons and columns are there only for results that hold
// them; new results without them take the chart back to the total seek.
void ChartsControllerTest::statisticsNeedResultsThatHoldThem() {
  const auto shown = [this] {
    int enabled = 0;
    for (QRadioButton* option : c_.statistic_options) enabled += option->isEnabled() ? 1 : 0;
    int columns = 0;
    for (int column = 0; column < c_.ltable->columnCount(); ++column) {
      columns += c_.ltable->isColumnHidden(column) ? 0 : 1;
    }
    return QStringLiteral("%1 buttons, %2 columns").arg(enabled).arg(columns);
  };
  QCOMPARE(shown(), QStringLiteral("0 buttons, 4 columns"));
  StoreResults(MixedOrderRunWithStatistics(), SweepRanges{});
  QCOMPARE(shown(), QStringLiteral("5 buttons, 9 columns"));
  c_.statistic_options[3]->click();

  StoreResults(MixedOrderRun(), SweepRanges{});
  QCOMPARE(shown(), QStringLiteral("0 buttons, 4 columns"));
  QVERIFY(c_.soption->isChecked());
  QVERIFY(!c_.statistic_options[3]->isChecked());
  QCOMPARE(c_.mchart->Points(0).front(), QPointF(0, 98));
}

// With replications each point carries an error bar, on bars and lines
// alike; without, none.
void ChartsControllerTest::replicatedResultsDrawErrorBars_data() {
  QTest::addColumn<int>("count");
  QTest::addColumn<bool>("lines");
  QTest::newRow("bars, one run each") << 1 << false;
  QTest::newRow("bars, three runs each") << 3 << false;
  QTest::newRow("lines, three runs each") << 3 << true;
}

void ChartsControllerTest::replicatedResultsDrawErrorBars() {
  QFETCH(int, count);
  QFETCH(bool, lines);
  // Replication k of run r: algorithm a's seek 100 r + a + k.
  SweepEnd end = Completed(SweepResults(3), ThreeRequestTotals());
  end.replications.plan.count = count;
  end.replications.runs = SweepResults(3 * count);
  for (int run = 1; run <= 3; ++run) {
    for (int k = 0; k < count; ++k) {
      for (int a = 1; a <= kAlgorithmCount; ++a) {
        end.replications.runs.Set(Metric::kTotalSeekTime, a,
                                  static_cast<std::int32_t>(EngineRunOf(run, k, count)),
                                  100 * run + a + k);
      }
    }
  }
  end.results = count > 1 ? ReplicationMeans(end.replications.runs, count) : NumberedResults(3);
  if (count == 1) end.replications = {};
  QVERIFY(FinishSweep(state_.get(), std::move(end)).empty());
  controller_->ShowAll();
  c_.coption[0]->click();
  if (lines) c_.loption->click();
  QCOMPARE(c_.mchart->ErrorBars().size(), count > 1 ? 3 * 8 : 0);
}

void ChartsControllerTest::formulaChangesTheChartLayout() {
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  c_.coption[0]->click();
  c_.formula->setCurrentIndex(2);  // "Minimum"
  PickNext(c_.formula);            // "Maximum", chosen as by the user
  QCOMPARE(c_.formula->currentText(), QStringLiteral("Maximum"));
  ChartView* chart = c_.mchart;
  QVERIFY(!chart->LegendShown());
  QCOMPARE(chart->Categories().size(), 8);
  QCOMPARE(chart->Categories().front(), QStringLiteral("SSTF"));
  QCOMPARE(chart->Points(0).front(), QPointF(0, 302));  // SSTF's largest seek
  QCOMPARE(c_.ltable->topLevelItem(0)->text(1), QStringLiteral("302"));
  QCOMPARE(c_.ltable->topLevelItem(0)->text(3), QStringLiteral("5"));
}

void ChartsControllerTest::typingWaitsForTheDelay_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::newRow("cunit") << "cunit"
                         << "2x"
                         << "2";
  QTest::newRow("cunit without minus") << "cunit"
                                       << "-3"
                                       << "3";
  QTest::newRow("title") << "Title"
                         << "Seek times"
                         << "Seek times";
}

void ChartsControllerTest::typingWaitsForTheDelay() {
  QFETCH(QString, field);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  c_.coption[0]->click();
  const Points before = c_.mchart->Points(0);
  auto* edit = ControlAs<QLineEdit>(page_.get(), field);
  TypeOver(edit, typed);
  QCOMPARE(edit->text(), shown);
  QTimer* timer = controller_->timer1();
  QCOMPARE(timer->interval(), 1000);
  QCOMPARE(c_.mchart->Points(0), before);
  QCOMPARE(c_.mchart->Title(), QString());

  Expire(timer);
  QVERIFY(!timer->isActive());
  if (field == QStringLiteral("cunit")) {
    const double scale = shown.toDouble();
    QCOMPARE(c_.mchart->Points(0).front(), QPointF(0, 102 * scale));
    QCOMPARE(c_.ltable->topLevelItem(0)->text(1), QString::number(102 * scale));
  } else {
    QCOMPARE(c_.mchart->Title(), shown);
  }
}

void ChartsControllerTest::clickRefreshesAtOnceAndStopsTheDelay() {
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  c_.coption[0]->click();
  TypeOver(c_.cunit, QStringLiteral("10"));
  QVERIFY(controller_->timer1()->isActive());
  c_.loption->click();
  QVERIFY(!controller_->timer1()->isActive());
  QCOMPARE(static_cast<int>(c_.mchart->DrawnType()), static_cast<int>(ChartType::kLines));
  QCOMPARE(c_.mchart->Points(0).front(), QPointF(0, 1020));
}

void ChartsControllerTest::yScaleInSeconds() {
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  c_.coption[0]->click();
  c_.copy_tu->click();
  QCOMPARE(c_.cunit->text(), QStringLiteral("0.5"));
  QVERIFY(c_.cunit->isReadOnly());
  QCOMPARE(InputBackground(c_.cunit), SystemColour(QPalette::Button));
  Expire(controller_->timer1());
  QCOMPARE(c_.mchart->Points(0).front(), QPointF(0, 51));
  QCOMPARE(c_.mchart->YAxisTitle(), QStringLiteral("Total Seek Time (s)"));

  c_.copy_tu->click();
  QVERIFY(!c_.cunit->isReadOnly());
  QCOMPARE(InputBackground(c_.cunit), SystemColour(QPalette::Base));
  QCOMPARE(c_.cunit->text(), QStringLiteral("0.5"));
  // Not seconds any more: TU at the scale typed, and TU alone at scale 1.
  c_.woption->click();
  QCOMPARE(c_.mchart->YAxisTitle(), QStringLiteral("Average Waiting Time (TU \u00d7 0.5)"));
  TypeOver(c_.cunit, QStringLiteral("1"));
  Expire(controller_->timer1());
  QCOMPARE(c_.mchart->YAxisTitle(), QStringLiteral("Average Waiting Time (TU)"));
}

// Lines, then a typed title, another metric, Show Results and a Y scale
// of 0: what the screen shows afterwards, as painted change by change,
// has the first series' colour only in the markers on the plot's bottom.
void ChartsControllerTest::linesLeaveNoMarkersBehind() {
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  c_.loption->click();
  QCoreApplication::processEvents();
  TypeOver(c_.title, QStringLiteral("Seek times of all algorithms on the default disk"));
  Expire(controller_->timer1());
  QCoreApplication::processEvents();
  c_.xwoption->click();
  QCoreApplication::processEvents();
  c_.sr_check->click();
  QCoreApplication::processEvents();
  TypeOver(c_.cunit, QStringLiteral("0"));
  Expire(controller_->timer1());
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();

  const QImage shown = page_->screen()->grabWindow(page_->winId()).toImage();
  QVERIFY(!shown.isNull());
  const qreal scale = shown.width() / static_cast<qreal>(page_->width());
  const QPoint origin = c_.mchart->mapTo(page_.get(), QPoint(0, 0));
  const QRectF chart = c_.mchart->ChartArea().translated(origin);
  const QRectF plot = c_.mchart->PlotArea().translated(origin);
  constexpr qreal kReach = 8;
  const QRectF markers(plot.left() - kReach, plot.bottom() - kReach, plot.width() + 2 * kReach,
                       2 * kReach);
  const QColor series(0x4e79a7);
  int stray = 0;
  for (int y = qRound(chart.top() * scale); y < qRound(chart.bottom() * scale); ++y) {
    for (int x = qRound(chart.left() * scale); x < qRound(chart.right() * scale); ++x) {
      const QColor pixel = shown.pixelColor(x, y);
      const bool series_ink = std::abs(pixel.red() - series.red()) < 40 &&
                              std::abs(pixel.green() - series.green()) < 40 &&
                              std::abs(pixel.blue() - series.blue()) < 40;
      if (series_ink && !markers.contains(QPointF(x / scale, y / scale))) ++stray;
    }
  }
  QCOMPARE(stray, 0);
}

// "Save Chart…" on the tab and in a published window writes the chart they
// show into the file chosen, of the kind its name ends in; another ending
// is refused with a message.
void ChartsControllerTest::saveChartWritesTheChosenFile() {
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  c_.coption[0]->click();
  QTemporaryDir folder;
  DialogAnswers dialogs;
  dialogs.paths = {folder.filePath("tab.svg"), folder.filePath("tab.jpg"),
                   folder.filePath("published.pdf")};
  c_.save_chart->click();
  QFile svg(folder.filePath("tab.svg"));
  QVERIFY(svg.open(QIODevice::ReadOnly));
  QVERIFY(svg.readAll().contains("<svg"));
  c_.save_chart->click();
  QVERIFY(!QFile::exists(folder.filePath("tab.jpg")));
  QCOMPARE(dialogs.Texts(), QStringList({ToQString(kChartFileKinds)}));

  ChartCopyWindow* window = Publish();
  window->SaveC()->click();
  QFile pdf(folder.filePath("published.pdf"));
  QVERIFY(pdf.open(QIODevice::ReadOnly));
  QVERIFY(pdf.read(5) == "%PDF-");
}

void ChartsControllerTest::copyPutsPictureAndText() {
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  c_.coption[0]->click();
  c_.copy_c->click();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  QVERIFY(data != nullptr);
  QVERIFY(data->hasImage());
  QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), c_.mchart->size());
  QCOMPARE(data->text(), ToQString(state_->charts.ResultsText));
  QVERIFY(data->text().startsWith(QStringLiteral("\tSSTF\tSCAN\t")));

  // A published window copies its own snapshot.
  ChartCopyWindow* window = Publish();
  QVERIFY(window != nullptr);
  c_.woption->click();
  window->CopyC()->click();
  data = QGuiApplication::clipboard()->mimeData();
  QVERIFY(data->hasImage());
  QCOMPARE(data->text(), window->Text());
  QVERIFY(data->text() != ToQString(state_->charts.ResultsText));
}

void ChartsControllerTest::publishNeedsResults() {
  QVERIFY(!c_.publish->isEnabled());
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  QVERIFY(c_.publish->isEnabled());
}

void ChartsControllerTest::publishOpensNumberedWindows() {
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  c_.coption[0]->click();
  for (int i = 0; i < 3; ++i) QVERIFY(Publish() != nullptr);
  QCOMPARE(WindowNumbers(), QList<int>({1, 2, 3}));
  QCOMPARE(ChartCopyCount(state_->chart_copies), 3);
  for (const ChartCopyWindow* window : controller_->chart_windows()) {
    QVERIFY(window->isVisible());
    QVERIFY(window->isWindow());
    QCOMPARE(window->windowModality(), Qt::NonModal);
    QCOMPARE(window->windowTitle(), QStringLiteral("Chart"));
    QCOMPARE(window->CopyC()->text(), QStringLiteral("Copy"));
    QCOMPARE(window->Cchart()->objectName(), QStringLiteral("Cchart"));
    QCOMPARE(window->Cchart()->Categories(), QStringList({"100", "200", "300"}));
    QCOMPARE(window->Text(), ToQString(state_->charts.ResultsText));
  }
}

void ChartsControllerTest::closingAWindowRenumbersTheLast() {
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  QPointer<ChartCopyWindow> first = Publish();
  QPointer<ChartCopyWindow> second = Publish();
  QPointer<ChartCopyWindow> third = Publish();

  QVERIFY(first->close());
  DeleteClosedWindows();
  QVERIFY(first.isNull());
  QCOMPARE(controller_->chart_windows(), (std::vector<ChartCopyWindow*>{third, second}));
  QCOMPARE(WindowNumbers(), QList<int>({1, 2}));
  QCOMPARE(ChartCopyCount(state_->chart_copies), 2);

  // The last one closing leaves the others' numbers alone.
  QVERIFY(second->close());
  QCOMPARE(WindowNumbers(), QList<int>({1}));
  QCOMPARE(third->Number(), 1);
  QVERIFY(third->close());
  QVERIFY(controller_->chart_windows().empty());
  QCOMPARE(ChartCopyCount(state_->chart_copies), 0);
  QCOMPARE(Publish()->Number(), 1);
}

void ChartsControllerTest::publishedWindowKeepsItsSnapshot() {
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  c_.coption[0]->click();
  ChartCopyWindow* window = Publish();
  const QString text = window->Text();
  c_.woption->click();
  ClickItem(c_.list1, 1);
  StoreResults(NumberedResults(1), SweepRanges{});
  QCOMPARE(window->Cchart()->Points(0), Points({{0, 102}, {1, 202}, {2, 302}}));
  QCOMPARE(window->Cchart()->SeriesNames().size(), 8);
  QCOMPARE(window->Text(), text);
}

void ChartsControllerTest::chartWindowLayout_data() {
  QTest::addColumn<QSize>("size");
  QTest::addColumn<QRect>("chart");
  QTest::addColumn<int>("copy_top");
  QTest::newRow("start") << QSize(640, 460) << QRect(5, 5, 630, 424) << 434;
  QTest::newRow("resized") << QSize(400, 300) << QRect(5, 5, 390, 264) << 274;
  QTest::newRow("tiny") << QSize(20, 20) << QRect(5, 5, 10, 30) << -6;
}

void ChartsControllerTest::chartWindowLayout() {
  QFETCH(QSize, size);
  QFETCH(QRect, chart);
  QFETCH(int, copy_top);
  StoreResults(NumberedResults(3), ThreeRequestTotals());
  ChartCopyWindow* window = Publish();
  const QRect button = window->CopyC()->geometry();
  window->resize(size);
  QCoreApplication::sendPostedEvents();
  if (window->size() != size) QSKIP("the window system keeps the window larger");
  QCOMPARE(window->Cchart()->geometry(), chart);
  QCOMPARE(window->CopyC()->y(), copy_top);
  QCOMPARE(window->CopyC()->x(), button.x());
  QCOMPARE(window->CopyC()->size(), button.size());
  QCOMPARE(window->SaveC()->y(), copy_top);
  QVERIFY(window->SaveC()->x() > button.right());
}

void ChartsControllerTest::mainWindowClosesChartWindows() {
  MainState state = StartMainState({});
  FinishSweep(&state, Completed(NumberedResults(3), ThreeRequestTotals()));
  TestProgramFolder program;
  MainWindow window(std::move(state), program.services());
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  auto* publish = ControlAs<QPushButton>(&window, QStringLiteral("Publish"));
  QVERIFY(publish->isEnabled());
  publish->click();
  publish->click();
  const QList<ChartCopyWindow*> windows = window.findChildren<ChartCopyWindow*>();
  QCOMPARE(windows.size(), 2);
  DialogAnswers answers;  // the results were never saved: Discard
  QVERIFY(window.close());
  QCOMPARE(answers.save_questions.size(), 1u);
  for (const ChartCopyWindow* chart_window : windows) QVERIFY(!chart_window->isVisible());
  QCOMPARE(ChartCopyCount(window.state().chart_copies), 0);
  DeleteClosedWindows();
}

}  // namespace trakvist

QTEST_MAIN(trakvist::ChartsControllerTest)
#include "charts_controller_test.moc"
