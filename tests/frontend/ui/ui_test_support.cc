#include "tests/frontend/ui/ui_test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace trakvist {

QWidget* Control(const QWidget* root, const QString& name) {
  auto* control = root->findChild<QWidget*>(name);
  if (control == nullptr) QTest::qFail(qPrintable(QStringLiteral("no control ") + name), "", 0);
  return control;
}

QString Caption(const QWidget* control) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(control)) return frame->title();
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  if (const auto* list = qobject_cast<const QComboBox*>(control)) return list->currentText();
  return {};
}

void TypeOver(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

void PickNext(QComboBox* list) { QTest::keyClick(list, Qt::Key_Down); }

QColor InputBackground(const QWidget* control) {
  // What is painted: a disabled control uses the palette's disabled group.
  const QPalette::ColorGroup group = control->isEnabled() ? QPalette::Active : QPalette::Disabled;
  return control->palette().color(group, QPalette::Base);
}

QColor SystemColour(QPalette::ColorRole role) {
  return QApplication::palette().color(QPalette::Active, role);
}

}  // namespace trakvist
