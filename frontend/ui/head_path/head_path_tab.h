#ifndef TRAKVIST_FRONTEND_UI_HEAD_PATH_HEAD_PATH_TAB_H_
#define TRAKVIST_FRONTEND_UI_HEAD_PATH_HEAD_PATH_TAB_H_

#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "frontend/model/shell/main_state.h"
#include "frontend/ui/head_path/head_path_renderer.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSortFilterProxyModel;
class QTableView;

namespace trakvist {

class FileAccess;
class PathRunner;
class ServiceOrderModel;

// The small multiples, drawn by the renderer at the widget's size.
class HeadPathCanvas : public QWidget {
 public:
  HeadPathCanvas(const HeadPathRenderer* renderer, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const HeadPathRenderer* renderer_;
};

// The "Head Path" tab: runs the combination the "Charts" tab shows (or the
// panel's first values) once with the head-path log and shows every shown
// algorithm's path, a playback cursor, and one algorithm's service order.
class HeadPathTab : public QWidget {
  Q_OBJECT

 public:
  // `state` and `files` must outlive the tab.
  HeadPathTab(MainState* state, FileAccess* files, QWidget* parent = nullptr);
  ~HeadPathTab() override;

  // "Run".
  void Run();
  // The playback cursor, in TU.
  void SetCursor(std::int64_t tu);
  std::int64_t CursorTu() const;
  // "Step": the cursor to the next serve of any panel.
  void Step();

  const HeadPathRenderer& Renderer() const { return renderer_; }
  PathRunner* Runner() const { return runner_; }

 signals:
  // A run ended and its picture (or message) is shown.
  void RunFinished();

 private:
  void BuildControls();
  void ShowOutcome();
  void ShowOrder();
  void ShowCursor();
  void PlayPressed();
  void PlayTick();
  void StopPlaying();
  void CopyPicture();
  void SavePicturePressed();
  std::int64_t LastTu() const;

  MainState* state_;
  FileAccess* files_;
  PathRunner* runner_;
  HeadPathRenderer renderer_;
  HeadPathCanvas* canvas_ = nullptr;
  QPushButton* run_ = nullptr;
  QPushButton* play_ = nullptr;
  QPushButton* step_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* save_ = nullptr;
  QComboBox* speed_ = nullptr;
  QComboBox* algorithm_ = nullptr;
  QSlider* slider_ = nullptr;
  QLabel* time_ = nullptr;
  QLabel* status_ = nullptr;
  QTableView* table_ = nullptr;
  ServiceOrderModel* order_ = nullptr;
  QSortFilterProxyModel* sorted_ = nullptr;
  QTimer playback_;
  double play_position_ = 0;  // TU, fractional between ticks
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_HEAD_PATH_HEAD_PATH_TAB_H_
