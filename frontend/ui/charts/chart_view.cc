#include "frontend/ui/charts/chart_view.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPainterPath>
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
#include "frontend/ui/common/qt_text.h"

namespace trakvist {
namespace {

// Room for a chart on a crowded tab.
constexpr int kMinimumWidth = 320;
constexpr int kMinimumHeight = 220;
// The title and the footnote sit inside the chart's own margins.
constexpr qreal kTextSideMargin = 10;
constexpr qreal kTextEdgeMargin = 6;
constexpr qreal kLinePenWidth = 2;
// The chart library draws a line's markers with this size as radius; on
// crowded categories they shrink with the room between them, and vanish
// where they would be mere dots on the line.
constexpr qreal kLineMarkerSize = 3.5;
constexpr qreal kSmallestMarker = 1.5;
constexpr qreal kMarkersPerSlot = 3;
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
// lowest value (and 0) to one at or above the highest, the spacing 1, 2 or
// 5 times a power of ten giving about five intervals.
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
  for (const double nice : {1.0, 2.0, 5.0}) {
    if (fraction <= nice * (1 + 1e-9)) return nice * magnitude;
  }
  return 10 * magnitude;
}

std::optional<double> ValueAt(const ChartModel& model, std::size_t category, std::size_t series) {
  if (category >= model.values.size() || series >= model.values[category].size()) {
    return std::nullopt;
  }
  return PointValue(model.values[category][series]);
}

// The half-width of a point's error bar; nothing for a point without a
// value or without a bar that can be drawn.
std::optional<double> HalfWidthAt(const ChartModel& model, std::size_t category,
                                  std::size_t series) {
  if (!ValueAt(model, category, series) || category >= model.half_widths.size() ||
      series >= model.half_widths[category].size()) {
    return std::nullopt;
  }
  const std::optional<double> half = model.half_widths[category][series];
  if (!half || !(*half > 0) || !(*half <= kLargestPlotted)) return std::nullopt;
  return half;
}

ValueRange RangeOf(const ChartModel& model) {
  double low = 0;
  double high = 0;
  for (std::size_t c = 0; c < CategoryCount(model); ++c) {
    for (std::size_t s = 0; s < SeriesCount(model); ++s) {
      const std::optional<double> value = ValueAt(model, c, s);
      if (!value) continue;
      // The error bar stays inside the plot.
      const double half = HalfWidthAt(model, c, s).value_or(0.0);
      low = std::min(low, *value - half);
      high = std::max(high, *value + half);
    }
  }
  ValueRange range;
  const double span = high - low;
  if (!(span > 0) || !std::isfinite(span) || !std::isnormal(span / kTargetIntervals)) {
    range.low = low;
    range.high = low + 1;
    range.spacing = 0.2;
    range.ticks = kTargetIntervals + 1;
    return range;
  }
  range.spacing = NiceSpacing(span);
  range.low = std::floor(low / range.spacing * (1 + 1e-12)) * range.spacing;
  range.high = std::ceil(high / range.spacing * (1 - 1e-12)) * range.spacing;
  if (!(range.high > range.low)) range.high = range.low + range.spacing;
  range.ticks = static_cast<int>(std::lround((range.high - range.low) / range.spacing)) + 1;
  return range;
}

// The labels of the value axis's ticks in the table's number text. Where
// the magnitude would make them long ("1500000", "0.00000025") they share
// a power of ten, written once at the top of the axis ("×1E+6").
struct TickTexts {
  QStringList labels;
  QString exponent;  // empty when the labels are the values themselves
};

constexpr int kLargestPlainExponent = 4;    // up to 99999
constexpr int kSmallestPlainExponent = -3;  // down to 0.001

TickTexts TickTextsOf(const ValueRange& range) {
  const double largest = std::max(std::fabs(range.low), std::fabs(range.high));
  int exponent = 0;
  if (largest > 0 && std::isfinite(largest)) {
    const int magnitude = static_cast<int>(std::floor(std::log10(largest)));
    if (magnitude > kLargestPlainExponent || magnitude < kSmallestPlainExponent) {
      exponent = magnitude;
    }
  }
  TickTexts ticks;
  const double first = std::round(range.low / range.spacing);
  for (int i = 0; i < range.ticks; ++i) {
    // Whole multiples of the spacing, so that no rounding noise shows.
    const double value = (first + i) * range.spacing;
    const double shown = exponent == 0 ? value : value / std::pow(10.0, exponent);
    // 0 + 0.0, so that a negative zero shows as "0".
    ticks.labels << ToQString(NumberText(shown + 0.0));
  }
  if (exponent != 0) {
    ticks.exponent = QStringLiteral("\u00d71E%1%2")
                         .arg(exponent > 0 ? QLatin1Char('+') : QLatin1Char('-'))
                         .arg(std::abs(exponent));
  }
  return ticks;
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

// Where the category labels go under a plot of a given width: every
// `step`-th label, level or turned by 45 degrees, whole in either case.
struct CategoryLabelLayout {
  int step = 1;
  bool turned = false;
  qreal band = 0;  // height of the strip the labels take under the axis
};

constexpr qreal kLabelGap = 6;    // between a label and its neighbours or the axis
constexpr qreal kTickRoom = 5;    // the axis's tick marks outside the plot
constexpr qreal kEdgeMargin = 8;  // between the chart's texts and its edge
constexpr qreal kTurnedSine = 0.70710678;
constexpr qreal kSmallestGridSlot = 12;

CategoryLabelLayout LayOutCategoryLabels(qreal widest, qreal line_height, qsizetype count,
                                         qreal plot_width) {
  CategoryLabelLayout layout;
  if (count == 0) return layout;
  const qreal slot = std::max<qreal>(plot_width / static_cast<qreal>(count), 1e-3);
  // Every 1st, 2nd, 5th, 10th, 20th, ... label, so that over evenly spaced
  // values the labels drawn are round ones.
  const auto steps_for = [slot, count](qreal room) {
    const qreal needed = std::ceil(room / slot);
    qreal step = 1;
    for (qreal decade = 1; step < needed; decade *= 10) {
      for (const qreal nice : {1.0, 2.0, 5.0}) {
        step = nice * decade;
        if (step >= needed) break;
      }
    }
    return static_cast<int>(std::clamp<qreal>(step, 1, static_cast<qreal>(count)));
  };
  const int level_step = steps_for(widest + kLabelGap);
  // Turned labels stand side by side; a label's height across the slant
  // is all they need between them.
  const int turned_step = steps_for((line_height + kLabelGap / 2) / kTurnedSine);
  layout.turned = level_step > 1 && turned_step < level_step;
  layout.step = layout.turned ? turned_step : level_step;
  layout.band = layout.turned ? (widest + line_height) * kTurnedSine : line_height;
  return layout;
}

// Error bars: a stem over the 95 % interval with a cap at each end, drawn
// over the bars and lines, in dark grey on bars and in a darker shade of
// the line's colour on lines.
constexpr qreal kErrorBarPenWidth = 1.5;
constexpr qreal kErrorCapHalfWidth = 5;
constexpr qreal kErrorCapShare = 0.3;  // of a bar's width, or of a line's slot
constexpr qreal kErrorBarZ = 20;       // above the series
constexpr QRgb kErrorBarOnBars = 0x333333;
constexpr int kErrorBarDarkening = 150;

}  // namespace

// One chart of the chart library with the texts around its plot added:
// title, footnote, the category labels, the value axis's tick labels and
// the two axis titles. The library's own axis labels are hidden, since it
// cuts long ones short ("…"); these are laid out here, whole, with room
// made for them through the chart's margins. The chart belongs to whoever
// shows it (a chart view widget or a scene); its two axes stay for its
// whole life and only their contents change.
class ChartScene {
 public:
  explicit ChartScene(QChart* chart)
      : chart_(chart),
        x_axis_(new QBarCategoryAxis),
        y_axis_(new QValueAxis),
        title_(new QGraphicsTextItem(chart)),
        footnote_(new QGraphicsTextItem(chart)),
        x_title_(new QGraphicsSimpleTextItem(chart)),
        y_title_(new QGraphicsSimpleTextItem(chart)),
        exponent_(new QGraphicsSimpleTextItem(chart)) {
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setBackgroundRoundness(0);
    // White to the edges of the view, not a panel inside a grey frame.
    chart_->layout()->setContentsMargins(0, 0, 0, 0);
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->addAxis(x_axis_, Qt::AlignBottom);
    chart_->addAxis(y_axis_, Qt::AlignLeft);
    label_font_ = x_axis_->labelsFont();
    label_colour_ = x_axis_->labelsBrush().color();
    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(x_axis_), static_cast<QAbstractAxis*>(y_axis_)}) {
      axis->setLabelsVisible(false);
      axis->setTitleVisible(false);
    }
    QFont title_font = chart_->titleFont();
    title_font.setBold(true);
    title_font.setPointSizeF(title_font.pointSizeF() * kTitleScale);
    SetUpText(title_, title_font, chart_->titleBrush().color(), Qt::AlignHCenter);
    SetUpText(footnote_, chart_->legend()->font(), chart_->legend()->labelColor(), Qt::AlignLeft);
    QFont axis_title_font = label_font_;
    axis_title_font.setBold(true);
    for (QGraphicsSimpleTextItem* item : {x_title_, y_title_}) SetUpLabel(item, axis_title_font);
    SetUpLabel(exponent_, label_font_);
    y_title_->setRotation(-90);
    base_margins_ = chart_->margins();
    placing_ = QObject::connect(chart_, &QChart::plotAreaChanged, chart_, [this] { Place(); });
    resizing_ = QObject::connect(chart_, &QChart::geometryChanged, chart_, [this] { Place(); });
  }
  ~ChartScene() {
    QObject::disconnect(placing_);
    QObject::disconnect(resizing_);
  }
  ChartScene(const ChartScene&) = delete;
  ChartScene& operator=(const ChartScene&) = delete;

  QChart* chart() const { return chart_; }

  void Draw(const ChartModel& model) {
    chart_->removeAllSeries();
    bars_ = nullptr;
    x_axis_->clear();
    x_axis_->append(ToQStringList(model.category_labels));
    const ValueRange range = RangeOf(model);
    y_axis_->setRange(range.low, range.high);
    y_axis_->setTickCount(range.ticks);

    if (model.chart_type == ChartType::kBars) {
      DrawBars(model);
    } else {
      DrawLines(model);
    }
    MakeErrorBars(model);
    chart_->legend()->setVisible(model.legend_shown);
    title_->setPlainText(UnbrokenParts(ToQString(model.title)));
    footnote_->setPlainText(UnbrokenParts(ToQString(model.footnote)));
    x_title_->setText(ToQString(model.category1_second_label));
    y_title_text_ = ToQString(model.y_axis_title);
    y_title_->setText(y_title_text_);
    const TickTexts ticks = TickTextsOf(range);
    exponent_->setText(ticks.exponent);
    SetLabels(&y_labels_, ticks.labels);
    SetLabels(&x_labels_, ToQStringList(model.category_labels));
    Place();
  }

  QString Title() const { return PlainText(title_->toPlainText()); }
  QString Footnote() const { return PlainText(footnote_->toPlainText()); }
  QString XAxisTitle() const { return x_title_->text(); }
  QString YAxisTitle() const { return y_title_text_; }
  QString Exponent() const { return exponent_->text(); }

  // The labels shown, each with its outline on the chart.
  QList<DrawnLabel> Shown(const std::vector<QGraphicsSimpleTextItem*>& labels) const {
    QList<DrawnLabel> shown;
    for (const QGraphicsSimpleTextItem* label : labels) {
      if (!label->isVisible()) continue;
      shown.append({label->text(), label->mapToItem(chart_, label->boundingRect())});
    }
    return shown;
  }
  QList<DrawnLabel> CategoryLabels() const { return Shown(x_labels_); }
  QList<DrawnLabel> TickLabels() const { return Shown(y_labels_); }

  // The stems of the error bars, in the chart's coordinates.
  QList<QLineF> ErrorBarStems() const {
    QList<QLineF> stems;
    for (const ErrorBar& bar : error_bars_) stems << bar.stem;
    return stems;
  }

 private:
  void DrawBars(const ChartModel& model) {
    auto* bars = new QBarSeries;
    bars_ = bars;
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

  // One item per point with an interval, placed by PlaceErrorBars. On bars
  // a point sits at the middle of its bar: the bars of a category share
  // the bar width around the category's position.
  void MakeErrorBars(const ChartModel& model) {
    for (ErrorBar& bar : error_bars_) delete bar.item;
    error_bars_.clear();
    const bool bars = model.chart_type == ChartType::kBars;
    const qreal series_count = static_cast<qreal>(SeriesCount(model));
    const qreal bar_width = bars_ != nullptr ? bars_->barWidth() : 0;
    for (std::size_t c = 0; c < CategoryCount(model); ++c) {
      for (std::size_t s = 0; s < SeriesCount(model); ++s) {
        const std::optional<double> half = HalfWidthAt(model, c, s);
        if (!half) continue;
        ErrorBar bar;
        bar.value = *ValueAt(model, c, s);
        bar.half = *half;
        bar.width = bars ? bar_width / series_count : 0;
        bar.x = static_cast<qreal>(c) +
                (bars ? bar_width * ((static_cast<qreal>(s) + 0.5) / series_count - 0.5) : 0);
        bar.item = new QGraphicsPathItem(chart_);
        const QColor colour =
            bars ? QColor(kErrorBarOnBars) : SeriesColour(s).darker(kErrorBarDarkening);
        bar.item->setPen(QPen(colour, kErrorBarPenWidth));
        bar.item->setZValue(kErrorBarZ);
        error_bars_.push_back(bar);
      }
    }
  }

  // Draws each error bar where its point now stands on the plot.
  void PlaceErrorBars(qreal slot) {
    const QList<QAbstractSeries*> drawn = chart_->series();
    if (drawn.isEmpty()) return;
    QAbstractSeries* series = drawn.front();  // all share the two axes
    for (ErrorBar& bar : error_bars_) {
      const QPointF top = chart_->mapToPosition(QPointF(bar.x, bar.value + bar.half), series);
      const QPointF bottom = chart_->mapToPosition(QPointF(bar.x, bar.value - bar.half), series);
      const qreal room = bar.width > 0
                             ? chart_->mapToPosition(QPointF(bar.x + bar.width, 0), series).x() -
                                   chart_->mapToPosition(QPointF(bar.x, 0), series).x()
                             : slot;
      const qreal cap = std::min(kErrorCapHalfWidth, kErrorCapShare * room);
      QPainterPath path;
      path.moveTo(top);
      path.lineTo(bottom);
      path.moveTo(top.x() - cap, top.y());
      path.lineTo(top.x() + cap, top.y());
      path.moveTo(bottom.x() - cap, bottom.y());
      path.lineTo(bottom.x() + cap, bottom.y());
      bar.item->setPath(path);
      bar.stem = QLineF(top, bottom);
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

  void SetUpLabel(QGraphicsSimpleTextItem* item, const QFont& font) const {
    item->setFont(font);
    item->setBrush(label_colour_);
  }

  // As many label items as `texts`, showing them.
  void SetLabels(std::vector<QGraphicsSimpleTextItem*>* labels, const QStringList& texts) {
    while (labels->size() > static_cast<std::size_t>(texts.size())) {
      delete labels->back();
      labels->pop_back();
    }
    while (labels->size() < static_cast<std::size_t>(texts.size())) {
      auto* label = new QGraphicsSimpleTextItem(chart_);
      SetUpLabel(label, label_font_);
      labels->push_back(label);
    }
    for (qsizetype i = 0; i < texts.size(); ++i) {
      (*labels)[static_cast<std::size_t>(i)]->setText(texts[i]);
    }
  }

  static qreal Widest(const std::vector<QGraphicsSimpleTextItem*>& labels) {
    qreal widest = 0;
    for (const QGraphicsSimpleTextItem* label : labels) {
      widest = std::max(widest, label->boundingRect().width());
    }
    return widest;
  }

  qreal LineHeight() const { return QFontMetricsF(label_font_).height(); }

  static qreal TextHeight(const QGraphicsSimpleTextItem* item) {
    return item->text().isEmpty() ? 0 : item->boundingRect().height();
  }

  // Lays `item` out over the chart's width and returns its height; 0, and
  // hidden, when it has no text.
  qreal FitText(QGraphicsTextItem* item) const {
    item->setTextWidth(std::max<qreal>(chart_->rect().width() - 2 * kTextSideMargin, 1));
    const bool shown = !item->toPlainText().isEmpty();
    item->setVisible(shown);
    return shown ? item->boundingRect().height() : 0;
  }

  // The margins that make room for every text around the plot, given how
  // the category labels are laid out.
  QMargins MarginsFor(qreal title_height, qreal footnote_height,
                      const CategoryLabelLayout& categories) const {
    QMargins margins = base_margins_;
    const qreal y_title = y_title_text_.isEmpty() ? 0 : QFontMetricsF(y_title_->font()).height();
    const qreal left =
        kEdgeMargin + (y_title > 0 ? y_title + kLabelGap : 0) + Widest(y_labels_) + kLabelGap;
    margins.setLeft(static_cast<int>(std::ceil(std::max<qreal>(left, base_margins_.left()))));
    const qreal exponent = TextHeight(exponent_);
    const qreal top =
        (title_height > 0 ? title_height + kTextEdgeMargin + kLabelGap : base_margins_.top()) +
        (exponent > 0 ? exponent + kLabelGap : 0);
    margins.setTop(static_cast<int>(std::ceil(top)));
    const qreal x_title = TextHeight(x_title_);
    const qreal bottom = kTickRoom + kLabelGap / 2 + categories.band +
                         (x_title > 0 ? kLabelGap + x_title : 0) + kEdgeMargin +
                         (footnote_height > 0 ? footnote_height + kTextEdgeMargin : 0);
    margins.setBottom(static_cast<int>(std::ceil(bottom)));
    return margins;
  }

  // The title takes the chart's width at the top and the footnote at the
  // bottom, each wrapped into as many lines as it needs; the axis texts go
  // around the plot. The chart's margins make room for all of them; when
  // they change the chart lays itself out again and this runs once more.
  void Place() {
    if (placing_now_) return;
    placing_now_ = true;
    const qreal title_height = FitText(title_);
    const qreal footnote_height = FitText(footnote_);
    const QRectF area = chart_->rect();
    const QRectF plot = chart_->plotArea();
    const CategoryLabelLayout categories = LayOutCategoryLabels(
        Widest(x_labels_), LineHeight(), static_cast<qsizetype>(x_labels_.size()), plot.width());
    title_->setPos(kTextSideMargin, kTextEdgeMargin);
    footnote_->setPos(kTextSideMargin, area.height() - footnote_height - kTextEdgeMargin);
    const qreal slot =
        x_labels_.empty() ? plot.width() : plot.width() / static_cast<qreal>(x_labels_.size());
    SizeMarkers(slot);
    PlaceErrorBars(slot);
    // A grid line between every two of many categories would grey the plot.
    x_axis_->setGridLineVisible(slot >= kSmallestGridSlot);
    PlaceCategoryLabels(plot, categories);
    PlaceTickLabels(plot);
    PlaceAxisTitles(plot, categories);
    const QMargins margins = MarginsFor(title_height, footnote_height, categories);
    if (chart_->margins() != margins) chart_->setMargins(margins);
    placing_now_ = false;
  }

  void SizeMarkers(qreal slot) {
    const qreal size = std::min(kLineMarkerSize, slot / kMarkersPerSlot);
    for (QAbstractSeries* series : chart_->series()) {
      auto* line = qobject_cast<QLineSeries*>(series);
      if (line == nullptr) continue;
      line->setPointsVisible(size >= kSmallestMarker);
      if (line->markerSize() != size) line->setMarkerSize(size);
    }
  }

  void PlaceCategoryLabels(const QRectF& plot, const CategoryLabelLayout& layout) {
    const qreal slot = x_labels_.empty() ? 0 : plot.width() / static_cast<qreal>(x_labels_.size());
    const qreal top = plot.bottom() + kTickRoom + kLabelGap / 2;
    for (std::size_t i = 0; i < x_labels_.size(); ++i) {
      QGraphicsSimpleTextItem* label = x_labels_[i];
      label->setVisible(i % static_cast<std::size_t>(layout.step) == 0);
      const QRectF box = label->boundingRect();
      const qreal centre = plot.left() + (static_cast<qreal>(i) + 0.5) * slot;
      if (layout.turned) {
        // The label's end at the tick, the text rising to the left of it.
        label->setTransformOriginPoint(box.width(), box.height() / 2);
        label->setRotation(-45);
        label->setPos(centre - box.width(),
                      top + box.height() * kTurnedSine / 2 - box.height() / 2);
      } else {
        label->setRotation(0);
        label->setPos(centre - box.width() / 2, top);
      }
    }
  }

  void PlaceTickLabels(const QRectF& plot) {
    const qsizetype intervals = static_cast<qsizetype>(y_labels_.size()) - 1;
    for (std::size_t i = 0; i < y_labels_.size(); ++i) {
      QGraphicsSimpleTextItem* label = y_labels_[i];
      const QRectF box = label->boundingRect();
      const qreal y = intervals > 0 ? plot.bottom() - plot.height() * static_cast<qreal>(i) /
                                                          static_cast<qreal>(intervals)
                                    : plot.bottom();
      label->setPos(plot.left() - kTickRoom - kLabelGap / 2 - box.width(), y - box.height() / 2);
    }
    const QRectF box = exponent_->boundingRect();
    exponent_->setPos(plot.left() - box.width() / 2, plot.top() - kLabelGap - box.height());
    exponent_->setVisible(!exponent_->text().isEmpty());
  }

  void PlaceAxisTitles(const QRectF& plot, const CategoryLabelLayout& categories) {
    const QRectF x_box = x_title_->boundingRect();
    x_title_->setPos(plot.center().x() - x_box.width() / 2,
                     plot.bottom() + kTickRoom + kLabelGap / 2 + categories.band + kLabelGap);
    x_title_->setVisible(!x_title_->text().isEmpty());
    // Turned a quarter to the left about its top left corner: its width
    // runs upwards from there.
    // On a chart too small for it the title is cut short at the plot's
    // height rather than run into the title and footnote.
    const QFontMetricsF metrics(y_title_->font());
    y_title_->setText(metrics.elidedText(y_title_text_, Qt::ElideRight, plot.height()));
    const QRectF y_box = y_title_->boundingRect();
    y_title_->setPos(kEdgeMargin, plot.center().y() + y_box.width() / 2);
    y_title_->setVisible(!y_title_->text().isEmpty());
  }

  // An error bar: its point's value and half-width, its position along the
  // category axis and the width of its bar (0 on lines), and the drawing.
  struct ErrorBar {
    double value = 0;
    double half = 0;
    qreal x = 0;
    qreal width = 0;
    QGraphicsPathItem* item = nullptr;  // a child of the chart
    QLineF stem;
  };

  QChart* chart_;
  QBarSeries* bars_ = nullptr;  // the bars drawn, owned by the chart; none on lines
  std::vector<ErrorBar> error_bars_;
  QBarCategoryAxis* x_axis_;  // owned by the chart
  QValueAxis* y_axis_;        // owned by the chart
  QGraphicsTextItem* title_;  // children of the chart from here on
  QGraphicsTextItem* footnote_;
  QGraphicsSimpleTextItem* x_title_;
  QGraphicsSimpleTextItem* y_title_;
  QString y_title_text_;  // in full; the item may show it cut short
  QGraphicsSimpleTextItem* exponent_;
  std::vector<QGraphicsSimpleTextItem*> x_labels_;
  std::vector<QGraphicsSimpleTextItem*> y_labels_;
  QFont label_font_;
  QColor label_colour_;
  QMargins base_margins_;
  bool placing_now_ = false;
  QMetaObject::Connection placing_;
  QMetaObject::Connection resizing_;
};

// A chart view that keeps its chart the size of the view. The chart
// refuses sizes below the minimum its layout had when it was resized,
// which can be larger than it needs once laid out; it is fitted again.
class FittingChartView : public QChartView {
 public:
  FittingChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
    // A redraw paints the whole chart: the library's items report less
    // than they paint (a line's markers reach past its outline), and a
    // partial update would leave parts of the last picture behind.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
  }

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
  // The chart lays itself out on a posted request; do it now, and again
  // while the room made for the texts around the plot changes it.
  constexpr int kLayoutPasses = 4;
  for (int pass = 0; pass < kLayoutPasses; ++pass) {
    const QMargins before = chart->margins();
    chart->setGeometry(QRectF(QPointF(0, 0), target.size()));
    chart->layout()->activate();
    QCoreApplication::sendPostedEvents(chart, QEvent::LayoutRequest);
    if (pass > 0 && chart->margins() == before) break;
  }
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

QString ChartView::XAxisTitle() const { return scene_->XAxisTitle(); }

QString ChartView::YAxisTitle() const { return scene_->YAxisTitle(); }

QList<DrawnLabel> ChartView::CategoryLabels() const { return scene_->CategoryLabels(); }

QList<DrawnLabel> ChartView::TickLabels() const { return scene_->TickLabels(); }

QString ChartView::TickExponent() const { return scene_->Exponent(); }

QRectF ChartView::PlotArea() const {
  const QChart* chart = scene_->chart();
  return view_->mapFromScene(chart->mapToScene(chart->plotArea()))
      .boundingRect()
      .translated(view_->pos());
}

QRectF ChartView::ChartArea() const {
  const QChart* chart = scene_->chart();
  return view_->mapFromScene(chart->mapToScene(chart->rect()))
      .boundingRect()
      .translated(view_->pos());
}

QList<QLineF> ChartView::ErrorBars() const {
  const QChart* chart = scene_->chart();
  QList<QLineF> stems;
  for (const QLineF& stem : scene_->ErrorBarStems()) {
    const QPointF offset = view_->pos();
    stems << QLineF(view_->mapFromScene(chart->mapToScene(stem.p1())).toPointF() + offset,
                    view_->mapFromScene(chart->mapToScene(stem.p2())).toPointF() + offset);
  }
  return stems;
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
