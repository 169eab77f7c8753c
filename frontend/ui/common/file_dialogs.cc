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

std::optional<QString> AskSaveSimulationFile(QWidget* parent, const QString& start) {
  QFileDialog dialog(parent, ToQString(kSaveAsCaption), start);
  dialog.setNameFilter(QtFileFilter(kSimulationFileFilter));
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  return RunDialog(&dialog);
}

std::optional<QString> AskExportFile(QWidget* parent, const QString& start) {
  QFileDialog dialog(parent, ToQString(kExportResultsTitle), start);
  dialog.setObjectName(QStringLiteral("ExportResultsDialog"));
  dialog.setNameFilter(QtFileFilter(kExportFileFilter));
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  return RunDialog(&dialog);
}

}  // namespace trakvist
