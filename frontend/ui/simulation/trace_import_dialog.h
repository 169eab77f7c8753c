#ifndef TRAKVIST_FRONTEND_UI_SIMULATION_TRACE_IMPORT_DIALOG_H_
#define TRAKVIST_FRONTEND_UI_SIMULATION_TRACE_IMPORT_DIALOG_H_

#include <QDialog>
#include <string>

#include "frontend/model/common/file_access.h"
#include "frontend/model/traces/trace_import.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace trakvist {

// The small dialog shown when the manual requests' import button is given a
// block trace: the detected format, the devices, the operations kept, the
// request count and time span at the current seconds per TU, and where the
// converted requests go. "Convert" accepts it; `import()` then holds the
// converted requests file.
class TraceImportDialog : public QDialog {
  Q_OBJECT

 public:
  TraceImportDialog(const FileAccess& files, std::string trace_path, const TraceDisk& disk,
                    TraceFormat format, const std::string& converted_path,
                    QWidget* parent = nullptr);

  const TraceImport& import() const { return import_; }

 private:
  void BuildControls(const std::string& converted_path);
  // Reads the trace again with the choices made and shows what it holds.
  void Refresh();
  void ShowDevices();

  const FileAccess& files_;
  std::string trace_path_;
  TraceDisk disk_;
  TraceImportOptions options_;
  TraceImport import_;

  QComboBox* format_ = nullptr;
  QComboBox* device_ = nullptr;
  QComboBox* operations_ = nullptr;
  QComboBox* event_ = nullptr;
  QLabel* report_ = nullptr;
  QPushButton* convert_ = nullptr;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_SIMULATION_TRACE_IMPORT_DIALOG_H_
