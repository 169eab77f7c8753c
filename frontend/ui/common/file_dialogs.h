#ifndef TRAKVIST_FRONTEND_UI_COMMON_FILE_DIALOGS_H_
#define TRAKVIST_FRONTEND_UI_COMMON_FILE_DIALOGS_H_

#include <QString>
#include <optional>
#include <string_view>

class QWidget;

namespace trakvist {

// Turns a filter list of description and pattern pairs separated by "|"
// ("Text (*.txt)|*.txt|All Files|*.*") into Qt's form ("Text (*.txt);;All
// Files (*)"). A description that shows no patterns gets them appended, and
// "*.*" becomes "*", which also matches names without a dot.
QString QtFileFilter(std::string_view pairs);

// The file dialogs of the main window, Qt's own so they look native on every
// desktop. Each returns the chosen file's full path, nothing on cancel.

// "Import": a requests file, which must exist.
std::optional<QString> AskRequestsFile(QWidget* parent);

// Open and Save As of a simulation file, starting in the folder of `start`.
// Open requires the file to exist; Save As adds ".txt" when no extension
// is typed.
std::optional<QString> AskOpenSimulationFile(QWidget* parent, const QString& start);
std::optional<QString> AskSaveSimulationFile(QWidget* parent, const QString& start);

// "Export Results…": a CSV file to write, starting in the folder of `start`;
// ".csv" is added when no extension is typed.
std::optional<QString> AskExportFile(QWidget* parent, const QString& start);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_COMMON_FILE_DIALOGS_H_
