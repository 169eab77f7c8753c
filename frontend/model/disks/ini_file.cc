#include "frontend/model/disks/ini_file.h"

#include <algorithm>
#include <limits>

#include "frontend/model/common/text.h"

namespace trakvist {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Blanks around names and values; line ends never occur inside a line.
constexpr std::string_view kBlanks = " \t\v\f";

// A section or key name as the index holds it: without blanks around it,
// in lower case, so lookups do not depend on case.
std::string IndexName(std::string_view name) {
  std::string lower(Trim(name, kBlanks));
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
  return lower;
}

// The name of a "[name]" line: the text between "[" and the last "]".
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimLeft(line, kBlanks);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.rfind(']');
  if (close == 0 || close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1), kBlanks);
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
  std::size_t value_start;  // position of the value in the line
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view body = TrimLeft(line, kBlanks);
  if (body.empty() || body.front() == ';' || SectionName(line)) return std::nullopt;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::size_t value_start =
      std::min(line.find_first_not_of(kBlanks, equals + 1), line.size());
  return KeyLine{Trim(line.substr(0, equals), kBlanks), Trim(line.substr(value_start), kBlanks),
                 value_start};
}

std::string_view WithoutQuotes(std::string_view value) {
  if (value.size() >= 2 && value.front() == value.back() &&
      (value.front() == '"' || value.front() == '\'')) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Length of the line end at `pos`, 0 when there is none.
std::size_t LineEndLength(std::string_view text, std::size_t pos) {
  if (text[pos] == '\n') return 1;
  if (text[pos] != '\r') return 0;
  return pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
}

// `value` cut at its line breaks.
std::vector<std::string> SplitLines(std::string_view value) {
  std::vector<std::string> pieces(1);
  for (std::size_t i = 0; i < value.size();) {
    const std::size_t end_length = LineEndLength(value, i);
    if (end_length == 0) {
      pieces.back().push_back(value[i++]);
    } else {
      pieces.emplace_back();
      i += end_length;
    }
  }
  return pieces;
}

// Digits of a whole-number value, with the sign in front of them.
std::optional<std::int32_t> LeadingWholeNumber(std::string_view value) {
  value = TrimLeft(value, kBlanks);
  bool negative = false;
  if (!value.empty() && (value.front() == '+' || value.front() == '-')) {
    negative = value.front() == '-';
    value.remove_prefix(1);
  }
  if (value.empty() || !IsDigit(value.front())) return std::nullopt;
  constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (std::size_t i = 0; i < value.size() && IsDigit(value[i]); ++i) {
    magnitude = std::min(magnitude * 10 + (value[i] - '0'), kCap);
  }
  const std::int64_t number = negative ? -magnitude : magnitude;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      number, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile file;
  bool line_end_seen = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t end_length = LineEndLength(text, i);
    if (end_length == 0) {
      ++i;
      continue;
    }
    file.lines_.push_back(
        {std::string(text.substr(start, i - start)), std::string(text.substr(i, end_length))});
    if (!line_end_seen) file.new_line_end_ = file.lines_.back().ending;
    line_end_seen = true;
    i += end_length;
    start = i;
  }
  if (start < text.size()) file.lines_.push_back({std::string(text.substr(start)), ""});
  // A byte order mark (some editors write one) must not hide the first
  // section header; it is kept in the text all the same.
  if (!file.lines_.empty() && file.lines_.front().content.starts_with(kUtf8ByteOrderMark)) {
    file.bom_ = true;
  }
  file.Reindex();
  return file;
}

std::string IniFile::Text() const {
  std::string text;
  for (const Line& line : lines_) text += line.content + line.ending;
  return text;
}

std::string_view IniFile::Content(std::size_t index) const {
  std::string_view content = lines_[index].content;
  if (index == 0 && bom_) content.remove_prefix(kUtf8ByteOrderMark.size());
  return content;
}

void IniFile::Reindex() {
  sections_.clear();
  last_section_.reset();
  IndexLines(0);
}

void IniFile::IndexLines(std::size_t first) {
  IndexedSection* current = last_section_ ? &sections_.at(*last_section_) : nullptr;
  for (std::size_t i = first; i < lines_.size(); ++i) {
    const std::string_view content = Content(i);
    if (const auto name = SectionName(content)) {
      if (current != nullptr) current->span.end = i;
      // Only the first section of a name is indexed.
      const auto [found, added] = sections_.try_emplace(IndexName(*name));
      current = added ? &found->second : nullptr;
      last_section_ = added ? std::optional<std::string>(found->first) : std::nullopt;
      if (current != nullptr) current->span.header = i;
    } else if (current != nullptr) {
      if (const auto line = ParseKeyLine(content)) {
        current->key_lines.try_emplace(IndexName(line->key), i);
      }
    }
  }
  if (current != nullptr) current->span.end = lines_.size();
}

const IniFile::IndexedSection* IniFile::FindSection(std::string_view section) const {
  const auto found = sections_.find(IndexName(section));
  return found == sections_.end() ? nullptr : &found->second;
}

std::optional<std::size_t> IniFile::FindKeyLine(const IndexedSection& section,
                                                std::string_view key) {
  const auto found = section.key_lines.find(IndexName(key));
  if (found == section.key_lines.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  const IndexedSection* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  const auto index = FindKeyLine(*found, key);
  if (!index) return std::nullopt;
  return std::string(WithoutQuotes(ParseKeyLine(Content(*index))->value));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view default_value) const {
  return Find(section, key).value_or(std::string(default_value));
}

std::int32_t IniFile::ReadInt(std::string_view section, std::string_view key,
                              std::int32_t default_value) const {
  const auto value = Find(section, key);
  if (!value) return default_value;
  return LeadingWholeNumber(*value).value_or(default_value);
}

void IniFile::InsertLines(std::size_t position, const std::vector<std::string>& contents) {
  if (position > 0 && lines_[position - 1].ending.empty()) {
    lines_[position - 1].ending = new_line_end_;
  }
  std::vector<Line> added;
  for (const std::string& content : contents) added.push_back({content, new_line_end_});
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(position), added.begin(), added.end());
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::size_t old_size = lines_.size();
  const std::size_t first = WriteLines(section, key, SplitLines(value));
  if (first == old_size) {
    IndexLines(first);  // lines added at the end only
  } else if (lines_.size() != old_size || SectionName(Content(first))) {
    Reindex();  // the lines after `first` moved, or it became a section header
  }
  // Otherwise a value changed in its line, which holds the same key.
}

std::size_t IniFile::WriteLines(std::string_view section, std::string_view key,
                                std::vector<std::string> pieces) {
  const IndexedSection* found = FindSection(section);
  if (found == nullptr) {
    pieces.front() = std::string(key) + "=" + pieces.front();
    pieces.insert(pieces.begin(), "[" + std::string(section) + "]");
    const std::size_t position = lines_.size();
    InsertLines(position, pieces);
    return position;
  }
  if (const auto index = FindKeyLine(*found, key)) {
    // Only the value changes: the key's spelling and spacing stay.
    Line& line = lines_[*index];
    const std::size_t prefix = (*index == 0 && bom_ ? kUtf8ByteOrderMark.size() : 0) +
                               ParseKeyLine(Content(*index))->value_start;
    line.content = line.content.substr(0, prefix) + pieces.front();
    pieces.erase(pieces.begin());
    InsertLines(*index + 1, pieces);
    return *index;
  }
  const SectionSpan span = found->span;
  std::size_t position = span.header + 1;
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    if (!Trim(lines_[i].content, kBlanks).empty()) position = i + 1;
  }
  pieces.front() = std::string(key) + "=" + pieces.front();
  InsertLines(position, pieces);
  return position;
}

}  // namespace trakvist
