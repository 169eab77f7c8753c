#ifndef TRAKVIST_FRONTEND_MODEL_DISKS_DISK_TYPES_H_
#define TRAKVIST_FRONTEND_MODEL_DISKS_DISK_TYPES_H_

#include <string>
#include <string_view>

#include "frontend/model/common/file_access.h"
#include "frontend/model/disks/disk_catalogue.h"
#include "frontend/model/disks/disk_properties.h"
#include "frontend/model/panel/parameters_panel.h"

namespace trakvist {

// Everything the front end keeps about disk types: the catalogue, the
// current disk (the figures last applied to the simulation parameters or
// last confirmed in the disk properties window) and the disk properties
// window. The main window's disk type list (`DiskList`) is the panel's
// `disk_list_text`; its items are the catalogue's entries.
struct DiskTypes {
  std::string path;  // of the catalogue file
  DiskCatalogue catalogue;
  DiskType current;
  DiskProperties window = StartDiskProperties();
};

// The catalogue file in the program folder `app_folder`.
std::string DisksFilePath(std::string_view app_folder);

// The start-up load: reads the catalogue and, when it lists "Default",
// chooses that entry as a click on `DiskList` does (which applies it to the
// simulation parameters). Without "Default" the list keeps its text.
void LoadDiskTypes(DiskTypes* types, ParametersPanel* panel, const FileAccess& files);

// Loads the catalogue again when the file's modification time differs from
// the recorded one; returns whether it did. Called when a disk list is
// dropped down or gets a key press, by the "Custom ..." button and by OK.
// The lists keep their texts when these are still listed and show
// "Custom ..." otherwise; a reload never changes the simulation parameters
// the user has.
bool ReloadIfChanged(DiskTypes* types, ParametersPanel* panel, const FileAccess& files);

// A click on `DiskList` entry `index`: `DiskList2` takes the same entry (and
// its click rule runs). For a catalogued disk, its record becomes the
// current disk and is applied to the simulation parameters with the panel's
// disk-apply flag set, so those changes do not switch `DiskList` to
// "Custom ...".
void DiskList_Click(DiskTypes* types, ParametersPanel* panel, int index);

// A click on `DiskList2` entry `index`: a catalogued disk's figures are
// loaded into the window's fields.
void DiskList2_Click(DiskTypes* types, int index);

// The main window's "Custom ..." button: reloads if the file changed, loads
// the current disk into the window's fields, sets `DiskList2` to
// `DiskList`'s position (its click rule then loads a catalogued disk's
// record over them) and shows the window (modally).
void Custom_Click(DiskTypes* types, ParametersPanel* panel, const FileAccess& files);

// OK: stores the fields into the current disk, reloads if the file changed,
// gives `DiskList` the text of `DiskList2`, applies the current disk to the
// simulation parameters when "Apply" is checked (with the disk-apply flag
// set: the list just named the disk being applied) and hides the window.
void DiskPropOK_Click(DiskTypes* types, ParametersPanel* panel, const FileAccess& files);

// Cancel, or closing the window: hides it without storing anything.
void DiskPropCancel_Click(DiskTypes* types);

// "Save Disk Properties" once the user has answered kNewDiskPrompt with
// `name`. An empty or blank name ends the operation (kCancelled). Line
// breaks and other control characters in the name become spaces, blanks
// around it are dropped and it is cut to kMaxDiskNameLength characters,
// as the file would give it back. The catalogue is reloaded first if the
// file changed, so a disk added to the file meanwhile is not overwritten.
// The new disk, built from the window's fields, is written as the next
// section and then chosen in `DiskList` as a click does (which selects it
// in `DiskList2` too). On a failure nothing changes and the outcome holds
// the message.
DiskSaveOutcome SaveDisk_Click(DiskTypes* types, ParametersPanel* panel, FileAccess& files,
                               std::string_view name);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_DISKS_DISK_TYPES_H_
