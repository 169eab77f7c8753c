#ifndef TRAKVIST_FRONTEND_MODEL_DISKS_INI_FILE_H_
#define TRAKVIST_FRONTEND_MODEL_DISKS_INI_FILE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trakvist {

// The text of an initialisation file ("[Section]" lines followed by
// "Key=Value" lines), read and written as the Windows profile functions do:
//
// - Section and key names are found without regard to case; blanks around
//   names and values do not count. The first section of a name and the first
//   key of a name in it are the ones used.
// - Lines starting with ";" are comments; lines that are neither a section
//   header nor hold "=" belong to no key. Lines before the first section
//   belong to no section.
// - A value enclosed in a pair of matching quotes (" or ') is read without
//   them.
// - Writing a key replaces only the value of its line; a missing key is
//   added after the last non-blank line of its section, a missing section
//   is added at the end of the file. Every other line, with its line end,
//   stays exactly as it was, so Text() of an unchanged file is the text it
//   was parsed from.
//
// Lines end in CR LF, LF or a lone CR. Lines the writer adds end like the
// first line end of the file, CR LF when it has none.
class IniFile {
 public:
  static IniFile Parse(std::string_view text);

  // The whole file as text.
  std::string Text() const;

  // The value of `key` in `section`, or nothing when either is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  // The value of `key` in `section`, `default_value` when either is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) const;

  // The value of `key` in `section` as a whole number: blanks, an optional
  // "+" or "-", then the leading decimal digits (so "8.9" reads as 8 and
  // "-3x" as -3). `default_value` when the key is missing or its value starts
  // with no digits. Numbers beyond the 32-bit range stop at its ends.
  std::int32_t ReadInt(std::string_view section, std::string_view key,
                       std::int32_t default_value) const;

  // Sets `key` of `section` to `value`, adding the section or the key when
  // missing. Line breaks inside `value` become line ends of the file, so a
  // value ending in a line break leaves an empty line after the key, as
  // the Windows writer does.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

 private:
  struct Line {
    std::string content;  // without its line end
    std::string ending;   // "\r\n", "\n", "\r", or empty for a last line without one
  };

  // Lines [header, end) of one section; `header` is the "[...]" line.
  struct SectionSpan {
    std::size_t header;
    std::size_t end;
  };

  // The first section of a name, with the line of the first key of each
  // name in it; names are held in lower case.
  struct IndexedSection {
    SectionSpan span;
    std::unordered_map<std::string, std::size_t> key_lines;
  };

  // Line `index` without the byte order mark a first line may start with.
  std::string_view Content(std::size_t index) const;
  // Indexes the sections and keys of all lines.
  void Reindex();
  // Indexes lines `first` onwards, added after the lines already indexed.
  void IndexLines(std::size_t first);
  const IndexedSection* FindSection(std::string_view section) const;
  static std::optional<std::size_t> FindKeyLine(const IndexedSection& section,
                                                std::string_view key);
  // Puts new lines with the file's line end before line `position`.
  void InsertLines(std::size_t position, const std::vector<std::string>& contents);
  // Writes the lines of a value; returns the first line changed or added.
  std::size_t WriteLines(std::string_view section, std::string_view key,
                         std::vector<std::string> pieces);

  std::vector<Line> lines_;
  std::unordered_map<std::string, IndexedSection> sections_;
  // The indexed section the last line belongs to, which lines added at the
  // end join; nothing when they join no indexed section.
  std::optional<std::string> last_section_;
  std::string new_line_end_ = "\r\n";
  bool bom_ = false;  // the first line starts with a UTF-8 byte order mark
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_DISKS_INI_FILE_H_
