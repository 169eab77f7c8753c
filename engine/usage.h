#ifndef SCHEDULE_ENGINE_USAGE_H_
#define SCHEDULE_ENGINE_USAGE_H_

#include <cstdio>

namespace schedule {

// The banner and usage screen of -? and -help.
void PrintUsage(std::FILE* out);

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_USAGE_H_
