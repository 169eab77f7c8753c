// The chart view on Qt's offscreen platform: what it draws of a chart
// model, read back from the drawing, and the pictures it renders.
#include "frontend/ui/charts/chart_view.h"

#include <QColor>
#include <QLineF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTest>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "frontend/model/common/number_text.h"

namespace trakvist {
namespace {

using Points = QList<QPointF>;

// Two algorithms over three X values, SCAN without a value at 200.
ChartModel SeriesModel(ChartType type) {
  ChartModel model;
  model.chart_type = type;
  model.legend_shown = true;
  SetChartGrid(&model, 3, 2);
  model.series_labels = {"SSTF", "SCAN"};
  model.category_labels = {"100", "200", "300"};
  model.category1_second_label = "Total Number of Requests";
  model.values = {{"10", "12"}, {"20", std::nullopt}, {"30", "1E+1"}};
  model.title = "Total Seek Time,  Total Cylinders=1000";
  model.footnote = "(For Total Number of Requests=100) SSTF: 10  SCAN: 12  ";
  return model;
}

// Algorithms as the categories of one series, without legend or X title.
ChartModel AlgorithmModel() {
  ChartModel model;
  SetChartGrid(&model, 2, 1);
  model.category_labels = {"SSTF", "CSCAN"};
  model.values = {{"5"}, {"7"}};
  return model;
}

bool HasInk(const QImage& image, const QRect& area) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixelColor(x, y) != QColor(Qt::white)) return true;
    }
  }
  return false;
}

// `count` categories 0, 25, 50, ... with one value each.
ChartModel ManyCategories(int count, ChartType type) {
  ChartModel model;
  model.chart_type = type;
  SetChartGrid(&model, count, 1);
  model.series_labels = {"SSTF"};
  for (int i = 0; i < count; ++i) {
    model.category_labels[i] = NumberText(25.0 * i);
    model.values[i][0] = NumberText(1000.0 + 37 * (i % 7));
  }
  model.category1_second_label = "Head Start Position";
  model.y_axis_title = "Total Seek Time (TU)";
  return model;
}

// Lets the chart lay itself out and paint as it would between two events.
void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

bool Overlap(const QPolygonF& a, const QPolygonF& b) {
  QPainterPath first;
  first.addPolygon(a);
  QPainterPath second;
  second.addPolygon(b);
  return first.intersects(second);
}

}  // namespace

class ChartViewTest : public QObject {
  Q_OBJECT

 private slots:
  void drawsTheModel_data();
  void drawsTheModel();
  void pointWithoutValue_data();
  void pointWithoutValue();
  void oneSeriesWithoutLegendOrAxisTitle();
  void redrawReplacesWhatWasDrawn();
  void valueAxisHoldsEveryValue_data();
  void valueAxisHoldsEveryValue();
  void titleAndFootnoteAreShownAsTyped();
  void picturesHaveTheAskedSize();
  void footnoteIsPartOfThePicture();
  void categoryLabelsAreWhole_data();
  void categoryLabelsAreWhole();
  void valueAxisIsNamedAndTicked_data();
  void valueAxisIsNamedAndTicked();
  void errorBarsSpanTheIntervals_data();
  void errorBarsSpanTheIntervals();
};

void ChartViewTest::drawsTheModel_data() {
  QTest::addColumn<int>("type");
  QTest::newRow("bars") << static_cast<int>(ChartType::kBars);
  QTest::newRow("lines") << static_cast<int>(ChartType::kLines);
}

void ChartViewTest::drawsTheModel() {
  QFETCH(int, type);
  ChartView view;
  view.Show(SeriesModel(static_cast<ChartType>(type)));
  QCOMPARE(static_cast<int>(view.DrawnType()), type);
  QVERIFY(view.LegendShown());
  QCOMPARE(view.SeriesNames(), QStringList({"SSTF", "SCAN"}));
  QCOMPARE(view.Categories(), QStringList({"100", "200", "300"}));
  QCOMPARE(view.XAxisTitle(), QStringLiteral("Total Number of Requests"));
  QCOMPARE(view.Title(), QStringLiteral("Total Seek Time,  Total Cylinders=1000"));
  QCOMPARE(view.Footnote(),
           QStringLiteral("(For Total Number of Requests=100) SSTF: 10  SCAN: 12  "));
  QCOMPARE(view.Points(0), Points({{0, 10}, {1, 20}, {2, 30}}));
}

void ChartViewTest::pointWithoutValue_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<Points>("points");
  // A bar of height 0 shows nothing; a line goes on to the next value.
  QTest::newRow("bars") << static_cast<int>(ChartType::kBars) << Points({{0, 12}, {1, 0}, {2, 10}});
  QTest::newRow("lines") << static_cast<int>(ChartType::kLines) << Points({{0, 12}, {2, 10}});
}

void ChartViewTest::pointWithoutValue() {
  QFETCH(int, type);
  QFETCH(Points, points);
  ChartView view;
  view.Show(SeriesModel(static_cast<ChartType>(type)));
  QCOMPARE(view.Points(1), points);
  QVERIFY(view.Points(2).isEmpty());
  QVERIFY(view.Points(-1).isEmpty());
}

void ChartViewTest::oneSeriesWithoutLegendOrAxisTitle() {
  ChartView view;
  view.Show(AlgorithmModel());
  QVERIFY(!view.LegendShown());
  QCOMPARE(view.Categories(), QStringList({"SSTF", "CSCAN"}));
  QCOMPARE(view.SeriesNames().size(), 1);
  QCOMPARE(view.XAxisTitle(), QString());
  QCOMPARE(view.Title(), QString());
  QCOMPARE(view.Footnote(), QString());
}

void ChartViewTest::redrawReplacesWhatWasDrawn() {
  ChartView view;
  view.Show(SeriesModel(ChartType::kLines));
  view.Show(AlgorithmModel());
  QCOMPARE(static_cast<int>(view.DrawnType()), static_cast<int>(ChartType::kBars));
  QCOMPARE(view.SeriesNames().size(), 1);
  QCOMPARE(view.Categories(), QStringList({"SSTF", "CSCAN"}));
  QCOMPARE(view.Points(0), Points({{0, 5}, {1, 7}}));
  QCOMPARE(view.model().category_labels, AlgorithmModel().category_labels);
}

void ChartViewTest::valueAxisHoldsEveryValue_data() {
  QTest::addColumn<QStringList>("values");
  QTest::addColumn<double>("low");
  QTest::addColumn<double>("high");
  QTest::newRow("large") << QStringList({"87079", "376837"}) << 0.0 << 376837.0;
  QTest::newRow("negative") << QStringList({"-3.5", "2"}) << -3.5 << 2.0;
  QTest::newRow("small") << QStringList({"0.00087", "0.0021"}) << 0.0 << 0.0021;
  QTest::newRow("all zero") << QStringList({"0", "0"}) << 0.0 << 0.0;
  // Texts that are no finite number are points without a value.
  QTest::newRow("not numbers") << QStringList({"abc", "1E+999", "-1E+999", "4"}) << 0.0 << 4.0;
}

void ChartViewTest::valueAxisHoldsEveryValue() {
  QFETCH(QStringList, values);
  QFETCH(double, low);
  QFETCH(double, high);
  ChartModel model;
  SetChartGrid(&model, static_cast<int>(values.size()), 1);
  for (qsizetype i = 0; i < values.size(); ++i) model.values[i][0] = values[i].toStdString();
  ChartView view;
  view.Show(model);
  QVERIFY(view.YMinimum() <= low);
  QVERIFY(view.YMaximum() >= high);
  QVERIFY(view.YMaximum() > view.YMinimum());
  // Not more than twice the room the values need.
  QVERIFY(view.YMaximum() - view.YMinimum() <= std::max(2 * (high - low), 1.0));
}

void ChartViewTest::titleAndFootnoteAreShownAsTyped() {
  ChartModel model = AlgorithmModel();
  model.title = "<b>Seek</b> & wait - A/B";
  model.footnote = "C-SCAN: 1  S-LOOK: 2  ";
  ChartView view;
  view.Show(model);
  QCOMPARE(view.Title(), QStringLiteral("<b>Seek</b> & wait - A/B"));
  QCOMPARE(view.Footnote(), QStringLiteral("C-SCAN: 1  S-LOOK: 2  "));
}

void ChartViewTest::picturesHaveTheAskedSize() {
  ChartView view;
  view.Show(SeriesModel(ChartType::kBars));
  const QImage image = view.ToImage(QSize(480, 320));
  QCOMPARE(image.size(), QSize(480, 320));
  QVERIFY(HasInk(image, image.rect()));
  QVERIFY(view.ToImage(QSize()).isNull());
  QVERIFY(view.ToImage(QSize(0, 10)).isNull());

  // Without a chart on screen, into part of a picture only.
  QImage page(QSize(300, 200), QImage::Format_ARGB32_Premultiplied);
  page.fill(Qt::white);
  {
    QPainter painter(&page);
    ChartView::Render(AlgorithmModel(), &painter, QRectF(100, 0, 200, 200));
  }
  QVERIFY(!HasInk(page, QRect(0, 0, 100, 200)));
  QVERIFY(HasInk(page, QRect(100, 0, 200, 200)));
}

void ChartViewTest::footnoteIsPartOfThePicture() {
  ChartModel model = AlgorithmModel();
  ChartView view;
  view.Show(model);
  // Where the footnote starts, left of the plot and under its labels.
  const QSize size(500, 300);
  const QRect bottom_strip(10, size.height() - 20, 24, 14);
  QVERIFY(!HasInk(view.ToImage(size), bottom_strip));
  model.footnote = "SSTF: 5  C-SCAN: 7  ";
  view.Show(model);
  QVERIFY(HasInk(view.ToImage(size), bottom_strip));
}

void ChartViewTest::categoryLabelsAreWhole_data() {
  QTest::addColumn<int>("count");
  QTest::addColumn<int>("type");
  QTest::addColumn<QSize>("size");
  for (const int count : {5, 12, 40, 60, 200}) {
    for (const ChartType type : {ChartType::kBars, ChartType::kLines}) {
      QTest::addRow("%d %s", count, type == ChartType::kBars ? "bars" : "lines")
          << count << static_cast<int>(type) << QSize(600, 360);
    }
  }
  QTest::newRow("narrow 40") << 40 << static_cast<int>(ChartType::kBars) << QSize(320, 220);
  QTest::newRow("wide 5") << 5 << static_cast<int>(ChartType::kBars) << QSize(1200, 700);
}

// However many categories, the labels drawn are whole texts that neither
// touch each other nor leave the chart; with few, every one is drawn.
void ChartViewTest::categoryLabelsAreWhole() {
  QFETCH(int, count);
  QFETCH(int, type);
  QFETCH(QSize, size);
  const ChartModel model = ManyCategories(count, static_cast<ChartType>(type));
  ChartView view;
  view.resize(size);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  view.Show(model);
  Settle();

  const QList<DrawnLabel> labels = view.CategoryLabels();
  QVERIFY(labels.size() >= std::min(count, 5));
  if (count <= 5) QCOMPARE(labels.size(), count);
  QCOMPARE(labels.front().text, QStringLiteral("0"));
  const QRectF chart(QPointF(0, 0), view.ChartArea().size());
  const qsizetype step = labels.size() > 1 ? view.Categories().indexOf(labels[1].text) : 1;
  for (qsizetype i = 0; i < labels.size(); ++i) {
    // Every k-th category, whole.
    QCOMPARE(view.Categories().indexOf(labels[i].text), i * step);
    QVERIFY2(chart.contains(labels[i].outline.boundingRect()), qPrintable(labels[i].text));
    if (i > 0)
      QVERIFY2(!Overlap(labels[i - 1].outline, labels[i].outline), qPrintable(labels[i].text));
  }
}

void ChartViewTest::valueAxisIsNamedAndTicked_data() {
  QTest::addColumn<QStringList>("values");
  QTest::addColumn<QStringList>("ticks");
  QTest::addColumn<QString>("exponent");
  QTest::newRow("tiny") << QStringList({"2.5E-10"})
                        << QStringList({"0", "0.5", "1", "1.5", "2", "2.5"}) << "\u00d71E-10";
  QTest::newRow("millions") << QStringList({"1500000"}) << QStringList({"0", "0.5", "1", "1.5"})
                            << "\u00d71E+6";
  QTest::newRow("thousands") << QStringList({"87", "3768"})
                             << QStringList({"0", "1000", "2000", "3000", "4000"}) << "";
  QTest::newRow("negative") << QStringList({"-3.5", "2"}) << QStringList({"-4", "-2", "0", "2"})
                            << "";
  QTest::newRow("all zero") << QStringList({"0"})
                            << QStringList({"0", "0.2", "0.4", "0.6", "0.8", "1"}) << "";
}

// Tick labels at steps of 1, 2 or 5 times a power of ten in number text,
// sharing the power where the magnitude asks for it; the axis title as the
// model names it.
void ChartViewTest::valueAxisIsNamedAndTicked() {
  QFETCH(QStringList, values);
  QFETCH(QStringList, ticks);
  QFETCH(QString, exponent);
  ChartModel model;
  SetChartGrid(&model, static_cast<int>(values.size()), 1);
  for (qsizetype i = 0; i < values.size(); ++i) model.values[i][0] = values[i].toStdString();
  model.y_axis_title = "Total Seek Time (s)";
  ChartView view;
  view.Show(model);
  QStringList drawn;
  for (const DrawnLabel& label : view.TickLabels()) drawn << label.text;
  QCOMPARE(drawn, ticks);
  QCOMPARE(view.TickExponent(), exponent);
  QCOMPARE(view.YAxisTitle(), QStringLiteral("Total Seek Time (s)"));
}

// The error bars of SeriesModel's points, ±2 and ±1 at 100, ±3 at 200
// (SCAN's half-width there belongs to no value), ±4 and ±5 at 300: one
// vertical stem per interval, in category and series order, as long as
// the interval on the value axis, which holds them whole; on bars the
// stems of a category stand apart, on lines at the category. Pictures
// carry them, and a model without half-widths draws none.
void ChartViewTest::errorBarsSpanTheIntervals_data() {
  QTest::addColumn<int>("type");
  QTest::newRow("bars") << static_cast<int>(ChartType::kBars);
  QTest::newRow("lines") << static_cast<int>(ChartType::kLines);
}

void ChartViewTest::errorBarsSpanTheIntervals() {
  QFETCH(int, type);
  const ChartModel plain = SeriesModel(static_cast<ChartType>(type));
  ChartModel model = plain;
  model.half_widths = {{2, 1}, {3, 9}, {4, 5}};
  ChartView view;
  view.resize(640, 400);
  view.show();
  view.Show(model);
  Settle();

  QVERIFY(view.YMaximum() >= 34);
  const QList<QLineF> stems = view.ErrorBars();
  const QList<double> halves = {2, 1, 3, 4, 5};
  QCOMPARE(stems.size(), halves.size());
  const QRectF plot = view.PlotArea().adjusted(-1, -1, 1, 1);
  const double pixels_per_unit = view.PlotArea().height() / (view.YMaximum() - view.YMinimum());
  for (qsizetype i = 0; i < stems.size(); ++i) {
    QCOMPARE(stems[i].x1(), stems[i].x2());
    QVERIFY(plot.contains(stems[i].p1()) && plot.contains(stems[i].p2()));
    QVERIFY(std::abs(stems[i].length() - 2 * halves[i] * pixels_per_unit) < 1);
  }
  const bool bars = type == static_cast<int>(ChartType::kBars);
  QCOMPARE(stems[0].x1() < stems[1].x1(), bars);
  QCOMPARE(stems[0].x1() == stems[1].x1(), !bars);

  ChartView without;
  without.Show(plain);
  QVERIFY(without.ErrorBars().isEmpty());
  QVERIFY(view.ToImage(QSize(640, 400)) != without.ToImage(QSize(640, 400)));
}

}  // namespace trakvist

QTEST_MAIN(trakvist::ChartViewTest)
#include "chart_view_test.moc"
