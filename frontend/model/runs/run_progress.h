#ifndef TRAKVIST_FRONTEND_MODEL_RUNS_RUN_PROGRESS_H_
#define TRAKVIST_FRONTEND_MODEL_RUNS_RUN_PROGRESS_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace trakvist {

// `LTime`: its text before any run, and its tooltip.
inline constexpr std::string_view kLTimeStartText = "00:00:00";
inline constexpr std::string_view kLTimeToolTip = "Simulation Time";

// Progress of a sweep, counted in requests served. The engine reports every
// `chunk`-th service, so the whole sweep sends about fifty messages.
struct ProgressPlan {
  // Requests of the sweep x runs per request total x algorithms, raised by
  // two chunks so the last messages of a run never push past it.
  std::int64_t maximum = 0;
  std::int32_t chunk = 0;  // passed as -c:
};

// Plans the progress of a sweep. The work is total_requests x inner_runs x
// (8, or 7 with FCFS disabled), computed in 64 bits: a negative factor
// counts as 0 and a product beyond 64 bits saturates, so the maximum is
// never negative or wrapped. The chunk is the work divided by 50 (a work
// below 50 gives 0), capped at the largest 32-bit value since the engine
// reads it as a 32-bit number.
ProgressPlan PlanProgress(std::int64_t total_requests, std::int32_t inner_runs, bool skip_fcfs);

// Adds a progress report to `value`, keeping it within 0..maximum.
std::int64_t AddProgress(std::int64_t value, std::uint32_t count, std::int64_t maximum);

// The progress bar as shown: 32-bit value and maximum.
struct ProgressBarView {
  std::int32_t value = 0;
  std::int32_t maximum = 1;

  friend bool operator==(const ProgressBarView&, const ProgressBarView&) = default;
};

// The bar for a 64-bit progress value and maximum. A maximum beyond 32 bits
// is scaled down, the value with it, by whole division with the divisor
// maximum / (2^31 - 1) + 1; the value is kept within 0..maximum; and the
// maximum is at least 1, since a bar with no range shows no progress at
// all (or a busy indicator).
ProgressBarView ShownProgress(std::int64_t value, std::int64_t maximum);

// `LTime` after `seconds`: hours, minutes and seconds without leading
// zeros, separated by ":" ("0:2:5" after 125 seconds). A negative count
// shows as "0:0:0".
std::string ElapsedText(std::int32_t seconds);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RUNS_RUN_PROGRESS_H_
