#ifndef TRAKVIST_FRONTEND_MODEL_RUNS_ENGINE_LIMITS_H_
#define TRAKVIST_FRONTEND_MODEL_RUNS_ENGINE_LIMITS_H_

#include <cstdint>
#include <optional>
#include <string>

#include "frontend/model/runs/sweep.h"

namespace trakvist {

// The whole number the engine reads from a value the command line passes:
// the value's number text read up to its first character that is not part
// of a whole number ("1.5" is 1, "1E+20" is 1), held within 32 bits.
std::int32_t EngineInteger(double value);

// Checks the disk figures of every combination of `ranges` against what the
// engine refuses to run: block time 1 to 65535 TU, a seek time of at least
// 1 TU, a settle time that is not negative, at least one cylinder and an
// initial head on the disk. Returns the message for the first figure that
// fails, naming the field, the value and what it must be (the caller adds
// what was not done); nothing when every combination can run.
std::optional<std::string> CheckEngineLimits(const SweepRanges& ranges);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RUNS_ENGINE_LIMITS_H_
