#include "frontend/ui/chart_windows/chart_copy_window.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>

#include "frontend/platform/clipboard.h"
#include "frontend/ui/charts/chart_saving.h"
#include "frontend/ui/charts/chart_view.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/ui_texts.h"
#include "frontend/ui/common/widget_factory.h"

namespace trakvist {
namespace {

// A picture that reads well beside the main window on a laptop screen.
constexpr int kStartWidth = 640;
constexpr int kStartHeight = 460;
// The button fits the strip under the chart.
constexpr int kCopyHeight = 24;
constexpr int kCopyMinimumWidth = 80;
constexpr int kButtonGap = 6;

}  // namespace

ChartCopyWindow::ChartCopyWindow(const ChartWindow& window, QWidget* parent)
    : QWidget(parent, Qt::Window), number_(window.number), text_(ToQString(window.text)) {
  setObjectName(QStringLiteral("ChartWindow"));
  setWindowTitle(ToQString(kChartWindowCaption));
  setAttribute(Qt::WA_DeleteOnClose);

  cchart_ = Named(new ChartView(this), QStringLiteral("Cchart"));
  cchart_->setMinimumSize(0, 0);
  cchart_->Show(window.Cchart);
  copy_c_ = MakeButton(QStringLiteral("CopyC"), kCopyCaption);
  copy_c_->setParent(this);
  copy_c_->resize(std::max(copy_c_->sizeHint().width(), kCopyMinimumWidth), kCopyHeight);
  copy_c_->move(layout_.chart_left, 0);
  cchart_->move(layout_.chart_left, layout_.chart_top);
  connect(copy_c_, &QPushButton::clicked, this, &ChartCopyWindow::Copy);
  save_c_ = MakeButton(QStringLiteral("SaveChart"), kSaveChartCaption);
  save_c_->setParent(this);
  save_c_->resize(std::max(save_c_->sizeHint().width(), kCopyMinimumWidth), kCopyHeight);
  save_c_->move(copy_c_->geometry().right() + kButtonGap, 0);
  connect(save_c_, &QPushButton::clicked, this, [this] { SaveChart(this, cchart_->model()); });
  resize(kStartWidth, kStartHeight);
}

void ChartCopyWindow::resizeEvent(QResizeEvent* event) {
  ResizeChartWindow(&layout_, event->size().width(), event->size().height());
  cchart_->setGeometry(layout_.chart_left, layout_.chart_top, layout_.chart_width,
                       layout_.chart_height);
  copy_c_->move(copy_c_->x(), layout_.copy_top);
  save_c_->move(save_c_->x(), layout_.copy_top);
  QWidget::resizeEvent(event);
}

void ChartCopyWindow::closeEvent(QCloseEvent* event) {
  emit Closed(number_);
  QWidget::closeEvent(event);
}

void ChartCopyWindow::Copy() { CopyImageAndText(cchart_->ToImage(cchart_->size()), text_); }

}  // namespace trakvist
