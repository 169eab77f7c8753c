#ifndef TRAKVIST_FRONTEND_UI_HEAD_PATH_HEAD_PATH_RENDERER_H_
#define TRAKVIST_FRONTEND_UI_HEAD_PATH_HEAD_PATH_RENDERER_H_

#include <QRectF>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "frontend/model/path/path_view.h"

class QPainter;

namespace trakvist {

// What one panel shows at the cursor: the head and the waiting requests.
struct CursorMarks {
  double head = 0;                    // the head's cylinder
  std::vector<std::int64_t> waiting;  // cylinders of the requests waiting, in arrival order
};

// Draws the small multiples of a head-path picture onto any painter: one
// panel per algorithm on shared axes (time across, cylinder 0 to the highest
// up), the path thinned to the pixels it covers, serves as dots, each panel
// under its title; and, when a cursor time is set, a cursor line, the head
// and the requests waiting at that time.
class HeadPathRenderer {
 public:
  explicit HeadPathRenderer(const PathPicture* picture = nullptr) : picture_(picture) {}

  void SetPicture(const PathPicture* picture) { picture_ = picture; }
  void SetCursor(std::optional<std::int64_t> tu) { cursor_ = tu; }
  std::optional<std::int64_t> Cursor() const { return cursor_; }

  void Render(QPainter* painter, const QRectF& area) const;

  // The marks panel `panel` shows at the cursor; none without a cursor.
  std::optional<CursorMarks> Marks(int panel) const;

  // Where panel `panel` goes in `area`: its title above its plot.
  QRectF PanelRect(int panel, const QRectF& area) const;
  int PanelCount() const;
  // Where the legend goes in `area`: the first free place of the grid, or a
  // strip under the panels when the grid is full; empty without panels.
  QRectF LegendRect(const QRectF& area) const;

 private:
  void RenderPanel(QPainter* painter, int panel, const QRectF& rect) const;
  void RenderAxes(QPainter* painter, const QRectF& plot) const;
  void RenderCylinderTitle(QPainter* painter, const QRectF& plot) const;
  void RenderPath(QPainter* painter, const AlgorithmPath& path, const QRectF& plot) const;
  void RenderCursor(QPainter* painter, int panel, const QRectF& plot) const;
  void RenderLegend(QPainter* painter, const QRectF& rect) const;
  bool LegendInGrid() const;
  std::vector<QString> LegendTexts() const;
  QPointF Point(const QRectF& plot, double tu, double cylinder) const;

  const PathPicture* picture_;
  std::optional<std::int64_t> cursor_;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_HEAD_PATH_HEAD_PATH_RENDERER_H_
