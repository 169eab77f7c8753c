#ifndef TRAKVIST_FRONTEND_UI_DISK_PROPERTIES_DISK_PROPERTIES_CONTROLLER_H_
#define TRAKVIST_FRONTEND_UI_DISK_PROPERTIES_DISK_PROPERTIES_CONTROLLER_H_

#include <QObject>

#include "frontend/model/panel/spinner.h"
#include "frontend/model/shell/main_state.h"
#include "frontend/ui/main_window/main_window_services.h"

namespace trakvist {

class DiskPropertiesWindow;

// The disk properties window's behaviour: each handler reads its control,
// calls the disk model (`MainState::disks`, which writes the simulation
// parameters when a disk is applied) and shows the window's state again.
// Whenever the simulation page or the disk type lists may have changed it
// emits PanelChanged().
class DiskPropertiesController : public QObject {
  Q_OBJECT

 public:
  // `state`, `window` and the services' file access must outlive the
  // controller.
  DiskPropertiesController(MainState* state, DiskPropertiesWindow* window,
                           const MainWindowServices& services, QObject* parent = nullptr);

  // The main window's "Custom ..." button: the current disk in the window,
  // shown modally.
  void OpenCustom();

  // `DiskList` or `DiskList2` is about to be used: the catalogue is read
  // again when its file has changed.
  void ReloadIfChanged();

  // Shows the window's state again after the model changed it from outside
  // (a disk type chosen on the main window, a file opened).
  void Refresh();

 signals:
  void PanelChanged();

 private:
  void ConnectFigures();
  void ConnectChoices();
  void ConnectButtons();

  void OnFigureEdited(int index);
  void OnFigureSpin(int index, SpinDirection direction);
  void OnTuEdited();
  void OnTuSpin(SpinDirection direction);
  void OnSmintu(bool checked);
  void OnSlatu(bool checked);
  void OnDiskList2(int index);
  void OnOk();
  void OnCancel();
  void OnSaveDisk();
  void OnEditFile();
  void OpenInEditor(const std::string& path);

  // Takes a figure the user is typing in into the model before another
  // control acts, so that showing the state again keeps it.
  void CommitTyping();

  MainState* state_;
  DiskPropertiesWindow* window_;
  FileAccess* files_;
  EditorOpener open_in_editor_;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_DISK_PROPERTIES_DISK_PROPERTIES_CONTROLLER_H_
