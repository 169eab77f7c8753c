#ifndef TRAKVIST_FRONTEND_MODEL_RESULTS_FORMULA_H_
#define TRAKVIST_FRONTEND_MODEL_RESULTS_FORMULA_H_

#include <cstdint>
#include <optional>
#include <span>

#include "frontend/model/results/results_store.h"

namespace trakvist {

// Positions of the `Formula` list that combine the values along the X-axis
// range into one; position 0 ("None") shows every value.
inline constexpr int kFormulaAverage = 1;
inline constexpr int kFormulaMinimum = 2;
inline constexpr int kFormulaMaximum = 3;

// The average, minimum or maximum of `values` for formula position 1, 2 or 3.
// Nothing for any other position and for no values.
std::optional<double> ApplyFormula(int formula, std::span<const double> values);

// The formula over the runs of the selected metric of `algorithm`, each value
// scaled as GetSelData scales it. Nothing when any of the runs has no
// results, or there are no runs.
std::optional<double> GetFormulaData(const ResultsStore& store, const ResultsSelection& selection,
                                     int formula, int algorithm,
                                     std::span<const std::int32_t> runs);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RESULTS_FORMULA_H_
