#include "frontend/model/disks/disk_types.h"

#include "frontend/model/common/text.h"
#include "frontend/model/common/utilities.h"
#include "frontend/model/panel/panel_texts.h"

namespace trakvist {
namespace {

bool IsEntryIndex(const DiskCatalogue& catalogue, int index) {
  return index >= 0 && index < static_cast<int>(catalogue.entries.size());
}

// A list text that names no entry any more becomes "Custom ...".
void KeepListedText(const DiskCatalogue& catalogue, std::string* text) {
  if (!FindEntry(catalogue, *text)) *text = std::string(kCustomDiskType);
}

// The name as the file will give it back: one line, no surrounding blanks,
// at most kMaxDiskNameLength characters.
std::string CleanDiskName(std::string_view name) {
  std::string clean;
  for (const char c : name) {
    clean.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c);
  }
  clean = std::string(TrimLeft(clean));
  if (clean.size() > kMaxDiskNameLength) clean.resize(kMaxDiskNameLength);
  return std::string(TrimRight(clean));
}

// Applies the current disk with the panel's disk-apply flag raised, so the
// changed fields do not switch `DiskList` to "Custom ...".
void ApplyCurrentDisk(const DiskTypes* types, ParametersPanel* panel) {
  const bool saved = panel->disk_type_applying;
  panel->disk_type_applying = true;
  ApplyDiskPropToSimPage(types->window, types->current, panel);
  panel->disk_type_applying = saved;
}

}  // namespace

std::string DisksFilePath(std::string_view app_folder) {
  return MakeAppFolder(app_folder) + std::string(kDisksFileName);
}

void LoadDiskTypes(DiskTypes* types, ParametersPanel* panel, const FileAccess& files) {
  types->catalogue = LoadDiskCatalogue(files, types->path);
  if (const auto index = FindEntry(types->catalogue, kDefaultDiskName)) {
    DiskList_Click(types, panel, *index);
  }
}

bool ReloadIfChanged(DiskTypes* types, ParametersPanel* panel, const FileAccess& files) {
  if (!CatalogueFileChanged(types->catalogue, files, types->path)) return false;
  types->catalogue = LoadDiskCatalogue(files, types->path);
  KeepListedText(types->catalogue, &panel->disk_list_text);
  KeepListedText(types->catalogue, &types->window.disk_list2_text);
  return true;
}

void DiskList_Click(DiskTypes* types, ParametersPanel* panel, int index) {
  if (!IsEntryIndex(types->catalogue, index)) return;
  DiskList2_Click(types, index);
  panel->disk_list_text = types->catalogue.entries[index];
  if (!IsDiskEntry(types->catalogue, index)) return;
  types->current = types->catalogue.disks[index];
  ApplyCurrentDisk(types, panel);
}

void DiskList2_Click(DiskTypes* types, int index) {
  if (!IsEntryIndex(types->catalogue, index)) return;
  types->window.disk_list2_text = types->catalogue.entries[index];
  if (IsDiskEntry(types->catalogue, index)) {
    LoadDiskIntoFields(&types->window, types->catalogue.disks[index]);
  }
}

void Custom_Click(DiskTypes* types, ParametersPanel* panel, const FileAccess& files) {
  ReloadIfChanged(types, panel, files);
  LoadDiskIntoFields(&types->window, types->current);
  // A catalogued disk in the list then shows its record's figures, as a
  // click on `DiskList2` would; "Custom ..." keeps the current disk's.
  const int index = FindEntry(types->catalogue, panel->disk_list_text)
                        .value_or(CustomEntryIndex(types->catalogue));
  DiskList2_Click(types, index);
  types->window.visible = true;
}

void DiskPropOK_Click(DiskTypes* types, ParametersPanel* panel, const FileAccess& files) {
  StoreFieldsIntoDisk(types->window, &types->current);
  ReloadIfChanged(types, panel, files);
  panel->disk_list_text = types->window.disk_list2_text;
  if (types->window.apply) ApplyCurrentDisk(types, panel);
  types->window.visible = false;
}

void DiskPropCancel_Click(DiskTypes* types) { types->window.visible = false; }

DiskSaveOutcome SaveDisk_Click(DiskTypes* types, ParametersPanel* panel, FileAccess& files,
                               std::string_view name) {
  std::string clean = CleanDiskName(name);
  if (clean.empty()) return {DiskSaveStatus::kCancelled, ""};
  ReloadIfChanged(types, panel, files);
  DiskType disk;
  StoreFieldsIntoDisk(types->window, &disk);
  disk.name = std::move(clean);
  const DiskSaveOutcome outcome = AppendDiskType(&types->catalogue, files, types->path, disk);
  if (outcome.status != DiskSaveStatus::kSaved) return outcome;
  DiskList_Click(types, panel, static_cast<int>(types->catalogue.disks.size()) - 1);
  return outcome;
}

}  // namespace trakvist
