#ifndef TRAKVIST_FRONTEND_MODEL_REQUESTS_MANUAL_REQUESTS_H_
#define TRAKVIST_FRONTEND_MODEL_REQUESTS_MANUAL_REQUESTS_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/model/common/file_access.h"
#include "frontend/model/panel/parameters_panel.h"

namespace trakvist {

// What the last scan of the manual requests found, kept by the main window
// between scans. A default-made state is the start state. Whether anything
// changed since that scan (`ManualReqChanged`) is the panel's
// `manual_req_changed`, which the box, "Use LBA" and fields 13 and 15 set.
struct ManualRequestsState {
  bool manual_req_valid = false;          // `ManualReqValid`: the last scan succeeded
  std::int32_t manual_req_count = 0;      // `ManualReqCount`
  std::int32_t manual_max_cylinder = -1;  // `ManualMaxCylinder`; -1: no request
  // `ManualFileStamp`: the requests file's last-modified time at the last
  // import or start; nothing until then.
  std::optional<FileStamp> manual_file_stamp;
};

enum class ScanOutcome {
  kValid,
  kNotProperFormat,
  // LBA requests with 0 blocks per track or 0 heads: nothing was scanned, the
  // valid flag is cleared and the changed flag set, so the next start checks
  // again.
  kNoLbaGeometry,
};

// Scans manual requests text (the caller appends one space) and stores what
// it found. With `use_lba` the requests are block addresses, turned into
// cylinders through blocks per track (field 13) and heads (field 15), each
// read by the leading-number rule and rounded half to even. Clears the
// changed flag before the scan. A successful scan sets the count, the
// largest cylinder and the valid flag; a failed one clears the valid flag
// and keeps the other two.
ScanOutcome ImportManualReq(std::string_view text, bool use_lba, ParametersPanel* panel,
                            ManualRequestsState* state);

// Runs after every change of the box's text: sets the changed flag, notes
// whether the box holds a file path, and enables "Use LBA" exactly when it
// does not (and manual entry is the request source).
void Manual_Change(ParametersPanel* panel);

// Sets the box's text from code; when the text changes, Manual_Change runs
// as for typing.
void SetManualText(ParametersPanel* panel, std::string_view text);

// Runs after "Use LBA" is changed: sets the changed flag.
void isLBA_Click(ParametersPanel* panel);

// Sets "Use LBA" from code and runs isLBA_Click when it changes.
void SetIsLba(ParametersPanel* panel, bool checked);

// The wait window ("Wait !!") shown around the scan of a long text. `show`
// opens it and lets it paint; `close` closes it after the scan, whatever
// its outcome. Either may be empty.
struct WaitWindow {
  std::function<void()> show;
  std::function<void()> close;
};

// The import of a requests file, after the file-open dialog: `path` is the
// chosen file (a cancelled dialog imports nothing and calls nothing).
// Returns the message to show, or nothing on success; then the box holds
// the path, the changed flag is clear and the file's stamp is kept.
std::optional<std::string> Import_Click(ParametersPanel* panel, ManualRequestsState* state,
                                        const FileAccess& files, const std::string& path,
                                        const WaitWindow& wait = {});

// Asks a question with Yes and No buttons (titled "Trakvist"); true for Yes.
using AskYesNo = std::function<bool(std::string_view question)>;

// What a run with manual requests passes to the engine.
struct ManualRunInput {
  std::string in_path;             // the requests file for `-in:`
  std::int32_t request_count = 0;  // the progress total
};

// Outcome of the start-time check: `input` on success; otherwise `message`
// is the message to show titled "Trakvist" with an OK button, or empty when
// nothing more is to be shown (the user answered No to the cylinder
// question). Either way a failure ends the run before any engine starts.
struct ManualStartCheck {
  std::optional<ManualRunInput> input;
  std::string message;
};

// The check made when a run with manual requests starts. Scans the requests
// again only when something changed or the requests file's stamp differs,
// refuses requests that are malformed or missing, offers to raise the total
// number of cylinders (field 10) through `ask` when a request lies beyond
// it, and for typed requests writes the requests file `temp_path`,
// replacing any old one.
ManualStartCheck CheckManualRequests(ParametersPanel* panel, ManualRequestsState* state,
                                     FileAccess& files, const std::string& temp_path,
                                     const AskYesNo& ask, const WaitWindow& wait = {});

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_REQUESTS_MANUAL_REQUESTS_H_
