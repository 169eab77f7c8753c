#include "frontend/ui/main_window/importing_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

#include "frontend/model/requests/manual_texts.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/window_placement.h"

namespace trakvist {

ImportingWindow::ImportingWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("Importing"));
  setWindowTitle(ToQString(kWaitWindowCaption));
  setModal(false);
  auto* label = new QLabel(ToQString(kWaitWindowLabel));
  label->setObjectName(QStringLiteral("ImportingLabel"));
  label->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(32, 20, 32, 20);
  layout->addWidget(label);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ImportingWindow::ShowAndPaint() {
  QWidget* owner = parentWidget();
  show();
  CentreOnScreen(this);
  if (owner != nullptr) owner->setEnabled(false);
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  if (owner != nullptr) owner->setEnabled(true);
}

}  // namespace trakvist
