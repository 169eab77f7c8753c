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

SaveChoice AskSaveDiscardCancel(QWidget* parent, std::string_view text) {
  const QMessageBox::StandardButton answer = QMessageBox::question(
      parent, ToQString(kMainWindowTitle), ToQString(text),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return SaveChoice::kSave;
  if (answer == QMessageBox::Discard) return SaveChoice::kDiscard;
  return SaveChoice::kCancel;
}

}  // namespace trakvist
