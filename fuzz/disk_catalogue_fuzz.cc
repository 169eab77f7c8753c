// The disk type catalogue: the initialisation file reader and writer and
// the catalogue read from it. Input: the file, a NUL, then the name of a
// disk to add. An unchanged file writes back byte for byte, the disks read
// write back into the same disks, and adding a disk keeps every earlier one.
#include <cstddef>
#include <cstdint>
#include <string>

#include "frontend/model/disks/disk_catalogue.h"
#include "frontend/model/disks/ini_file.h"
#include "fuzz/fuzz_support.h"

namespace {

using trakvist::DiskCatalogue;
using trakvist::IniFile;

void CheckCatalogue(const DiskCatalogue& catalogue) {
  FUZZ_CHECK(catalogue.entries.size() == catalogue.disks.size() + 1);
  for (std::size_t i = 0; i < catalogue.disks.size(); ++i) {
    const std::string& name = catalogue.disks[i].name;
    FUZZ_CHECK(name.size() <= trakvist::kMaxDiskNameLength);
    FUZZ_CHECK(name.find('\0') == std::string::npos);
    FUZZ_CHECK(name != trakvist::kNoDiskName);
    FUZZ_CHECK(catalogue.entries[i] == name);
  }
}

// A name as the save dialog leaves it: control characters as blanks, no
// blanks around it, at most the longest name.
std::string DialogName(std::string_view text) {
  std::string name;
  for (char c : text) name.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c);
  const std::size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  name = name.substr(first);
  if (name.size() > trakvist::kMaxDiskNameLength) name.resize(trakvist::kMaxDiskNameLength);
  name.resize(name.find_last_not_of(' ') + 1);
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> parts = fuzz::SplitParts(fuzz::AsText(data, size), '\0');
  const std::string& text = parts[0];
  const IniFile file = IniFile::Parse(text);
  FUZZ_CHECK(file.Text() == text);
  const DiskCatalogue catalogue = trakvist::ReadDiskCatalogue(file);
  CheckCatalogue(catalogue);

  // Written into a file of their own, the disks read back the same.
  IniFile copy = IniFile::Parse("");
  for (std::size_t i = 0; i < catalogue.disks.size(); ++i) {
    trakvist::WriteDiskType(&copy, static_cast<int>(i) + 1, catalogue.disks[i]);
  }
  FUZZ_CHECK(trakvist::ReadDiskCatalogue(IniFile::Parse(copy.Text())).disks == catalogue.disks);

  // Adding a disk to the file keeps every disk and line it held.
  fuzz::MemoryFiles files;
  files.files["Disks.ini"] = text;
  DiskCatalogue loaded = trakvist::LoadDiskCatalogue(files, "Disks.ini");
  trakvist::DiskType disk;
  disk.name = DialogName(fuzz::PartOrEmpty(parts, 1));
  if (disk.name.empty()) return 0;
  if (size > 0) disk.cylinders = data[size - 1] * 1000 + 1;
  const auto outcome = trakvist::AppendDiskType(&loaded, files, "Disks.ini", disk);
  if (disk.name == trakvist::kNoDiskName) {
    FUZZ_CHECK(outcome.status == trakvist::DiskSaveStatus::kFailed);
    FUZZ_CHECK(files.files["Disks.ini"] == text && loaded.disks == catalogue.disks);
    return 0;
  }
  FUZZ_CHECK(outcome.status == trakvist::DiskSaveStatus::kSaved);
  CheckCatalogue(loaded);
  const DiskCatalogue reread = trakvist::LoadDiskCatalogue(files, "Disks.ini");
  // The file reads back as the list shows it. Sections after a hand-written
  // "N/A" that the new disk replaces come into the list at the next load.
  FUZZ_CHECK(reread.disks.size() >= loaded.disks.size());
  FUZZ_CHECK(std::equal(loaded.disks.begin(), loaded.disks.end(), reread.disks.begin()));
  FUZZ_CHECK(loaded.disks.size() == catalogue.disks.size() + 1);

  // A file that cannot be written is left as it was, and so is the list.
  files.read_only["Disks.ini"] = true;
  const std::string before = files.files["Disks.ini"];
  const DiskCatalogue kept = loaded;
  FUZZ_CHECK(trakvist::AppendDiskType(&loaded, files, "Disks.ini", disk).status ==
             trakvist::DiskSaveStatus::kFailed);
  FUZZ_CHECK(files.files["Disks.ini"] == before);
  FUZZ_CHECK(loaded.disks == kept.disks && loaded.entries == kept.entries);
  return 0;
}
