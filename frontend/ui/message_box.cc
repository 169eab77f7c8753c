#include "frontend/ui/message_box.h"

#include <QMessageBox>

#include "frontend/ui/qt_text.h"
#include "frontend/ui/ui_texts.h"

namespace trakvist {

void ShowMessage(QWidget* parent, std::string_view text) {
  QMessageBox::information(parent, ToQString(kProgramName), ToQString(text), QMessageBox::Ok);
}

bool AskYesNo(QWidget* parent, std::string_view text) {
  return QMessageBox::question(parent, ToQString(kProgramName), ToQString(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace trakvist
