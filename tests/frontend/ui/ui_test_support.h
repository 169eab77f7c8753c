#ifndef TRAKVIST_TESTS_FRONTEND_UI_UI_TEST_SUPPORT_H_
#define TRAKVIST_TESTS_FRONTEND_UI_UI_TEST_SUPPORT_H_

#include <QAbstractButton>
#include <QColor>
#include <QPalette>
#include <QString>
#include <QWidget>

class QComboBox;
class QLineEdit;

namespace trakvist {

// The control named `name` under `root`; fails the test when there is none.
QWidget* Control(const QWidget* root, const QString& name);

template <typename Widget>
Widget* ControlAs(const QWidget* root, const QString& name) {
  return qobject_cast<Widget*>(Control(root, name));
}

// The caption a control shows: a button's, label's, group box's or line
// edit's text.
QString Caption(const QWidget* control);

// Types `text` over the whole content of the field, as a user would after
// selecting it.
void TypeOver(QLineEdit* edit, const QString& text);

// Picks the next entry of a closed drop-down list with the Down key.
void PickNext(QComboBox* list);

// The colour the control's input area is painted with in its current state.
QColor InputBackground(const QWidget* control);
QColor SystemColour(QPalette::ColorRole role);

}  // namespace trakvist

#endif  // TRAKVIST_TESTS_FRONTEND_UI_UI_TEST_SUPPORT_H_
