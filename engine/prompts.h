#ifndef SCHEDULE_ENGINE_PROMPTS_H_
#define SCHEDULE_ENGINE_PROMPTS_H_

#include <cstdio>
#include <string>

#include "engine/manual_requests.h"
#include "engine/run_config.h"

namespace schedule {

struct PromptStreams {
  std::FILE* in;   // the console or the -in: file
  std::FILE* out;  // where the prompts go
  bool console;    // true when reading from the console
};

// Asks, in order, for every value the command line left unset, reading the
// answers from `streams.in`; in manual mode also reads the request list.
// Returns false with a message in `error` when the input ends or holds
// something that is not an answer (the run must not go on with unset
// values); `lba_with_blocks` marks the one failure with a message of its own.
struct PromptResult {
  bool ok = true;
  bool lba_with_blocks = false;
  std::string error;
};
PromptResult AskMissing(RunConfig& config, const PromptStreams& streams, ManualList* manual);

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_PROMPTS_H_
