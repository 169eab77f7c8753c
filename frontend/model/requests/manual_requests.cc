#include "frontend/model/requests/manual_requests.h"

#include <utility>

#include "frontend/model/common/number_text.h"
#include "frontend/model/common/whole_number.h"
#include "frontend/model/requests/manual_scan.h"
#include "frontend/model/requests/manual_texts.h"

namespace trakvist {
namespace {

// Shows the wait window for a long text and closes it again when the scan
// is over, however it ends.
class WaitWindowScope {
 public:
  WaitWindowScope(const WaitWindow& wait, std::size_t length)
      : close_(NeedsWaitWindow(length) ? wait.close : std::function<void()>()) {
    if (NeedsWaitWindow(length) && wait.show) wait.show();
  }
  ~WaitWindowScope() {
    if (close_) close_();
  }
  WaitWindowScope(const WaitWindowScope&) = delete;
  WaitWindowScope& operator=(const WaitWindowScope&) = delete;

 private:
  std::function<void()> close_;
};

std::int32_t FieldWholeNumber(const ParametersPanel& panel, int index) {
  return ToInt32HalfEven(LeadingNumber(panel.cparam[index].text));
}

// Blocks per cylinder of LBA requests; nothing when a factor is not
// positive and no cylinder can be computed.
std::optional<std::int64_t> LbaBlocksPerCylinder(const ParametersPanel& panel) {
  const std::int64_t blocks_per_track = FieldWholeNumber(panel, kBlocksPerTrackParameter);
  const std::int64_t heads = FieldWholeNumber(panel, kHeadsParameter);
  if (blocks_per_track <= 0 || heads <= 0) return std::nullopt;
  return blocks_per_track * heads;
}

// ImportManualReq with the wait window shown around a text of more than
// `shown_length` characters.
ScanOutcome ScanBehindWaitWindow(std::string_view text, bool use_lba, std::size_t shown_length,
                                 ParametersPanel* panel, ManualRequestsState* state,
                                 const WaitWindow& wait) {
  const WaitWindowScope shown(wait, shown_length);
  return ImportManualReq(text, use_lba, panel, state);
}

// The message of a failed scan at start.
std::string StartScanMessage(ScanOutcome outcome) {
  return std::string(outcome == ScanOutcome::kNoLbaGeometry ? kNoLbaGeometryMessage
                                                            : kManualNotProperFormatMessage);
}

ManualStartCheck Failure(std::string_view message) { return {std::nullopt, std::string(message)}; }

// The configuration line and requests text that a start scans and passes on.
struct StartRequests {
  std::string configuration_line;
  std::string requests;
};

StartRequests TypedRequests(const ParametersPanel& panel) {
  return {panel.is_lba ? "1" : "0", panel.manual_text + " "};
}

// Reads the requests file in the box for a start; the message on failure.
std::optional<std::string> ReadRequestsFile(const FileAccess& files, const std::string& path,
                                            StartRequests* out) {
  const std::optional<std::string> contents = files.ReadContent(path);
  if (!contents) return std::string(kCanNotOpenManualFileMessage);
  std::optional<RequestsFileText> parts = SplitRequestsFile(*contents);
  if (!parts) return std::string(kFirstLineMessage);
  out->configuration_line = std::move(parts->configuration_line);
  out->requests = std::move(parts->requests) + " ";
  return std::nullopt;
}

// Scans the requests again at start; the message on failure. The stamp is
// kept only once the file has been read and scanned, so a file that could
// not be read is read again at the next start rather than taken as
// unchanged with the results of an older scan.
std::optional<std::string> RescanAtStart(ParametersPanel* panel, ManualRequestsState* state,
                                         const FileAccess& files,
                                         const std::optional<FileStamp>& stamp,
                                         const WaitWindow& wait, StartRequests* requests) {
  const bool is_path = IsFilePath(panel->manual_text);
  if (is_path) {
    if (auto message = ReadRequestsFile(files, panel->manual_text, requests)) return message;
  }
  const ScanOutcome outcome =
      ScanBehindWaitWindow(requests->requests, ConfigurationIsLba(requests->configuration_line),
                           requests->requests.size(), panel, state, wait);
  // Without a geometry nothing was scanned: the file is not taken as seen.
  if (outcome != ScanOutcome::kNoLbaGeometry) state->manual_file_stamp = stamp;
  if (outcome != ScanOutcome::kValid) return StartScanMessage(outcome);
  return std::nullopt;
}

// The cylinder question: true when the run may go on, with field 10 raised
// if the user agreed.
bool ConfirmCylinders(ParametersPanel* panel, const ManualRequestsState& state,
                      const AskYesNo& ask) {
  const double total_cylinders = LeadingNumber(panel->cparam[kCylindersParameter].text);
  if (total_cylinders > state.manual_max_cylinder) return true;
  const std::int64_t needed = std::int64_t{state.manual_max_cylinder} + 1;
  if (!ask || !ask(CylinderQuestion(needed))) return false;
  SetFieldText(panel, kCylindersParameter, std::to_string(needed));
  return true;
}

}  // namespace

ScanOutcome ImportManualReq(std::string_view text, bool use_lba, ParametersPanel* panel,
                            ManualRequestsState* state) {
  std::optional<std::int64_t> blocks_per_cylinder;
  if (use_lba) {
    blocks_per_cylinder = LbaBlocksPerCylinder(*panel);
    if (!blocks_per_cylinder) {
      // Nothing of an older scan may pass for these requests, and every
      // later start has to look at them again.
      state->manual_req_valid = false;
      panel->manual_req_changed = true;
      return ScanOutcome::kNoLbaGeometry;
    }
  }
  panel->manual_req_changed = false;
  const std::optional<ManualScan> found = ScanManualRequests(text, blocks_per_cylinder);
  if (!found) {
    state->manual_req_valid = false;
    return ScanOutcome::kNotProperFormat;
  }
  state->manual_req_count = found->count;
  state->manual_max_cylinder = found->max_cylinder;
  state->manual_req_valid = true;
  return ScanOutcome::kValid;
}

void Manual_Change(ParametersPanel* panel) {
  panel->manual_req_changed = true;
  panel->manual_is_file_path = IsFilePath(panel->manual_text);
  // Outside manual entry "Use LBA" stays disabled whatever the box holds.
  panel->is_lba_enabled = !panel->manual_is_file_path && panel->source == RequestSource::kManual;
}

void SetManualText(ParametersPanel* panel, std::string_view text) {
  if (panel->manual_text == text) return;
  panel->manual_text = std::string(text);
  Manual_Change(panel);
}

void isLBA_Click(ParametersPanel* panel) { panel->manual_req_changed = true; }

void SetIsLba(ParametersPanel* panel, bool checked) {
  if (panel->is_lba == checked) return;
  panel->is_lba = checked;
  isLBA_Click(panel);
}

std::optional<std::string> Import_Click(ParametersPanel* panel, ManualRequestsState* state,
                                        const FileAccess& files, const std::string& path,
                                        const WaitWindow& wait) {
  const std::optional<std::string> contents = files.ReadContent(path);
  if (!contents) return std::string(kCanNotOpenImportMessage);
  const std::optional<RequestsFileText> parts = SplitRequestsFile(*contents);
  if (!parts) return std::string(kFirstLineMessage);
  // Here the whole file's length decides on the wait window.
  const ScanOutcome outcome =
      ScanBehindWaitWindow(parts->requests + " ", ConfigurationIsLba(parts->configuration_line),
                           contents->size(), panel, state, wait);
  if (outcome != ScanOutcome::kValid) {
    // The box keeps what it held, which is not what was just scanned: the
    // next start must scan it again rather than refuse it for this file.
    panel->manual_req_changed = true;
    return std::string(outcome == ScanOutcome::kNoLbaGeometry ? kNoLbaGeometryMessage
                                                              : kImportNotProperFormatMessage);
  }
  SetManualText(panel, path);
  panel->manual_req_changed = false;
  state->manual_file_stamp = files.LastModified(path);
  return std::nullopt;
}

ManualStartCheck CheckManualRequests(ParametersPanel* panel, ManualRequestsState* state,
                                     FileAccess& files, const std::string& temp_path,
                                     const AskYesNo& ask, const WaitWindow& wait) {
  const bool is_path = IsFilePath(panel->manual_text);
  std::optional<FileStamp> stamp = state->manual_file_stamp;
  StartRequests requests;
  if (is_path) {
    // A file that is gone has no stamp to compare: it cannot be read either.
    stamp = files.LastModified(panel->manual_text);
    if (!stamp) return Failure(kCanNotOpenManualFileMessage);
  } else {
    requests = TypedRequests(*panel);
  }
  if (stamp != state->manual_file_stamp || panel->manual_req_changed) {
    if (auto message = RescanAtStart(panel, state, files, stamp, wait, &requests)) {
      return Failure(*message);
    }
  } else if (!state->manual_req_valid) {
    return Failure(kManualNotProperFormatMessage);
  }
  if (state->manual_req_count == 0) return Failure(kNoRequestsMessage);
  if (!ConfirmCylinders(panel, *state, ask)) return Failure("");
  if (is_path) return {ManualRunInput{panel->manual_text, state->manual_req_count}, ""};
  const std::string contents = RequestsFileContents(requests.configuration_line, requests.requests);
  if (!files.WriteFile(temp_path, contents)) return Failure(kCanNotWriteRequestsMessage);
  return {ManualRunInput{temp_path, state->manual_req_count}, ""};
}

}  // namespace trakvist
