#ifndef SCHEDULE_ENGINE_OPTIONS_H_
#define SCHEDULE_ENGINE_OPTIONS_H_

#include <cstdio>
#include <span>
#include <string>

#include "engine/link.h"
#include "engine/random.h"
#include "engine/run_config.h"

namespace schedule {

// What the parse ended with.
enum class ParseOutcome {
  kContinue,   // every argument was parsed
  kShowUsage,  // -? or -help: print the usage screen and stop
  kFailed,     // an option could not take effect (message in `error`)
};

// What parsing acts on at once, in argument order: -r: reseeds the
// generators, -hw: says hello over the link, -mt: prints its notice, and
// the file options open their files.
struct ParseEffects {
  Generators* generators;
  FrontEndLink* link;
  std::FILE* out;
};

// Parses the arguments after the program name into `config`. A later option
// overwrites an earlier one; unknown options are ignored.
ParseOutcome ParseOptions(std::span<const std::string> arguments, RunConfig& config,
                          const ParseEffects& effects, std::string* error);

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_OPTIONS_H_
