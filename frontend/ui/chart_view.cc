#include "frontend/ui/chart_view.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "frontend/model/common/number_text.h"
#include "frontend/ui/qt_text.h"

namespace trakvist {
namespace {

// Room for a chart on a crowded tab.
constexpr int kMinimumWidth = 320;
constexpr int kMinimumHeight = 220;
// The title and the footnote sit inside the chart's own margins.
constexpr qreal kTextSideMargin = 10;
constexpr qreal kTextEdgeMargin = 6;
constexpr qreal kLinePenWidth = 2;
constexpr qreal kLineMarkerSize = 6;
// The title and the footnote wrap only between their parts, which are
// separated by two spaces ("Title,  Total Cylinders=1000", "SSTF: 12  SCAN:
// 14"); single spaces and hyphens are shown as their non-breaking forms,
// and a slash is joined to what follows it. A part wider than the chart
// still breaks wherever it must.
constexpr QChar kNoBreakSpace(0x00A0);
constexpr QChar kNoBreakHyphen(0x2011);
constexpr QChar kWordJoiner(0x2060);
constexpr qreal kTitleScale = 1.15;

QString UnbrokenParts(const QString& text) {
  QString shown;
  shown.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    const bool run_of_spaces = (i > 0 && text[i - 1] == QLatin1Char(' ')) ||
                               (i + 1 < text.size() && text[i + 1] == QLatin1Char(' '));
    if (c == QLatin1Char(' ') && !run_of_spaces) {
      shown += kNoBreakSpace;
    } else if (c == QLatin1Char('-')) {
      shown += kNoBreakHyphen;
    } else if (c == QLatin1Char('/')) {
      shown += c;
      shown += kWordJoiner;
    } else {
      shown += c;
    }
  }
  return shown;
}

QString PlainText(const QString& shown) {
  QString text = shown;
  text.replace(kNoBreakHyphen, QLatin1Char('-'));
  text.replace(kNoBreakSpace, QLatin1Char(' '));
  text.remove(kWordJoiner);
  return text;
}

// Larger magnitudes leave no room for the axis's arithmetic.
constexpr double kLargestPlotted = 1e300;

// A value of the model's number text; nothing for a point without one, and
// for a text that is not a number the chart can plot.
std::optional<double> PointValue(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  const std::optional<double> value = FullNumber(*text);
  if (!value || !(std::fabs(*value) <= kLargestPlotted)) return std::nullopt;
  return value;
}

// The value axis: from a multiple of its tick spacing at or below the
// lowest value (and 0) to one at or above the highest, the spacing 1, 2,
// 2.5 or 5 times a power of ten giving about five intervals.
struct ValueRange {
  double low = 0;
  double high = 0;
  double spacing = 1;
  int ticks = 2;
};

constexpr int kTargetIntervals = 5;

double NiceSpacing(double span) {
  const double raw = span / kTargetIntervals;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double fraction = raw / magnitude;
  for (const double nice : {1.0, 2.0, 2.5, 5.0}) {
    if (fraction <= nice) return nice * magnitude;
  }
  return 10 * magnitude;
}

ValueRange RangeOf(const ChartModel& model) {
  double low = 0;
  double high = 0;
  for (const auto& category : model.values) {
    for (const auto& text : category) {
      const std::optional<double> value = PointValue(text);
      if (!value) continue;
      low = std::min(low, *value);
      high = std::max(high, *value);
    }
  }
  ValueRange range;
  const double span = high - low;
  if (!(span > 0) || !std::isfinite(span)) {
    range.low = low;
    range.high = low + 1;
    range.spacing = 0.2;
    range.ticks = kTargetIntervals + 1;
    return range;
  }
  range.spacing = NiceSpacing(span);
  range.low = std::floor(low / range.spacing) * range.spacing;
  range.high = std::ceil(high / range.spacing) * range.spacing;
  range.ticks = static_cast<int>(std::lround((range.high - range.low) / range.spacing)) + 1;
  return range;
}

std::optional<double> ValueAt(const ChartModel& model, std::size_t category, std::size_t series) {
  if (category >= model.values.size() || series >= model.values[category].size()) {
    return std::nullopt;
  }
  return PointValue(model.values[category][series]);
}

QStringList ToQStringList(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts) list << ToQString(text);
  return list;
}

// Colours of the series in order, distinct on screen and on paper.
constexpr std::array<QRgb, 9> kSeriesColours = {0x4e79a7, 0xf28e2b, 0xe15759, 0x76b7b2, 0x59a14f,
                                                0xedc948, 0xb07aa1, 0xff9da7, 0x9c755f};

QColor SeriesColour(std::size_t series) {
  return QColor(kSeriesColours[series % kSeriesColours.size()]);
}

// Value-axis labels with as many decimals as the tick spacing needs.
QString LabelFormat(double spacing) {
  constexpr int kMostDecimals = 12;
  int decimals = 0;
  double scaled = spacing;
  while (decimals < kMostDecimals && std::fabs(scaled - std::round(scaled)) > 1e-6 * scaled) {
    scaled *= 10;
    ++decimals;
  }
  return QStringLiteral("%.%1f").arg(decimals);
}

}  // namespace

// One chart of the chart library with the footnote added under it. The
// chart belongs to whoever shows it (a chart view widget or a scene); its
// two axes stay for its whole life and only their contents change.
class ChartScene {
 public:
  explicit ChartScene(QChart* chart)
      : chart_(chart),
        x_axis_(new QBarCategoryAxis),
        y_axis_(new QValueAxis),
        title_(new QGraphicsTextItem(chart)),
        footnote_(new QGraphicsTextItem(chart)) {
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setBackgroundRoundness(0);
    // White to the edges of the view, not a panel inside a grey frame.
    chart_->layout()->setContentsMargins(0, 0, 0, 0);
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->addAxis(x_axis_, Qt::AlignBottom);
    chart_->addAxis(y_axis_, Qt::AlignLeft);
    QFont title_font = chart_->titleFont();
    title_font.setBold(true);
    title_font.setPointSizeF(title_font.pointSizeF() * kTitleScale);
    SetUpText(title_, title_font, chart_->titleBrush().color(), Qt::AlignHCenter);
    SetUpText(footnote_, chart_->legend()->font(), chart_->legend()->labelColor(), Qt::AlignLeft);
    base_margins_ = chart_->margins();
    placing_ = QObject::connect(chart_, &QChart::geometryChanged, chart_, [this] { PlaceTexts(); });
  }
  ~ChartScene() { QObject::disconnect(placing_); }
  ChartScene(const ChartScene&) = delete;
  ChartScene& operator=(const ChartScene&) = delete;

  QChart* chart() const { return chart_; }

  void Draw(const ChartModel& model) {
    chart_->removeAllSeries();
    x_axis_->clear();
    x_axis_->append(ToQStringList(model.category_labels));
    x_axis_->setTitleText(ToQString(model.category1_second_label));
    x_axis_->setTitleVisible(!model.category1_second_label.empty());
    const ValueRange range = RangeOf(model);
    y_axis_->setRange(range.low, range.high);
    y_axis_->setTickCount(range.ticks);
    y_axis_->setLabelFormat(LabelFormat(range.spacing));

    if (model.chart_type == ChartType::kBars) {
      DrawBars(model);
    } else {
      DrawLines(model);
    }
    chart_->legend()->setVisible(model.legend_shown);
    title_->setPlainText(UnbrokenParts(ToQString(model.title)));
    footnote_->setPlainText(UnbrokenParts(ToQString(model.footnote)));
    PlaceTexts();
  }

  QString Title() const { return PlainText(title_->toPlainText()); }
  QString Footnote() const { return PlainText(footnote_->toPlainText()); }

 private:
  void DrawBars(const ChartModel& model) {
    auto* bars = new QBarSeries;
    for (std::size_t s = 0; s < SeriesCount(model); ++s) {
      auto* set = new QBarSet(ToQString(model.series_labels[s]));
      set->setColor(SeriesColour(s));
      set->setBorderColor(SeriesColour(s));
      // A bar of height 0 draws nothing: the point without a value.
      for (std::size_t c = 0; c < CategoryCount(model); ++c) {
        set->append(ValueAt(model, c, s).value_or(0.0));
      }
      bars->append(set);
    }
    chart_->addSeries(bars);
    bars->attachAxis(x_axis_);
    bars->attachAxis(y_axis_);
  }

  void DrawLines(const ChartModel& model) {
    for (std::size_t s = 0; s < SeriesCount(model); ++s) {
      auto* line = new QLineSeries;
      line->setName(ToQString(model.series_labels[s]));
      line->setPen(QPen(SeriesColour(s), kLinePenWidth));
      line->setPointsVisible(true);
      line->setMarkerSize(kLineMarkerSize);
      // Categories sit at 0, 1, ... along the category axis.
      for (std::size_t c = 0; c < CategoryCount(model); ++c) {
        if (const std::optional<double> value = ValueAt(model, c, s)) {
          line->append(static_cast<qreal>(c), *value);
        }
      }
      chart_->addSeries(line);
      line->attachAxis(x_axis_);
      line->attachAxis(y_axis_);
    }
  }

  static void SetUpText(QGraphicsTextItem* item, const QFont& font, const QColor& colour,
                        Qt::Alignment alignment) {
    item->setFont(font);
    item->setDefaultTextColor(colour);
    QTextOption option = item->document()->defaultTextOption();
    option.setAlignment(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    item->document()->setDefaultTextOption(option);
  }

  // Lays `item` out over the chart's width and returns its height; 0, and
  // hidden, when it has no text.
  qreal FitText(QGraphicsTextItem* item) const {
    item->setTextWidth(std::max<qreal>(chart_->rect().width() - 2 * kTextSideMargin, 1));
    const bool shown = !item->toPlainText().isEmpty();
    item->setVisible(shown);
    return shown ? item->boundingRect().height() : 0;
  }

  // The title takes the chart's width at the top and the footnote at the
  // bottom, each wrapped into as many lines as it needs; the chart's
  // margins make room for them.
  void PlaceTexts() {
    const qreal title_height = FitText(title_);
    const qreal footnote_height = FitText(footnote_);
    const QRectF area = chart_->rect();
    title_->setPos(kTextSideMargin, kTextEdgeMargin);
    footnote_->setPos(kTextSideMargin, area.height() - footnote_height - kTextEdgeMargin);
    QMargins margins = base_margins_;
    if (title_height > 0)
      margins.setTop(static_cast<int>(std::ceil(title_height + kTextEdgeMargin)));
    if (footnote_height > 0) {
      margins.setBottom(base_margins_.bottom() +
                        static_cast<int>(std::ceil(footnote_height + kTextEdgeMargin)));
    }
    if (chart_->margins() != margins) chart_->setMargins(margins);
  }

  QChart* chart_;
  QBarCategoryAxis* x_axis_;     // owned by the chart
  QValueAxis* y_axis_;           // owned by the chart
  QGraphicsTextItem* title_;     // a child of the chart
  QGraphicsTextItem* footnote_;  // a child of the chart
  QMargins base_margins_;
  QMetaObject::Connection placing_;
};

// A chart view that keeps its chart the size of the view. The chart
// refuses sizes below the minimum its layout had when it was resized,
// which can be larger than it needs once laid out; it is fitted again.
class FittingChartView : public QChartView {
 public:
  FittingChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {}

  void Fit() {
    QChart* drawn = chart();
    if (drawn->size() == QSizeF(size())) return;
    drawn->layout()->activate();
    drawn->resize(size());
    setSceneRect(drawn->geometry());
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QChartView::resizeEvent(event);
    Fit();
  }
};

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
  auto* chart = new QChart;
  scene_ = std::make_unique<ChartScene>(chart);
  view_ = new FittingChartView(chart, this);
  auto* view = view_;
  view->setObjectName(QStringLiteral("ChartArea"));
  view->setRenderHint(QPainter::Antialiasing);
  view->setFrameShape(QFrame::StyledPanel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  // The windows that hold a chart decide its size.
  layout->setSizeConstraint(QLayout::SetNoConstraint);
  layout->addWidget(view);
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  Show(model_);
}

ChartView::~ChartView() = default;

void ChartView::Show(const ChartModel& model) {
  model_ = model;
  scene_->Draw(model_);
  view_->Fit();
}

void ChartView::Render(QPainter* painter, const QRectF& target) const {
  Render(model_, painter, target);
}

void ChartView::Render(const ChartModel& model, QPainter* painter, const QRectF& target) {
  if (target.isEmpty()) return;
  QGraphicsScene scene;
  auto* chart = new QChart;
  scene.addItem(chart);
  ChartScene drawing(chart);
  drawing.Draw(model);
  // The chart lays itself out on a posted request; do it now, and size it
  // again once its layout knows how small it may be.
  for (int pass = 0; pass < 2; ++pass) {
    chart->setGeometry(QRectF(QPointF(0, 0), target.size()));
    chart->layout()->activate();
  }
  QCoreApplication::sendPostedEvents(chart, QEvent::LayoutRequest);
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  scene.render(painter, target, chart->geometry());
  painter->restore();
}

QImage ChartView::ToImage(const QSize& size) const {
  if (size.isEmpty()) return {};
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  Render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return image;
}

ChartType ChartView::DrawnType() const {
  const QList<QAbstractSeries*> series = scene_->chart()->series();
  const bool lines = !series.isEmpty() && qobject_cast<QLineSeries*>(series.front()) != nullptr;
  return lines ? ChartType::kLines : ChartType::kBars;
}

bool ChartView::LegendShown() const { return scene_->chart()->legend()->isVisible(); }

QStringList ChartView::SeriesNames() const {
  QStringList names;
  for (QAbstractSeries* series : scene_->chart()->series()) {
    if (auto* bars = qobject_cast<QBarSeries*>(series)) {
      for (const QBarSet* set : bars->barSets()) names << set->label();
    } else {
      names << series->name();
    }
  }
  return names;
}

QStringList ChartView::Categories() const {
  for (QAbstractAxis* axis : scene_->chart()->axes(Qt::Horizontal)) {
    if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis)) return categories->categories();
  }
  return {};
}

QString ChartView::XAxisTitle() const {
  for (QAbstractAxis* axis : scene_->chart()->axes(Qt::Horizontal)) {
    if (axis->isTitleVisible()) return axis->titleText();
  }
  return {};
}

QString ChartView::Title() const { return scene_->Title(); }

QString ChartView::Footnote() const { return scene_->Footnote(); }

QList<QPointF> ChartView::Points(int series) const {
  QList<QPointF> points;
  if (series < 0) return points;
  int index = 0;
  for (QAbstractSeries* drawn : scene_->chart()->series()) {
    if (auto* bars = qobject_cast<QBarSeries*>(drawn)) {
      const QList<QBarSet*> sets = bars->barSets();
      if (series - index < sets.size()) {
        const QBarSet* set = sets[series - index];
        for (int c = 0; c < set->count(); ++c) points << QPointF(c, set->at(c));
        return points;
      }
      index += static_cast<int>(sets.size());
    } else if (auto* line = qobject_cast<QLineSeries*>(drawn)) {
      if (index == series) return line->points();
      ++index;
    }
  }
  return points;
}

double ChartView::YMinimum() const {
  for (QAbstractAxis* axis : scene_->chart()->axes(Qt::Vertical)) {
    if (auto* values = qobject_cast<QValueAxis*>(axis)) return values->min();
  }
  return 0;
}

double ChartView::YMaximum() const {
  for (QAbstractAxis* axis : scene_->chart()->axes(Qt::Vertical)) {
    if (auto* values = qobject_cast<QValueAxis*>(axis)) return values->max();
  }
  return 0;
}

}  // namespace trakvist
