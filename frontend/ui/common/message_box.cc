#include "frontend/ui/common/message_box.h"

#include <QMessageBox>

#include "frontend/model/files/sim_file_session.h"
#include "frontend/ui/common/qt_text.h"

namespace trakvist {

void ShowMessage(QWidget* parent, std::string_view text) {
  QMessageBox::information(parent, ToQString(kMainWindowTitle), ToQString(text), QMessageBox::Ok);
}

bool AskQuestion(QWidget* parent, std::string_view text) {
  return QMessageBox::question(parent, ToQString(kMainWindowTitle), ToQString(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace trakvist
