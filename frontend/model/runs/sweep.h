#ifndef TRAKVIST_FRONTEND_MODEL_RUNS_SWEEP_H_
#define TRAKVIST_FRONTEND_MODEL_RUNS_SWEEP_H_

#include <array>
#include <cstdint>
#include <string>

#include "frontend/model/panel/parameters.h"
#include "frontend/model/panel/request_source.h"
#include "frontend/model/runs/param_range.h"

namespace trakvist {

// The ranges of all sixteen parameters, indexed by parameter. The working
// set of a sweep being prepared and the grid of stored results both have
// this form.
using SweepRanges = std::array<ParamRange, kParameterCount>;

// One value per parameter: a combination of the sweep, or a choice of values
// to look up in stored results.
using CombinationValues = std::array<double, kParameterCount>;

// Fills the working ranges at a start from the parameter field texts. Every
// field is parsed, enabled or not; then parameter 0 becomes the single value
// 0 with manual entry, parameter 1 with "Randomize By Timer", and parameters
// 2 and 3 whenever requests do not come from the arrival distribution.
SweepRanges FillSweepRanges(const std::array<std::string, kParameterCount>& field_texts,
                            RequestSource source, bool randomize_by_timer);

// Whether the sweep has at least one combination: every range has a value.
// A range whose step points away from its end has none, and then the whole
// sweep has none and no engine runs.
bool HasCombinations(const SweepRanges& ranges);

// Number of combinations of the sweep (the product of the ranges' value
// counts), counted up to `limit` at most; 0 when a range has no value.
std::int64_t CombinationCount(const SweepRanges& ranges, std::int64_t limit);

// Walks the combinations of a sweep one at a time, as sixteen nested loops
// with parameter 0 outermost (slowest changing) and parameter 15 innermost.
// Nothing is built ahead, so sweeps of any size can be walked and left at
// any point:
//
//   for (SweepCursor cursor(ranges); !cursor.Done(); cursor.Next()) {
//     Run(cursor.Run(), cursor.Values());
//   }
class SweepCursor {
 public:
  explicit SweepCursor(const SweepRanges& ranges);

  // True once every combination has been visited, and at once for a sweep
  // without combinations.
  bool Done() const { return done_; }

  // Number of the current combination, counted from 1 in run order.
  std::int64_t Run() const { return run_; }

  // Parameter values of the current combination.
  const CombinationValues& Values() const { return values_; }

  // Moves to the next combination; does nothing once Done().
  void Next();

 private:
  SweepRanges ranges_;
  CombinationValues values_{};
  std::int64_t run_ = 1;
  bool done_ = false;
};

// Total requests of the sweep, for the progress bar. With manual entry it is
// the number of manual requests found. Otherwise the values of parameter 0
// are added as whole numbers: From, Step and To are each rounded half to
// even to 32 bits, and the sum wraps around as 32-bit signed arithmetic.
// A step that rounds to 0 counts the first value once.
std::int32_t TotalRequests(const SweepRanges& ranges, RequestSource source,
                           std::int32_t manual_request_count);

// The same total added in 64 bits, where it always fits, without the
// 32-bit wrap-around, so that the progress bar of a large sweep is sized by
// the requests it really makes.
std::int64_t TotalRequests64(const SweepRanges& ranges, RequestSource source,
                             std::int32_t manual_request_count);

// Number of runs made for each value of parameter 0, estimated from the
// working ranges for the progress bar: the product over parameters 1 to 15
// of ((To - From) / Step + 1), rounded half to even to 32 bits after every
// factor. It differs from the real count when a range does not end on To.
// Products beyond the 32-bit range saturate; a factor that is not a number
// gives 0.
std::int32_t GetInerTotal(const SweepRanges& ranges);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RUNS_SWEEP_H_
