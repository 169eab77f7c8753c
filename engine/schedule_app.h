#ifndef SCHEDULE_ENGINE_SCHEDULE_APP_H_
#define SCHEDULE_ENGINE_SCHEDULE_APP_H_

#include <cstdio>
#include <memory>
#include <span>
#include <string>

#include "engine/link_channel.h"
#include "engine/simulation.h"

namespace schedule {

// The streams and the link transport of one engine run.
struct AppStreams {
  std::FILE* in;   // the console
  std::FILE* out;  // prompts, banner and report
  std::FILE* err;  // messages about unusable input
};

// One whole engine run: options, prompts, simulation and results. Returns
// the process exit status: 0 for a completed or stopped run, 1 when the
// input made a run impossible. `clock` runs the simulation itself.
int RunSchedule(std::span<const std::string> arguments, const AppStreams& streams,
                std::unique_ptr<LinkChannel> channel, const ClockModel& clock = RunClock);

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_SCHEDULE_APP_H_
