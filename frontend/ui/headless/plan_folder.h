#ifndef TRAKVIST_FRONTEND_UI_HEADLESS_PLAN_FOLDER_H_
#define TRAKVIST_FRONTEND_UI_HEADLESS_PLAN_FOLDER_H_

#include <optional>
#include <string>
#include <vector>

#include "frontend/model/common/file_access.h"
#include "frontend/model/requests/manual_requests.h"
#include "frontend/model/shell/main_state.h"

namespace trakvist {

// What writing a plan did: whether the folder holds the whole plan, and the
// messages to show, in order.
struct PlanWritten {
  bool written = false;
  std::vector<std::string> messages;
};

// `--run ... --plan DIR`: writes the sweep the panel describes into
// `folder` (absolute), which must be new or empty, and runs nothing. Each
// run starts `engine`, or the selected simulator by its absolute path when
// none is given. Manual requests are checked as a start checks them and
// copied into the folder. When anything fails, what was written is removed
// again and the folder is left as it was found.
PlanWritten WritePlanFolder(MainState* state, FileAccess* files, const std::string& folder,
                            const std::optional<std::string>& engine, const AskYesNo& ask);

// A file served from memory: the simulation file that collecting a plan
// gives, opened as Open opens a file on disk.
class MemoryFile final : public FileAccess {
 public:
  MemoryFile(std::string path, std::string content)
      : path_(std::move(path)), content_(std::move(content)) {}
  FileRead ReadFile(const std::string& path) const override;

 private:
  std::string path_;
  std::string content_;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_HEADLESS_PLAN_FOLDER_H_
