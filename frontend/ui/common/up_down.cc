#include "frontend/ui/common/up_down.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace trakvist {
namespace {

QToolButton* MakeArrowButton(Qt::ArrowType arrow, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setFixedWidth(kUpDownWidth);
  button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
  return button;
}

}  // namespace

UpDown::UpDown(QWidget* parent)
    : QWidget(parent),
      up_(MakeArrowButton(Qt::UpArrow, this)),
      down_(MakeArrowButton(Qt::DownArrow, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up_);
  layout->addWidget(down_);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  connect(up_, &QToolButton::clicked, this, [this] { emit Stepped(SpinDirection::kUp); });
  connect(down_, &QToolButton::clicked, this, [this] { emit Stepped(SpinDirection::kDown); });
}

NumberEdit::NumberEdit(QWidget* parent) : QLineEdit(parent) {}

void NumberEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    emit StepRequested(event->key() == Qt::Key_Up ? SpinDirection::kUp : SpinDirection::kDown);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void SetTextKeepingCursor(QLineEdit* edit, const QString& text) {
  const QString old = edit->text();
  if (old == text) return;
  const int dropped = std::max<int>(0, static_cast<int>(old.size() - text.size()));
  const int cursor = std::clamp(edit->cursorPosition() - dropped, 0, static_cast<int>(text.size()));
  edit->setText(text);
  edit->setCursorPosition(cursor);
}

}  // namespace trakvist
