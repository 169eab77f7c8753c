#ifndef TRAKVIST_FRONTEND_UI_MAIN_WINDOW_IMPORTING_WINDOW_H_
#define TRAKVIST_FRONTEND_UI_MAIN_WINDOW_IMPORTING_WINDOW_H_

#include <QDialog>

namespace trakvist {

// `Importing`, "Wait !!": tells the user that a long manual requests text is
// being scanned. It has no buttons; the scan closes it.
class ImportingWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ImportingWindow(QWidget* owner = nullptr);

  // Shows the window beside its owner and lets it paint once before the
  // caller goes on with the scan: the owner is disabled meanwhile, so the
  // user's input waiting in the queue is not acted on.
  void ShowAndPaint();
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_MAIN_WINDOW_IMPORTING_WINDOW_H_
