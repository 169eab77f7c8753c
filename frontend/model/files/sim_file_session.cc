#include "frontend/model/files/sim_file_session.h"

#include <utility>

#include "frontend/model/files/sim_file_format.h"

namespace trakvist {
namespace {

// Writes the current file and names it in the title; nothing else changes
// when that fails.
SaveOutcome WriteCurrentFile(SimFileState* state, FileAccess& files, std::string_view bytes) {
  if (!files.ReplaceFile(state->CurrentFilePath, bytes)) {
    return {SaveStatus::kFailed, std::string(kCanNotSaveMessage)};
  }
  state->window_title = SimFileWindowTitle(state->CurrentFilePath);
  return {SaveStatus::kSaved, {}};
}

}  // namespace

SaveOutcome Save(SimFileState* state, FileAccess& files, std::string_view bytes,
                 const AskPath& ask_path) {
  if (state->CurrentFilePath.empty()) return SaveAs(state, files, bytes, ask_path);
  return WriteCurrentFile(state, files, bytes);
}

SaveOutcome SaveAs(SimFileState* state, FileAccess& files, std::string_view bytes,
                   const AskPath& ask_path) {
  const std::optional<std::string> path = ask_path();
  if (!path) return {SaveStatus::kCancelled, {}};
  state->PreviousFilePath = state->CurrentFilePath;
  state->CurrentFilePath = *path;
  SaveOutcome outcome = WriteCurrentFile(state, files, bytes);
  if (outcome.status == SaveStatus::kFailed) state->CurrentFilePath = state->PreviousFilePath;
  return outcome;
}

OpenOutcome Open(SimFileState* state, const FileAccess& files, const AskPath& ask_path,
                 const SimFileReadContext& context) {
  OpenOutcome outcome;
  const std::optional<std::string> path = ask_path();
  if (!path) return outcome;
  const std::optional<std::string> bytes = files.ReadContent(*path);
  if (!bytes) {
    outcome.messages.emplace_back(kCanNotOpenMessage);
    return outcome;
  }
  SimFileRead read = ReadSimFile(*bytes, context);
  if (!read.content) {
    outcome.messages.push_back(std::move(read.failure));
    return outcome;
  }
  outcome.messages = read.content->messages;
  outcome.content = std::move(read.content);
  state->CurrentFilePath = *path;
  state->window_title = SimFileWindowTitle(*path);
  return outcome;
}

}  // namespace trakvist
