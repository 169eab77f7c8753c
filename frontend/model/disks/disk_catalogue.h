#ifndef TRAKVIST_FRONTEND_MODEL_DISKS_DISK_CATALOGUE_H_
#define TRAKVIST_FRONTEND_MODEL_DISKS_DISK_CATALOGUE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/common/file_access.h"
#include "frontend/model/disks/ini_file.h"

namespace trakvist {

// The disk type catalogue, a file in the program folder. Disk n (from 1) is
// the section "Disk<n>"; the sections are numbered without gaps and a
// section whose name reads as kNoDiskName ends the catalogue.
inline constexpr std::string_view kDisksFileName = "Disks.ini";
inline constexpr std::string_view kNoDiskName = "N/A";
inline constexpr std::size_t kMaxDiskNameLength = 300;
inline constexpr std::string_view kDefaultDiskName = "Default";

// Keys of a disk's section. "Name" comes first; the figures follow in the
// order of DiskType's fields.
inline constexpr std::string_view kDiskNameKey = "Name";
inline constexpr int kDiskFigureCount = 13;
inline constexpr std::array<std::string_view, kDiskFigureCount> kDiskFigureKeys = {
    "Number of Cylinders", "Blocks Per Track",  "Number of Heads", "L.Number of Cylinders",
    "L.Blocks Per Track",  "L.Number of Heads", "Full Seek Time",  "Average Seek Time",
    "Track-to-Tack Seek",  "Rotational Speed",  "Bytes Per Block", "Settle Time",
    "Buffer Size"};

// One disk type. The defaults are the figures a missing key reads as.
struct DiskType {
  std::string name;
  std::int32_t cylinders = 10000;
  std::int32_t blocks_per_track = 400;
  std::int32_t heads = 2;
  std::int32_t logical_cylinders = 10000;
  std::int32_t logical_blocks_per_track = 400;
  std::int32_t logical_heads = 2;
  double full_seek_time = 17;          // ms
  double average_seek_time = 8;        // ms
  double track_to_track_seek = 1;      // ms
  double rotational_speed = 7200;      // RPM
  std::int32_t bytes_per_block = 512;  // bytes
  double settle_time = 6;              // ms
  double buffer_size = 2048;           // KB

  bool operator==(const DiskType&) const = default;
};

// The catalogue in memory. `entries` are the items of both disk type lists
// (`DiskList` on the main window, `DiskList2` in the disk properties
// window): one per disk, in file order, then "Custom ...", which stands for
// figures that match no catalogued disk.
struct DiskCatalogue {
  std::vector<DiskType> disks;
  std::vector<std::string> entries;
  // Of the file when it was last loaded or saved; nothing when it was
  // missing.
  std::optional<FileStamp> modification_time;
};

// "Disk" followed by `number`.
std::string DiskSectionName(int number);

// The figures of `disk` as numbers, in the order of kDiskFigureKeys.
std::array<double, kDiskFigureCount> DiskFigures(const DiskType& disk);

// Whether figure `index` (0..12) is a whole number in DiskType.
bool IsWholeNumberFigure(int index);

// Sets figure `index` (0..12) of `disk`; whole-number figures are rounded
// to the nearest whole number, halves to even.
void SetDiskFigure(DiskType* disk, int index, double value);

// Reads the disks of `file` from section Disk1 on: every figure is read as
// a whole number with the default of DiskType for a missing key; names are
// cut at a NUL and to kMaxDiskNameLength characters. The entries end in
// "Custom ..."; the modification time is left unset.
DiskCatalogue ReadDiskCatalogue(const IniFile& file);

// Writes "Name" and the thirteen figures of `disk` into section Disk<number>
// (whole-number figures as integers, the others in their shortest decimal
// form; a name between matching quotes is written inside one more pair, so
// it reads back with them). As the catalogue always has been written, "Buffer Size" ends in
// CR LF, which leaves an empty line after the section.
void WriteDiskType(IniFile* file, int number, const DiskType& disk);

// Loads the catalogue of the file at `path`. A missing or unreadable file
// gives an empty catalogue, whose only entry is "Custom ...".
DiskCatalogue LoadDiskCatalogue(const FileAccess& files, const std::string& path);

// Whether the file's modification time differs from the one recorded when
// the catalogue was loaded or saved.
bool CatalogueFileChanged(const DiskCatalogue& catalogue, const FileAccess& files,
                          const std::string& path);

// Position of the entry "Custom ..." (the last one).
int CustomEntryIndex(const DiskCatalogue& catalogue);

// Whether `index` is the position of a catalogued disk (not "Custom ...").
bool IsDiskEntry(const DiskCatalogue& catalogue, int index);

// Position of the first entry with exactly this text, nothing when none.
std::optional<int> FindEntry(const DiskCatalogue& catalogue, std::string_view text);

enum class DiskSaveStatus { kSaved, kCancelled, kFailed };

struct DiskSaveOutcome {
  DiskSaveStatus status = DiskSaveStatus::kSaved;
  std::string message;  // what to tell the user when saving failed
};

// Adds `disk` as the next disk, section Disk<n + 1> of a catalogue of n
// disks, to the file and then to the catalogue (before "Custom ..."), and
// records the file's new modification time. The file is read again first,
// so that lines written by others are kept. When the file cannot be read
// or written, or the disk is named kNoDiskName (which would end the
// catalogue there), it and the catalogue stay as they were and the outcome
// says so.
DiskSaveOutcome AppendDiskType(DiskCatalogue* catalogue, FileAccess& files, const std::string& path,
                               const DiskType& disk);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_DISKS_DISK_CATALOGUE_H_
