#ifndef TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_SESSION_H_
#define TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_SESSION_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/common/file_access.h"
#include "frontend/model/files/sim_file_reader.h"

namespace trakvist {

inline constexpr std::string_view kMainWindowTitle = "Trakvist";

// The main window's state for saving and opening simulation files.
struct SimFileState {
  std::string CurrentFilePath;   // the file Save writes; empty until Save As or Open
  std::string PreviousFilePath;  // CurrentFilePath before the last Save As
  std::string window_title = std::string(kMainWindowTitle);
};

// The file dialog `SaveDialog`: the chosen path, or nothing on cancel.
using AskPath = std::function<std::optional<std::string>()>;

enum class SaveStatus { kSaved, kCancelled, kFailed };

struct SaveOutcome {
  SaveStatus status = SaveStatus::kCancelled;
  std::string message;  // "Can not save to selected file." when it failed
};

// Save: writes `bytes` (SimFileText) to CurrentFilePath and names the file
// in the window title. Without a current file it is Save As. A failed save
// changes nothing: the earlier file, the title and CurrentFilePath stay.
SaveOutcome Save(SimFileState* state, FileAccess& files, std::string_view bytes,
                 const AskPath& ask_path);

// Save As: asks for a path and saves there. When that save fails,
// CurrentFilePath goes back to the file in force before, so a following
// Save writes the earlier file again.
SaveOutcome SaveAs(SimFileState* state, FileAccess& files, std::string_view bytes,
                   const AskPath& ask_path);

// The outcome of Open. Every message is shown in this order; when the file
// was read whole, `content` is there to apply, and CurrentFilePath and the
// title name the file.
struct OpenOutcome {
  std::optional<SimFileContent> content;
  std::vector<std::string> messages;
};

// Open: asks for a path and reads the whole file. A cancel, a file that
// cannot be read and a file in the wrong format change nothing.
OpenOutcome Open(SimFileState* state, const FileAccess& files, const AskPath& ask_path,
                 const SimFileReadContext& context);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_SESSION_H_
