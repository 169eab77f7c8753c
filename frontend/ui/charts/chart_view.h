#ifndef TRAKVIST_FRONTEND_UI_CHARTS_CHART_VIEW_H_
#define TRAKVIST_FRONTEND_UI_CHARTS_CHART_VIEW_H_

#include <QImage>
#include <QLineF>
#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "frontend/model/chart/chart_model.h"

class QPainter;

namespace trakvist {

class ChartScene;
class FittingChartView;

// A text drawn beside an axis and its outline in the chart's coordinates.
struct DrawnLabel {
  QString text;
  QPolygonF outline;
};

// A chart on screen: draws a ChartModel as bars or lines with its legend,
// category labels, axis titles, title and footnote. This is the one place
// that knows the chart library; the rest of the windows hand it a model
// and ask it for pictures.
class ChartView : public QWidget {
  Q_OBJECT

 public:
  explicit ChartView(QWidget* parent = nullptr);
  ~ChartView() override;

  // Draws `model`, replacing what was shown.
  void Show(const ChartModel& model);
  const ChartModel& model() const { return model_; }

  // Paints the chart into `target` of `painter`, laid out for that size:
  // for the clipboard and for picture files of any size.
  void Render(QPainter* painter, const QRectF& target) const;
  // The same for any model, without a chart on screen (a QApplication must
  // exist): for pictures made without a window.
  static void Render(const ChartModel& model, QPainter* painter, const QRectF& target);
  // The chart drawn on a white picture of `size`; a null image for an
  // empty size.
  QImage ToImage(const QSize& size) const;

  // What the chart draws, read back from the drawing itself.
  ChartType DrawnType() const;
  bool LegendShown() const;
  // The label of each series (one bar colour or one line), in order.
  QStringList SeriesNames() const;
  QStringList Categories() const;
  QString XAxisTitle() const;
  QString YAxisTitle() const;
  // The category and tick labels that are drawn, whole: with many
  // categories only every k-th is labelled. Tick labels may share a power
  // of ten, TickExponent ("×1E+6"; empty when they do not).
  QList<DrawnLabel> CategoryLabels() const;
  QList<DrawnLabel> TickLabels() const;
  QString TickExponent() const;
  // The plot and the chart, in this widget's coordinates.
  QRectF PlotArea() const;
  QRectF ChartArea() const;
  QString Title() const;
  QString Footnote() const;
  // The points of series `series`: category position (0, 1, ...) and value.
  // A bar without a value stands at 0; a line leaves it out.
  QList<QPointF> Points(int series) const;
  // The error bars drawn, one per point with an interval: each from the
  // top of its interval to the bottom, in this widget's coordinates.
  QList<QLineF> ErrorBars() const;
  // The range of the value axis.
  double YMinimum() const;
  double YMaximum() const;

 private:
  ChartModel model_;
  std::unique_ptr<ChartScene> scene_;  // the drawing on screen
  FittingChartView* view_ = nullptr;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_CHARTS_CHART_VIEW_H_
