#ifndef TRAKVIST_FRONTEND_UI_MAIN_WINDOW_ABOUT_BOX_H_
#define TRAKVIST_FRONTEND_UI_MAIN_WINDOW_ABOUT_BOX_H_

#include <QDialog>

namespace trakvist {

// The About box opened by `Command1`: the program's name, version and what
// it does.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_MAIN_WINDOW_ABOUT_BOX_H_
