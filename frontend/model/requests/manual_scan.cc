#include "frontend/model/requests/manual_scan.h"

#include <limits>

#include "frontend/model/common/line_end.h"
#include "frontend/model/common/number_text.h"
#include "frontend/model/common/text.h"
#include "frontend/model/common/utilities.h"
#include "frontend/model/requests/manual_texts.h"

namespace trakvist {
namespace {

constexpr std::int64_t kMaxRequestNumber = std::numeric_limits<std::int32_t>::max();

// The scan's state while it walks the text.
class RequestScanner {
 public:
  explicit RequestScanner(std::optional<std::int64_t> lba_blocks_per_cylinder)
      : lba_(lba_blocks_per_cylinder) {}

  // Takes the next character; false when the text turned out malformed.
  bool Take(char c) {
    const bool digit = IsDigit(c);
    if (digit && !in_number_) {
      in_number_ = true;
      ++found_.count;
      in_request_ = true;
      value_ = c - '0';
      return true;
    }
    in_number_ = digit;
    if (in_request_ && !TakeRequestCharacter(c)) return false;
    if (!TakeBlockCharacter(c)) return false;
    // Digits after ":" are a block number, after "t" an idle-time count:
    // neither starts a request.
    if (c == ':' || c == 't') in_number_ = true;
    return true;
  }

  // Closes a number still open at the end of the text.
  bool Finish() { return !in_request_ || CloseRequest(); }

  const ManualScan& found() const { return found_; }

 private:
  bool TakeRequestCharacter(char c) {
    if (!IsDigit(c)) return CloseRequest();
    value_ = value_ * 10 + (c - '0');
    // The engine reads request numbers as 32-bit whole numbers.
    return value_ <= kMaxRequestNumber;
  }

  bool CloseRequest() {
    in_request_ = false;
    const std::int64_t cylinder = lba_ ? value_ / *lba_ : value_;
    found_.max_cylinder = MaxInt32(found_.max_cylinder, static_cast<std::int32_t>(cylinder));
    return true;
  }

  // The block number after ":" ends at the first character that is not a
  // digit; its value is not used.
  bool TakeBlockCharacter(char c) {
    if (in_block_) {
      in_block_ = IsDigit(c);
      return true;
    }
    if (c != ':') return true;
    if (lba_) return false;  // block numbers are not allowed with LBA values
    in_block_ = true;
    return true;
  }

  std::optional<std::int64_t> lba_;
  bool in_number_ = false;
  bool in_request_ = false;  // digits of a request are being read
  std::int64_t value_ = 0;
  bool in_block_ = false;  // after ":", through the block number's digits
  ManualScan found_;
};

}  // namespace

std::optional<ManualScan> ScanManualRequests(std::string_view text,
                                             std::optional<std::int64_t> lba_blocks_per_cylinder) {
  if (lba_blocks_per_cylinder && *lba_blocks_per_cylinder <= 0) return std::nullopt;
  RequestScanner scanner(lba_blocks_per_cylinder);
  for (const char c : text) {
    if (!scanner.Take(c)) return std::nullopt;
  }
  if (!scanner.Finish()) return std::nullopt;
  return scanner.found();
}

std::optional<RequestsFileText> SplitRequestsFile(std::string_view contents) {
  const std::size_t line_end = contents.find_first_of("\r\n");
  if (line_end == std::string_view::npos) return std::nullopt;
  std::size_t rest = line_end + 1;
  if (contents[line_end] == '\r' && rest < contents.size() && contents[rest] == '\n') ++rest;
  return RequestsFileText{std::string(contents.substr(0, line_end)),
                          std::string(contents.substr(rest))};
}

bool ConfigurationIsLba(std::string_view configuration_line) {
  return LeadingNumber(configuration_line) != 0.0;
}

std::string RequestsFileContents(std::string_view configuration_line,
                                 std::string_view requests_text) {
  std::string contents(configuration_line);
  contents += kLineEnd;
  contents += requests_text;
  contents += " -1";
  contents += kLineEnd;
  return contents;
}

bool IsFilePath(std::string_view box_text) {
  const bool drive_path = box_text.size() >= 3 && box_text[1] == ':' && box_text[2] == '\\';
  return drive_path || box_text.starts_with('/');
}

bool NeedsWaitWindow(std::size_t length) { return length > kWaitWindowThreshold; }

std::string CylinderQuestion(std::int64_t cylinders) {
  const std::string number = std::to_string(cylinders);
  return "The manual requests contains " + number +
         " cylinder numbers which is higher than the 'Total Number of Cylinders' you "
         "specificed. Do you want to change the 'Total Number of Cylinders' to " +
         number;
}

}  // namespace trakvist
