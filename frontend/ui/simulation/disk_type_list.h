#ifndef TRAKVIST_FRONTEND_UI_SIMULATION_DISK_TYPE_LIST_H_
#define TRAKVIST_FRONTEND_UI_SIMULATION_DISK_TYPE_LIST_H_

#include <QComboBox>

namespace trakvist {

// A drop-down list of disk types (`DiskList`, `DiskList2`). It says when it
// is about to be used, before it drops down and before it handles a key, so
// that the catalogue can be read again first when its file has changed;
// the items it then shows are the fresh ones.
class DiskTypeList : public QComboBox {
  Q_OBJECT

 public:
  explicit DiskTypeList(QWidget* parent = nullptr);

  void showPopup() override;

 signals:
  void AboutToBeUsed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_SIMULATION_DISK_TYPE_LIST_H_
