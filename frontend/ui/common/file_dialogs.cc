#include "frontend/ui/common/file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

#include "frontend/model/requests/manual_texts.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/ui_texts.h"

namespace trakvist {
namespace {

QString QtPatterns(const QString& patterns) {
  QStringList list = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (QString& pattern : list) {
    pattern = pattern.trimmed();
    if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
  }
  return list.join(QLatin1Char(' '));
}

std::optional<QString> RunDialog(QFileDialog* dialog) {
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog->selectedFiles().constFirst();
}

}  // namespace

QString QtFileFilter(std::string_view pairs) {
  const QStringList parts = ToQString(pairs).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    const QString patterns = QtPatterns(parts[i + 1]);
    // Qt reads the patterns from the description's last parentheses.
    if (description.endsWith(QLatin1Char(')'))) {
      filters << description;
    } else {
      filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
  }
  return filters.join(QStringLiteral(";;"));
}

std::optional<QString> AskRequestsFile(QWidget* parent) {
  QFileDialog dialog(parent, ToQString(kImportDialogTitle));
  dialog.setNameFilter(QtFileFilter(kImportDialogFilter));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  return RunDialog(&dialog);
}

std::optional<QString> AskOpenSimulationFile(QWidget* parent, const QString& start) {
  QFileDialog dialog(parent, ToQString(kOpenCaption), start);
  dialog.setNameFilter(QtFileFilter(kSimulationFileFilter));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  return RunDialog(&dialog);
}

namespace {

// A file to write, of the kind `filter` names; `suffix` is added when no
// extension is typed.
std::optional<QString> AskFileToWrite(QWidget* parent, const QString& title, const QString& start,
                                      std::string_view filter, const QString& suffix,
                                      const QString& object_name = {}) {
  QFileDialog dialog(parent, title, start);
  if (!object_name.isEmpty()) dialog.setObjectName(object_name);
  dialog.setNameFilter(QtFileFilter(filter));
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  return RunDialog(&dialog);
}

}  // namespace

std::optional<QString> AskSaveSimulationFile(QWidget* parent, const QString& start) {
  return AskFileToWrite(parent, ToQString(kSaveAsCaption), start, kSimulationFileFilter,
                        QStringLiteral("txt"));
}

std::optional<QString> AskExportFile(QWidget* parent, const QString& start) {
  return AskFileToWrite(parent, ToQString(kExportResultsTitle), start, kExportFileFilter,
                        QStringLiteral("csv"), QStringLiteral("ExportResultsDialog"));
}

}  // namespace trakvist
