#ifndef TRAKVIST_FRONTEND_UI_COMMON_UP_DOWN_H_
#define TRAKVIST_FRONTEND_UI_COMMON_UP_DOWN_H_

#include <QLineEdit>
#include <QWidget>

#include "frontend/model/panel/spinner.h"

class QToolButton;

namespace trakvist {

// Width of the spinner's arrow buttons.
inline constexpr int kUpDownWidth = 16;

// An up/down spinner bound to the text field beside it: two small arrow
// buttons that only report a press; what a press does to the field is the
// model's business.
class UpDown : public QWidget {
  Q_OBJECT

 public:
  explicit UpDown(QWidget* parent = nullptr);

  QToolButton* up_button() const { return up_; }
  QToolButton* down_button() const { return down_; }

 signals:
  void Stepped(trakvist::SpinDirection direction);

 private:
  QToolButton* up_;
  QToolButton* down_;
};

// A numeric text field whose Up and Down keys work its spinner.
class NumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit NumberEdit(QWidget* parent = nullptr);

 signals:
  void StepRequested(trakvist::SpinDirection direction);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// Replaces the field's text, keeping the cursor where the user was typing:
// characters the model dropped before the cursor move it back. Does nothing
// when the text is already shown.
void SetTextKeepingCursor(QLineEdit* edit, const QString& text);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_COMMON_UP_DOWN_H_
