#include "frontend/ui/head_path/head_path_renderer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <functional>

#include "frontend/ui/common/qt_text.h"

namespace trakvist {
namespace {

constexpr double kGap = 14;        // between panels
constexpr double kTitleLine = 16;  // a line of a panel's title
constexpr double kTitleHeight = 2 * kTitleLine + 4;
constexpr double kAxisTitleWidth = 14;  // "cylinder", turned, left of the labels
constexpr double kLeftMargin = kAxisTitleWidth + 40;  // the title and the cylinder labels
constexpr double kBottomMargin = 20;  // the time labels
constexpr double kRightMargin = 12;
constexpr double kFontPixels = 12;
constexpr double kServeRadius = 2.6;
constexpr double kHeadRadius = 5.5;
constexpr double kWaitingHalfWidth = 6;
constexpr double kMostServesPerColumn = 8;
constexpr double kLegendLine = kTitleLine + 6;
constexpr double kLegendMark = 28;     // a mark and the room before its text
constexpr double kLegendSpacing = 24;  // between entries side by side

const QColor kPathColor(31, 84, 160);
const QColor kServeColor(20, 20, 20);
const QColor kGridColor(225, 225, 225);
const QColor kAxisColor(120, 120, 120);
const QColor kCursorColor(110, 110, 110);
const QColor kHeadColor(220, 100, 0);
const QColor kWaitingColor(200, 30, 30);

// About five round steps over [0, span]: 1, 2 or 5 times a power of ten,
// never below 1 (times and cylinders are whole).
double TickStep(double span) {
  if (span <= 0) return 1;
  const double raw = span / 5;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double norm = raw / magnitude;
  const double step = (norm < 1.5 ? 1 : norm < 3 ? 2 : norm < 7 ? 5 : 10) * magnitude;
  return std::max(1.0, step);
}

// A tick's time, large TU counts shortened: 2500000 reads 2.5M.
QString TimeLabel(double tu, double seconds_per_tu) {
  if (seconds_per_tu > 0)
    return ToQString(PathTimeText(static_cast<std::int64_t>(tu), seconds_per_tu));
  if (tu >= 1e6) return QString::number(tu / 1e6, 'g', 4) + QStringLiteral("M");
  if (tu >= 1e4) return QString::number(tu / 1e3, 'g', 4) + QStringLiteral("k");
  return QString::number(static_cast<long long>(tu));
}

QFont PictureFont(bool bold) {
  QFont font;
  font.setPixelSize(static_cast<int>(kFontPixels));
  font.setBold(bold);
  return font;
}

// The grid of panels: as many columns as rows or one more.
int GridColumns(int count) {
  return static_cast<int>(std::ceil(std::sqrt(static_cast<double>(std::max(1, count)))));
}

int GridRows(int count) {
  const int columns = GridColumns(count);
  return (std::max(1, count) + columns - 1) / columns;
}

// Where each legend entry starts (its mark's left end, its line's top) in
// `rect`: one under the other in a free place of the grid, under the room
// of a panel's title; side by side, wrapping, in a strip.
std::vector<QPointF> LegendPlaces(const std::vector<QString>& texts, const QRectF& rect,
                                  bool side_by_side) {
  const QFontMetricsF metrics(PictureFont(false));
  std::vector<QPointF> places;
  double x = rect.left() + (side_by_side ? 0 : kLeftMargin);
  double y = rect.top() + (side_by_side ? 0 : kTitleHeight);
  for (const QString& text : texts) {
    const double width = kLegendMark + metrics.horizontalAdvance(text);
    if (side_by_side && !places.empty() && x + width > rect.right()) {
      x = rect.left();
      y += kLegendLine;
    }
    places.emplace_back(x, y);
    if (side_by_side) {
      x += width + kLegendSpacing;
    } else {
      y += kLegendLine;
    }
  }
  return places;
}

}  // namespace

int HeadPathRenderer::PanelCount() const {
  return picture_ == nullptr ? 0 : static_cast<int>(picture_->panels.size());
}

bool HeadPathRenderer::LegendInGrid() const {
  return PanelCount() < GridColumns(PanelCount()) * GridRows(PanelCount());
}

std::vector<QString> HeadPathRenderer::LegendTexts() const {
  std::vector<QString> texts = {QStringLiteral("the head's path"),
                                QStringLiteral("a request served")};
  if (cursor_) {
    texts.push_back(QStringLiteral("the head at the cursor"));
    texts.push_back(QStringLiteral("a request waiting at the cursor"));
  }
  return texts;
}

// A grid without a free place has the legend in a strip under the panels,
// lined up with their plots.
QRectF HeadPathRenderer::LegendRect(const QRectF& area) const {
  if (PanelCount() == 0) return {};
  if (LegendInGrid()) return PanelRect(PanelCount(), area);
  QRectF strip(area.left() + kGap + kLeftMargin, area.top(),
               std::max(1.0, area.width() - 2 * kGap - kLeftMargin), 0);
  const std::vector<QPointF> places = LegendPlaces(LegendTexts(), strip, true);
  const double height = places.back().y() - strip.top() + kLegendLine + kGap / 2;
  strip.moveTop(area.bottom() - height);
  strip.setHeight(height);
  return strip;
}

QRectF HeadPathRenderer::PanelRect(int panel, const QRectF& full_area) const {
  QRectF area = full_area;
  if (PanelCount() > 0 && !LegendInGrid()) area.setBottom(LegendRect(full_area).top());
  const int count = std::max(1, PanelCount());
  const int columns = GridColumns(count);
  const int rows = GridRows(count);
  const double width = (area.width() - kGap * (columns + 1)) / columns;
  const double height = (area.height() - kGap * (rows + 1)) / rows;
  const int column = panel % columns;
  const int row = panel / columns;
  return QRectF(area.left() + kGap + column * (width + kGap),
                area.top() + kGap + row * (height + kGap), std::max(0.0, width),
                std::max(0.0, height));
}

std::optional<CursorMarks> HeadPathRenderer::Marks(int panel) const {
  if (!cursor_ || panel < 0 || panel >= PanelCount()) return std::nullopt;
  const AlgorithmPath& path = *picture_->panels[panel].path;
  CursorMarks marks;
  marks.head = HeadAt(path, *cursor_);
  for (const ServedRequest& request : WaitingAt(path, *cursor_)) {
    marks.waiting.push_back(request.cylinder);
  }
  return marks;
}

void HeadPathRenderer::Render(QPainter* painter, const QRectF& area) const {
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, true);
  painter->fillRect(area, Qt::white);
  if (PanelCount() == 0) {
    painter->setFont(PictureFont(false));
    painter->setPen(kAxisColor);
    painter->drawText(area, Qt::AlignCenter,
                      QStringLiteral("Press Run to draw the head's path of every algorithm."));
  }
  for (int panel = 0; panel < PanelCount(); ++panel) {
    RenderPanel(painter, panel, PanelRect(panel, area));
  }
  if (PanelCount() > 0) RenderLegend(painter, LegendRect(area));
  painter->restore();
}

// What the marks mean, in the first free place of the grid or in the strip
// under a full grid.
void HeadPathRenderer::RenderLegend(QPainter* painter, const QRectF& rect) const {
  painter->setFont(PictureFont(false));
  const bool side_by_side = !LegendInGrid();
  const std::vector<QString> texts = LegendTexts();
  const std::vector<QPointF> places = LegendPlaces(texts, rect, side_by_side);
  const std::function<void(QPointF)> marks[] = {
      [&](QPointF at) {  // the head's path
        painter->setPen(QPen(kPathColor, 1.3));
        painter->drawLine(at - QPointF(10, 0), at + QPointF(10, 0));
      },
      [&](QPointF at) {  // a request served
        painter->setPen(Qt::NoPen);
        painter->setBrush(kServeColor);
        painter->drawEllipse(at, kServeRadius, kServeRadius);
      },
      [&](QPointF at) {  // the head at the cursor
        painter->setPen(QPen(Qt::white, 1.5));
        painter->setBrush(kHeadColor);
        painter->drawEllipse(at, kHeadRadius, kHeadRadius);
      },
      [&](QPointF at) {  // a request waiting at the cursor
        painter->setPen(QPen(kWaitingColor, 2.2));
        painter->drawLine(at - QPointF(kWaitingHalfWidth, 0), at + QPointF(kWaitingHalfWidth, 0));
      },
  };
  const QFontMetricsF metrics(painter->font());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const QPointF at = places[i];
    marks[i](QPointF(at.x() + 10, at.y() + kLegendLine / 2));
    painter->setPen(Qt::black);
    const double width = side_by_side ? metrics.horizontalAdvance(texts[i]) + 1
                                      : rect.right() - at.x() - kLegendMark;
    painter->drawText(QRectF(at.x() + kLegendMark, at.y(), std::max(0.0, width), kLegendLine),
                      Qt::AlignLeft | Qt::AlignVCenter, texts[i]);
  }
}

QPointF HeadPathRenderer::Point(const QRectF& plot, double tu, double cylinder) const {
  const double last = std::max<double>(1, static_cast<double>(picture_->last_tu));
  const double highest = std::max<double>(1, static_cast<double>(picture_->highest));
  return QPointF(plot.left() + plot.width() * tu / last,
                 plot.bottom() - plot.height() * cylinder / highest);
}

void HeadPathRenderer::RenderPanel(QPainter* painter, int panel, const QRectF& rect) const {
  // The algorithm in bold and its seek total on the first line, its average
  // wait on the second.
  const QString text = ToQString(picture_->panels[panel].title);
  const qsizetype dash = text.indexOf(QStringLiteral(" \u2014 "));
  const QString name = dash < 0 ? text : text.left(dash);
  const QString totals = dash < 0 ? QString() : text.mid(dash + 3);
  const qsizetype comma = totals.indexOf(QStringLiteral(", "));
  const QString seek = comma < 0 ? totals : totals.left(comma);
  const QString wait = comma < 0 ? QString() : totals.mid(comma + 2);
  // The title takes the width of the cylinder labels too, so that large
  // totals stay whole in narrow panels.
  const double left = rect.left() + kAxisTitleWidth;
  const double width = rect.width() - kAxisTitleWidth - kRightMargin;
  painter->setPen(Qt::black);
  painter->setFont(PictureFont(true));
  const QFontMetricsF bold(painter->font());
  const QString shown_name = bold.elidedText(name, Qt::ElideRight, width);
  painter->drawText(QRectF(left, rect.top(), width, kTitleLine), Qt::AlignLeft | Qt::AlignVCenter,
                    shown_name);
  const double after_name = bold.horizontalAdvance(shown_name + QStringLiteral("  "));
  painter->setFont(PictureFont(false));
  painter->setPen(QColor(70, 70, 70));
  const QFontMetricsF regular(painter->font());
  painter->drawText(
      QRectF(left + after_name, rect.top(), std::max(0.0, width - after_name), kTitleLine),
      Qt::AlignLeft | Qt::AlignVCenter,
      regular.elidedText(seek, Qt::ElideRight, std::max(0.0, width - after_name)));
  painter->drawText(QRectF(left, rect.top() + kTitleLine, width, kTitleLine),
                    Qt::AlignLeft | Qt::AlignVCenter,
                    regular.elidedText(wait, Qt::ElideRight, width));
  const double plot_left = rect.left() + kLeftMargin;
  const double plot_width = rect.width() - kLeftMargin - kRightMargin;
  const QRectF plot(plot_left, rect.top() + kTitleHeight, plot_width,
                    rect.height() - kTitleHeight - kBottomMargin);
  if (plot.width() < 2 || plot.height() < 2) return;
  RenderAxes(painter, plot);
  painter->save();
  painter->setClipRect(plot.adjusted(-kHeadRadius, -kHeadRadius, kHeadRadius, kHeadRadius));
  RenderPath(painter, *picture_->panels[panel].path, plot);
  RenderCursor(painter, panel, plot);
  painter->restore();
}

void HeadPathRenderer::RenderAxes(QPainter* painter, const QRectF& plot) const {
  painter->setFont(PictureFont(false));
  const QFontMetricsF metrics(painter->font());
  const double highest = static_cast<double>(picture_->highest);
  const double last = static_cast<double>(picture_->last_tu);
  const double cylinder_step = TickStep(highest);
  for (double c = 0; c <= highest + 1e-9; c += cylinder_step) {
    const QPointF at = Point(plot, 0, c);
    painter->setPen(kGridColor);
    painter->drawLine(QPointF(plot.left(), at.y()), QPointF(plot.right(), at.y()));
    painter->setPen(kAxisColor);
    const QString label = QString::number(static_cast<long long>(c));
    painter->drawText(QRectF(plot.left() - kLeftMargin + kAxisTitleWidth, at.y() - 8,
                             kLeftMargin - kAxisTitleWidth - 5, 16),
                      Qt::AlignRight | Qt::AlignVCenter, label);
  }
  RenderCylinderTitle(painter, plot);
  const double time_step = TickStep(last);
  const QString unit = picture_->seconds_per_tu > 0 ? QStringLiteral("s") : QStringLiteral("TU");
  double free_from = plot.left() - kLeftMargin;  // where the next label may start
  for (double t = 0; t <= last + 1e-9; t += time_step) {
    const QPointF at = Point(plot, t, 0);
    painter->setPen(kGridColor);
    painter->drawLine(QPointF(at.x(), plot.top()), QPointF(at.x(), plot.bottom()));
    painter->setPen(kAxisColor);
    const QString label = TimeLabel(t, picture_->seconds_per_tu);
    const double width = metrics.horizontalAdvance(label);
    if (at.x() + width / 2 > plot.right() - metrics.horizontalAdvance(unit) - 6) break;
    if (at.x() - width / 2 < free_from) continue;
    painter->drawText(QPointF(at.x() - width / 2, plot.bottom() + kBottomMargin - 5), label);
    free_from = at.x() + width / 2 + 8;
  }
  painter->drawText(
      QPointF(plot.right() - metrics.horizontalAdvance(unit), plot.bottom() + kBottomMargin - 5),
      unit);
  painter->setPen(kAxisColor);
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(plot);
}

// The cylinder axis's title, read from bottom to top beside its labels.
void HeadPathRenderer::RenderCylinderTitle(QPainter* painter, const QRectF& plot) const {
  painter->save();
  painter->setPen(kAxisColor);
  painter->translate(plot.left() - kLeftMargin, plot.bottom());
  painter->rotate(-90);
  painter->drawText(QRectF(0, 0, plot.height(), kAxisTitleWidth), Qt::AlignCenter,
                    painter->fontMetrics().elidedText(QStringLiteral("cylinder"), Qt::ElideRight,
                                                      static_cast<int>(plot.height())));
  painter->restore();
}

void HeadPathRenderer::RenderPath(QPainter* painter, const AlgorithmPath& path,
                                  const QRectF& plot) const {
  const int columns = std::max(1, static_cast<int>(std::ceil(plot.width())));
  const std::vector<PathPoint> points = ThinnedPath(path, 0, picture_->last_tu, columns);
  QPolygonF line;
  line.reserve(static_cast<qsizetype>(points.size()));
  for (const PathPoint& point : points) {
    line << Point(plot, static_cast<double>(point.tu), static_cast<double>(point.cylinder));
  }
  // A dense run is drawn lighter, so that the path stays visible under its
  // dots and the dots show where the serves crowd.
  std::int64_t serves = 0;
  for (const PathEvent& event : path.events) serves += event.kind == PathEventKind::kServe;
  const double density = static_cast<double>(serves) / std::max(1.0, plot.width());
  const bool dense = density > 0.5;
  QColor path_color = kPathColor;
  if (dense) path_color.setAlpha(150);
  painter->setPen(QPen(path_color, dense ? 0.7 : 1.3));
  painter->drawPolyline(line);
  // Past a few serves per pixel column the dots would only cover the path.
  if (density > kMostServesPerColumn) return;
  const double radius = density > 0.5 ? 1.0 : density > 0.15 ? 1.8 : kServeRadius;
  QColor serve_color = kServeColor;
  if (dense) serve_color.setAlpha(110);
  // One dot per cell of the dot's size: a hundred thousand serves cover a
  // few thousand cells; small dots are drawn as square points, in one call.
  const double cell_size = std::max(1.0, radius * 2);
  const int width = static_cast<int>(columns / cell_size) + 2;
  const int height = static_cast<int>(std::ceil(plot.height() / cell_size)) + 2;
  std::vector<bool> drawn(static_cast<std::size_t>(width) * height, false);
  QPolygonF dots;
  for (const PathEvent& event : path.events) {
    if (event.kind != PathEventKind::kServe) continue;
    const QPointF at =
        Point(plot, static_cast<double>(event.tu), static_cast<double>(event.cylinder));
    const int x = std::clamp(static_cast<int>((at.x() - plot.left()) / cell_size), 0, width - 1);
    const int y = std::clamp(static_cast<int>((at.y() - plot.top()) / cell_size), 0, height - 1);
    const std::size_t cell = static_cast<std::size_t>(y) * width + x;
    if (drawn[cell]) continue;
    drawn[cell] = true;
    dots << at;
  }
  if (radius <= 1.0) {
    painter->setPen(QPen(serve_color, radius * 2, Qt::SolidLine, Qt::SquareCap));
    painter->drawPoints(dots);
    return;
  }
  painter->setPen(Qt::NoPen);
  painter->setBrush(serve_color);
  for (const QPointF& at : dots) painter->drawEllipse(at, radius, radius);
}

void HeadPathRenderer::RenderCursor(QPainter* painter, int panel, const QRectF& plot) const {
  const std::optional<CursorMarks> marks = Marks(panel);
  if (!marks) return;
  const double tu = static_cast<double>(*cursor_);
  const QPointF top = Point(plot, tu, static_cast<double>(picture_->highest));
  painter->setPen(QPen(kCursorColor, 1, Qt::DashLine));
  painter->drawLine(QPointF(top.x(), plot.top()), QPointF(top.x(), plot.bottom()));
  painter->setPen(QPen(kWaitingColor, 2.2));
  for (const std::int64_t cylinder : marks->waiting) {
    const QPointF at = Point(plot, tu, static_cast<double>(cylinder));
    painter->drawLine(QPointF(at.x() - kWaitingHalfWidth, at.y()),
                      QPointF(at.x() + kWaitingHalfWidth, at.y()));
  }
  painter->setPen(QPen(Qt::white, 1.5));
  painter->setBrush(kHeadColor);
  painter->drawEllipse(Point(plot, tu, marks->head), kHeadRadius, kHeadRadius);
}

}  // namespace trakvist
