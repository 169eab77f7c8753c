#ifndef TRAKVIST_FRONTEND_UI_CHART_WINDOWS_CHART_COPY_WINDOW_H_
#define TRAKVIST_FRONTEND_UI_CHART_WINDOWS_CHART_COPY_WINDOW_H_

#include <QString>
#include <QWidget>
#include <cstdint>

#include "frontend/model/chart/chart_copies.h"

class QPushButton;

namespace trakvist {

class ChartView;

// A published "Chart" window: its own chart `Cchart` showing the snapshot
// and its own "Copy" button `CopyC` that puts the snapshot's picture and
// text on the clipboard, with "Save Chart…" beside it for a picture file.
// It is modeless and deletes itself when closed, telling whoever keeps the
// list of chart windows its number first.
class ChartCopyWindow : public QWidget {
  Q_OBJECT

 public:
  // Shows the snapshot of `window` under its number; `parent`'s closing
  // and deletion take the window along.
  explicit ChartCopyWindow(const ChartWindow& window, QWidget* parent = nullptr);

  std::int16_t Number() const { return number_; }
  void SetNumber(std::int16_t number) { number_ = number; }
  const QString& Text() const { return text_; }
  ChartView* Cchart() const { return cchart_; }
  QPushButton* CopyC() const { return copy_c_; }
  // "Save Chart…", beside "Copy".
  QPushButton* SaveC() const { return save_c_; }

 signals:
  // The window is closing; its number is still the one it had in the list.
  void Closed(std::int16_t number);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Copy();

  std::int16_t number_ = 0;
  QString text_;
  ChartWindowLayout layout_;
  ChartView* cchart_ = nullptr;
  QPushButton* copy_c_ = nullptr;
  QPushButton* save_c_ = nullptr;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_CHART_WINDOWS_CHART_COPY_WINDOW_H_
