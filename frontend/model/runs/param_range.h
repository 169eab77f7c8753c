#ifndef TRAKVIST_FRONTEND_MODEL_RUNS_PARAM_RANGE_H_
#define TRAKVIST_FRONTEND_MODEL_RUNS_PARAM_RANGE_H_

#include <cstdint>
#include <string_view>
#include <vector>

namespace trakvist {

// One parameter's values in a sweep: From, From + Step, ... up to To
// (inclusive), by repeated addition. A single value v is (v, 1, v).
struct ParamRange {
  double From = 0.0;
  double Step = 1.0;
  double To = 0.0;
};

// Parses a field text: one number, or "from,step,to". Missing or malformed
// numbers read as 0 by the leading-number rule; a zero step becomes +1 or -1.
ParamRange ParseParamRange(std::string_view text);

// Whether `value` has not gone past To in the direction of Step: not above
// To for a step of 0 or more, not below it for a negative step. From itself
// failing this test means the range has no values.
bool WithinRange(const ParamRange& range, double value);

// Moves `value` on to the next value of the range by one addition of Step.
// Returns false, leaving `value` as it was, when there is no next value:
// the sum is past To, or the addition no longer changes the value (a step
// too small for the magnitude, or a zero step), which would otherwise
// repeat one value forever.
bool AdvanceValue(const ParamRange& range, double* value);

// Calls visit(value) for each value of the range in order, while visit
// returns true. Values are accumulated by repeated addition, never computed
// as From + i * Step, so every walk over a range sees bit-identical values.
template <typename Visit>
void ForEachValue(const ParamRange& range, Visit&& visit) {
  double value = range.From;
  if (!WithinRange(range, value)) return;
  do {
    if (!visit(value)) return;
  } while (AdvanceValue(range, &value));
}

// Number of values of the range, counted up to `limit` at most. A range of
// whole numbers, whose walk is exact, is counted without walking it.
std::int64_t ValueCount(const ParamRange& range, std::int64_t limit);

// The first values of the range, at most `limit` of them.
std::vector<double> RangeValues(const ParamRange& range, std::int64_t limit);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RUNS_PARAM_RANGE_H_
