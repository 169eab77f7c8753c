#ifndef TRAKVIST_FRONTEND_MODEL_PANEL_DISTRIBUTION_H_
#define TRAKVIST_FRONTEND_MODEL_PANEL_DISTRIBUTION_H_

#include <array>
#include <string>

namespace trakvist {

// Items of the request distribution list, in list order.
inline constexpr int kPoissonIndex = 0;
inline constexpr int kGenericIndex = 1;
inline const std::array<std::string, 2> kDistributionItems = {"Poisson", "Generic"};

// Labels of parameter fields 2 and 3 for the distribution at list position
// `index`. An index that names no known distribution leaves both unchanged.
void GetDistParams(int index, std::string* label1, std::string* label2);

// Tooltips of parameter fields 2 and 3, with the same rule.
void GetDistToolTips(int index, std::string* tooltip1, std::string* tooltip2);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PANEL_DISTRIBUTION_H_
