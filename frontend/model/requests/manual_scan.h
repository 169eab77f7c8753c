#ifndef TRAKVIST_FRONTEND_MODEL_REQUESTS_MANUAL_SCAN_H_
#define TRAKVIST_FRONTEND_MODEL_REQUESTS_MANUAL_SCAN_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trakvist {

// What a scan of manual requests found.
struct ManualScan {
  std::int32_t count = 0;
  std::int32_t max_cylinder = -1;  // -1: no request
};

// Scans manual requests text: counts the requests and finds their largest
// cylinder. A request is a run of digits that does not follow ":" (its
// block number) or "t" (an idle-time count); every other character
// separates numbers. Without `lba_blocks_per_cylinder` a request is a
// cylinder number; with it a request is a logical block address, whose
// cylinder is the address divided by the given blocks per cylinder.
//
// Returns nothing when the text is not well formed: a ":" among LBA
// requests (they have no block numbers), a request number beyond the 32-bit
// range the engine reads, or blocks per cylinder that are not positive.
// A number that reaches the end of the text counts as closed there.
std::optional<ManualScan> ScanManualRequests(std::string_view text,
                                             std::optional<std::int64_t> lba_blocks_per_cylinder);

// A requests file cut into its first line (the configuration line) and the
// requests text after that line's end.
struct RequestsFileText {
  std::string configuration_line;
  std::string requests;
};

// Cuts a requests file's contents at the end of its first line (CR LF, LF or
// CR). Returns nothing when no line end follows the first line, as in an
// empty file: the file then holds no requests part at all.
std::optional<RequestsFileText> SplitRequestsFile(std::string_view contents);

// Whether the configuration line asks for LBA requests: its leading number
// is not 0.
bool ConfigurationIsLba(std::string_view configuration_line);

// The requests file the engine reads with `-in:` for typed requests: the
// configuration line, CR LF, the requests text, the end marker " -1" and a
// final CR LF.
std::string RequestsFileContents(std::string_view configuration_line,
                                 std::string_view requests_text);

// Whether the manual requests box holds a requests file's path rather than
// typed requests: a path starting with a drive letter (its second and third
// characters are ":" and "\\"), as files saved on Windows hold, or an
// absolute path starting with "/".
bool IsFilePath(std::string_view box_text);

// Whether a text of `length` characters is scanned behind the wait window.
bool NeedsWaitWindow(std::size_t length);

// The question asked when a request lies on a cylinder at or beyond the
// total number of cylinders; `cylinders` is the largest cylinder plus one.
std::string CylinderQuestion(std::int64_t cylinders);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_REQUESTS_MANUAL_SCAN_H_
