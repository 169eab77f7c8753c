#include "engine/prompts.h"

namespace schedule {

namespace {

class Prompter {
 public:
  Prompter(RunConfig& config, const PromptStreams& streams, PromptResult* result)
      : config_(config), s_(streams), result_(result) {}

  bool Run(ManualList* manual);

 private:
  // Prints `prompt` and reads one answer with `format`.
  template <class T>
  bool Ask(const char* prompt, const char* format, T* value, const char* what);
  bool AskYesNo(const char* prompt, TriState* value);
  bool AskWorkload(ManualList* manual);
  bool AskDepth();

  bool Fail(const std::string& message) {
    result_->ok = false;
    result_->error = message;
    return false;
  }

  RunConfig& config_;
  const PromptStreams& s_;
  PromptResult* result_;
};

template <class T>
bool Prompter::Ask(const char* prompt, const char* format, T* value, const char* what) {
  std::fputs(prompt, s_.out);
  std::fflush(s_.out);
  if (std::fscanf(s_.in, format, value) == 1) return true;
  return Fail(std::string("expected ") + what + " as the answer, but the input " +
              (std::feof(s_.in) ? "ended" : "held something else"));
}

bool Prompter::AskYesNo(const char* prompt, TriState* value) {
  char answer = 0;
  if (!Ask(prompt, " \n\t%c", &answer, "y or n")) return false;
  *value = (answer == 'y' || answer == 'Y') ? TriState::kYes : TriState::kNo;
  return true;
}

bool Prompter::AskWorkload(ManualList* manual) {
  if (config_.total == 0) {
    ManualReadResult read = ReadManualRequests(
        ManualSource{s_.in, s_.out, s_.console, config_.heads, config_.blocks_per_track}, manual);
    result_->lba_with_blocks = read.lba_with_blocks;
    if (!read.ok) return Fail(read.error);
    return true;
  }
  if (config_.max_per_tu == -1 &&
      !Ask("\nEnter Maximum number of requests per time unit (0=Generate All in t=0): ", "%d",
           &config_.max_per_tu, "a whole number")) {
    return false;
  }
  if (config_.max_per_tu == 0) {
    config_.probability = 0;
    return true;
  }
  if (config_.probability == -1.0 &&
      !Ask("\nEnter request probability %: ", " %lg", &config_.probability, "a number")) {
    return false;
  }
  config_.probability *= 0.01;
  std::fprintf(s_.out, "\n>> %.10f\n", config_.probability);
  return true;
}

bool Prompter::AskDepth() {
  while (config_.bopath_depth < 1) {
    if (!Ask("\nEnter BO-PATH maximum A* depth (Min=1): ", "%d", &config_.bopath_depth,
             "a whole number")) {
      return false;
    }
    if (config_.bopath_depth < 1) std::fputs(">> Too low, Minimum = 1", s_.out);
  }
  config_.bopath_depth -= 1;
  return true;
}

bool Prompter::Run(ManualList* manual) {
  if (config_.total == -1 && !Ask("\nEnter total number of requests (0=Manual Entry): ", "%d",
                                  &config_.total, "a whole number")) {
    return false;
  }
  if (!AskWorkload(manual)) return false;
  if (config_.initial_head == -1 &&
      !Ask("Enter head's initial position: ", "%d", &config_.initial_head, "a whole number")) {
    return false;
  }
  if (config_.slook_factor == -1 &&
      !Ask("\nEnter S-LOOK waisted time factor: ", "%d", &config_.slook_factor, "a whole number")) {
    return false;
  }
  if (config_.slook_reset == -1 &&
      !Ask("\nChoose SLOOK waisted time resting method:\n"
           "1. Reset on every min/max\n"
           "2. Reset on min if the previous is max and reset on max if previous is min\n"
           "3. Reset when request queue is empty (Default)\n",
           "%hd", &config_.slook_reset, "a whole number")) {
    return false;
  }
  if (config_.bopath_threshold == -1 && !Ask("\nEnter BO-PATH waisted time threshold: ", "%d",
                                             &config_.bopath_threshold, "a whole number")) {
    return false;
  }
  if (!AskDepth()) return false;
  if (config_.bopath_reset == TriState::kUnset &&
      !AskYesNo("\nReset BO-PATH waisted time on every request in path ? (y/n) ",
                &config_.bopath_reset)) {
    return false;
  }
  if (config_.bopath_swap == TriState::kUnset &&
      !AskYesNo("\nUse BO-PATH min/max swaping trick ? (y/n) ", &config_.bopath_swap)) {
    return false;
  }
  return true;
}

}  // namespace

PromptResult AskMissing(RunConfig& config, const PromptStreams& streams, ManualList* manual) {
  PromptResult result;
  Prompter(config, streams, &result).Run(manual);
  return result;
}

}  // namespace schedule
