#include "frontend/ui/simulation/disk_type_list.h"

#include <QKeyEvent>

namespace trakvist {
DiskTypeList::DiskTypeList(QWidget* parent) : QComboBox(parent) {}

void DiskTypeList::showPopup() {
  emit AboutToBeUsed();
  QComboBox::showPopup();
}

void DiskTypeList::keyPressEvent(QKeyEvent* event) {
  emit AboutToBeUsed();
  QComboBox::keyPressEvent(event);
}

}  // namespace trakvist
