#include "frontend/model/disks/disk_catalogue.h"

#include "frontend/model/common/number_text.h"
#include "frontend/model/common/whole_number.h"
#include "frontend/model/panel/panel_texts.h"

namespace trakvist {
namespace {

constexpr int kBufferSizeFigure = 12;

// Whole-number fields of DiskType in the order of kDiskFigureKeys; null
// for the real-valued ones.
constexpr std::array<std::int32_t DiskType::*, kDiskFigureCount> kWholeFigures = {
    &DiskType::cylinders,
    &DiskType::blocks_per_track,
    &DiskType::heads,
    &DiskType::logical_cylinders,
    &DiskType::logical_blocks_per_track,
    &DiskType::logical_heads,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    &DiskType::bytes_per_block,
    nullptr,
    nullptr};

constexpr std::array<double DiskType::*, kDiskFigureCount> kRealFigures = {
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    &DiskType::full_seek_time,
    &DiskType::average_seek_time,
    &DiskType::track_to_track_seek,
    &DiskType::rotational_speed,
    nullptr,
    &DiskType::settle_time,
    &DiskType::buffer_size};

bool IsFigureIndex(int index) { return index >= 0 && index < kDiskFigureCount; }

// The name as a 301-character buffer holds it: cut at a NUL, at most 300
// characters.
std::string CutName(std::string name) {
  const std::size_t nul = name.find('\0');
  if (nul != std::string::npos) name.resize(nul);
  if (name.size() > kMaxDiskNameLength) name.resize(kMaxDiskNameLength);
  return name;
}

// Reads a figure the way the catalogue always has: as a whole number.
double ReadFigure(const IniFile& file, const std::string& section, int index, double fallback) {
  const auto whole_default = static_cast<std::int32_t>(fallback);
  return file.ReadInt(section, kDiskFigureKeys[index], whole_default);
}

std::string FigureText(const DiskType& disk, int index) {
  if (kWholeFigures[index] != nullptr) return std::to_string(disk.*kWholeFigures[index]);
  return NumberText(disk.*kRealFigures[index]);
}

}  // namespace

std::string DiskSectionName(int number) { return "Disk" + std::to_string(number); }

std::array<double, kDiskFigureCount> DiskFigures(const DiskType& disk) {
  std::array<double, kDiskFigureCount> figures{};
  for (int i = 0; i < kDiskFigureCount; ++i) {
    figures[i] = kWholeFigures[i] != nullptr ? disk.*kWholeFigures[i] : disk.*kRealFigures[i];
  }
  return figures;
}

bool IsWholeNumberFigure(int index) {
  return IsFigureIndex(index) && kWholeFigures[index] != nullptr;
}

void SetDiskFigure(DiskType* disk, int index, double value) {
  if (!IsFigureIndex(index)) return;
  if (kWholeFigures[index] != nullptr) {
    disk->*kWholeFigures[index] = ToInt32HalfEven(value);
  } else {
    disk->*kRealFigures[index] = value;
  }
}

DiskCatalogue ReadDiskCatalogue(const IniFile& file) {
  DiskCatalogue catalogue;
  for (int number = 1;; ++number) {
    const std::string section = DiskSectionName(number);
    std::string name = CutName(file.ReadString(section, kDiskNameKey, kNoDiskName));
    if (name == kNoDiskName) break;
    DiskType disk;
    disk.name = std::move(name);
    const std::array<double, kDiskFigureCount> defaults = DiskFigures(disk);
    for (int i = 0; i < kDiskFigureCount; ++i) {
      SetDiskFigure(&disk, i, ReadFigure(file, section, i, defaults[i]));
    }
    catalogue.entries.push_back(disk.name);
    catalogue.disks.push_back(std::move(disk));
  }
  catalogue.entries.emplace_back(kCustomDiskType);
  return catalogue;
}

// The name as it is written: the reader takes a pair of matching quotes
// around a value away, so a name that has them keeps them inside one more.
std::string NameValue(const std::string& name) {
  const bool quoted = name.size() >= 2 && (name.front() == '"' || name.front() == '\'') &&
                      name.back() == name.front();
  return quoted ? "\"" + name + "\"" : name;
}

void WriteDiskType(IniFile* file, int number, const DiskType& disk) {
  const std::string section = DiskSectionName(number);
  file->WriteString(section, kDiskNameKey, NameValue(disk.name));
  for (int i = 0; i < kDiskFigureCount; ++i) {
    std::string value = FigureText(disk, i);
    if (i == kBufferSizeFigure) value += "\r\n";
    file->WriteString(section, kDiskFigureKeys[i], value);
  }
}

DiskCatalogue LoadDiskCatalogue(const FileAccess& files, const std::string& path) {
  // The time is taken first: a change while reading then shows at the
  // next check.
  const std::optional<FileStamp> time = files.LastModified(path);
  const FileRead read = files.ReadFile(path);
  DiskCatalogue catalogue = ReadDiskCatalogue(IniFile::Parse(read.content));
  catalogue.modification_time = time;
  return catalogue;
}

bool CatalogueFileChanged(const DiskCatalogue& catalogue, const FileAccess& files,
                          const std::string& path) {
  return files.LastModified(path) != catalogue.modification_time;
}

int CustomEntryIndex(const DiskCatalogue& catalogue) {
  return static_cast<int>(catalogue.entries.size()) - 1;
}

bool IsDiskEntry(const DiskCatalogue& catalogue, int index) {
  return index >= 0 && index < static_cast<int>(catalogue.disks.size());
}

std::optional<int> FindEntry(const DiskCatalogue& catalogue, std::string_view text) {
  for (std::size_t i = 0; i < catalogue.entries.size(); ++i) {
    if (catalogue.entries[i] == text) return static_cast<int>(i);
  }
  return std::nullopt;
}

DiskSaveOutcome AppendDiskType(DiskCatalogue* catalogue, FileAccess& files, const std::string& path,
                               const DiskType& disk) {
  const DiskSaveOutcome failed{DiskSaveStatus::kFailed,
                               "Can not save the disk type to " + path + "."};
  // That name marks the end of the catalogue: a disk saved under it would
  // hide itself and every disk saved after it.
  if (disk.name == kNoDiskName) {
    return {DiskSaveStatus::kFailed, "The name " + std::string(kNoDiskName) +
                                         " marks the end of the disk list; choose another name."};
  }
  const FileRead read = files.ReadFile(path);
  if (read.status == FileReadStatus::kFailed) return failed;
  IniFile file = IniFile::Parse(read.content);
  WriteDiskType(&file, static_cast<int>(catalogue->disks.size()) + 1, disk);
  if (!files.ReplaceFile(path, file.Text())) return failed;
  catalogue->disks.push_back(disk);
  if (catalogue->entries.empty()) catalogue->entries.emplace_back(kCustomDiskType);
  catalogue->entries.insert(catalogue->entries.end() - 1, disk.name);
  catalogue->modification_time = files.LastModified(path);
  return {};
}

}  // namespace trakvist
