#ifndef TRAKVIST_FRONTEND_MODEL_RUNS_ENGINE_RUNNER_H_
#define TRAKVIST_FRONTEND_MODEL_RUNS_ENGINE_RUNNER_H_

#include <cstdint>
#include <string>
#include <vector>

namespace trakvist {

// Names one engine run among all that a runner has been asked to start. The
// monitor hands out a new one for every run, never reusing one, so events of
// an engine that ended long ago cannot be taken for those of the current one.
using EngineRunId = std::int64_t;

// Whether an engine could be started, and why not.
struct EngineStart {
  bool started = false;
  std::string error;  // what went wrong, for the user; empty when started
};

// Starts engine processes and carries the stop message to them; the
// platform layer implements it over processes and the engine link, tests
// with a fake. Nothing here assumes one engine at a time: every call names
// its run.
//
// The runner reports back to the monitor, for each run it started:
//   hello(run, thread id)  the engine's thread id, the address of its stop;
//   progress(run, count)   requests served since its previous report;
//   exited(run)            the process has gone. Every message the engine
//                          sent before it went is reported before this.
// Reports may come at any time after Start() has returned, and calls made
// while the monitor is busy are queued by it, so a runner may report from
// within its own calls as well.
class EngineRunner {
 public:
  virtual ~EngineRunner() = default;

  // Starts `arguments[0]` with the arguments that follow, without a shell,
  // without a visible window and without console input, and returns at
  // once.
  virtual EngineStart Start(EngineRunId run, const std::vector<std::string>& arguments) = 0;

  // Posts the stop message to the engine thread `thread_id` of `run`
  // without waiting. False when it could not be delivered.
  virtual bool PostStop(EngineRunId run, std::uint32_t thread_id) = 0;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RUNS_ENGINE_RUNNER_H_
