#ifndef TRAKVIST_FRONTEND_UI_DISK_PROPERTIES_DISK_PROPERTIES_WINDOW_H_
#define TRAKVIST_FRONTEND_UI_DISK_PROPERTIES_DISK_PROPERTIES_WINDOW_H_

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "frontend/model/disks/disk_properties.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace trakvist {

class DiskTypeList;
class NumberEdit;
class UpDown;

// The controls of the disk properties window; the window owns them.
struct DiskPropertiesControls {
  QLabel* name_label = nullptr;  // "Name\Model:"
  DiskTypeList* disk_list2 = nullptr;

  // The thirteen figures, each shown as its number and unit ("17 ms").
  std::array<NumberEdit*, kDparamCount> dparam{};
  std::array<UpDown*, kDparamCount> up_down{};
  std::array<QLabel*, kDparamCount> dparam_label{};

  QRadioButton* op_geometry = nullptr;
  QRadioButton* ol_geometry = nullptr;
  QRadioButton* cst_calc1 = nullptr;  // CST from the full seek time
  QRadioButton* cst_calc2 = nullptr;  // CST from twice the average seek time

  // Derived values, read only.
  QLineEdit* pcapa = nullptr;
  QLineEdit* lcapa = nullptr;
  QLineEdit* bt = nullptr;
  QLineEdit* cst = nullptr;
  QLineEdit* latu = nullptr;
  QLineEdit* tuer = nullptr;

  NumberEdit* tu = nullptr;  // "1 TU =", shown with " s"
  UpDown* tu_up_down = nullptr;
  QCheckBox* smintu = nullptr;
  QCheckBox* slatu = nullptr;
  QCheckBox* apply = nullptr;

  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
  QPushButton* save_disk = nullptr;
  QPushButton* edit_file = nullptr;
};

// `FDiskProp`, "Disk Properties": a disk type's physical figures, the times
// derived from them and the choice of the time unit. Created once with the
// main window and then only shown and hidden.
//
// This is the window's layout and the showing of the model's state on it;
// DiskPropertiesController connects the model's rules to its controls.
// Cancel, Escape and the title bar's close button reject the window (the
// controller applies Cancel's rule); OK is the controller's alone.
class DiskPropertiesWindow : public QDialog {
  Q_OBJECT

 public:
  explicit DiskPropertiesWindow(QWidget* parent = nullptr);

  const DiskPropertiesControls& controls() const { return c_; }

  // Shows the window's state with the disk type list holding `entries`.
  // A field the user is typing in keeps the text being typed; only the
  // change rules, run when the typing ends, re-write it.
  void ShowState(const DiskProperties& state, const std::vector<std::string>& entries);

  // Shows the window modally without blocking the caller; the first time it
  // is placed in the centre of the screen.
  void ShowModal();

 private:
  DiskPropertiesControls c_;
  bool placed_ = false;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_DISK_PROPERTIES_DISK_PROPERTIES_WINDOW_H_
