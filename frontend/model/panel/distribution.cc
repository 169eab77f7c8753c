#include "frontend/model/panel/distribution.h"

namespace trakvist {

void GetDistParams(int index, std::string* label1, std::string* label2) {
  if (index == kPoissonIndex) {
    *label1 = "Request Arrival Rate (b/sec)";
    *label2 = "N/A";
  } else if (index == kGenericIndex) {
    *label1 = "Maximum Requests Per Time Unit";
    *label2 = "Request Arival Probability %";
  }
}

void GetDistToolTips(int index, std::string* tooltip1, std::string* tooltip2) {
  if (index == kPoissonIndex) {
    *tooltip1 = "";
    *tooltip2 = "";
  } else if (index == kGenericIndex) {
    *tooltip1 = "";
    *tooltip2 =
        "The probability of generating requests in a single time unit. It should usually be "
        "very low";
  }
}

}  // namespace trakvist
