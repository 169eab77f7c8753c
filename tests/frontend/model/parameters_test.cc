#include "frontend/model/parameters.h"

#include <gtest/gtest.h>

#include "frontend/model/distribution.h"

namespace trakvist {
namespace {

TEST(ParametersTest, DistributionParametersAreNamedAfterTheResultsDistribution) {
  EXPECT_EQ(ParameterLabel(2, kPoissonIndex), "Request Arrival Rate (b/sec)");
  EXPECT_EQ(ParameterLabel(3, kGenericIndex), "Request Arival Probability %");
  EXPECT_EQ(XAxisName(2, -1), "Maximum Requests Per Time Unit");  // no results yet
  EXPECT_EQ(XAxisName(2, kPoissonIndex), "Request Arrival Rate (b/sec)");
  EXPECT_EQ(XAxisName(3, kPoissonIndex), "N/A");
  EXPECT_EQ(XAxisName(10, kPoissonIndex), "Total Cylinders");
  EXPECT_EQ(XAxisName(16, -1), "No X-axis Variable");
  EXPECT_EQ(XAxisName(17, -1), "");
}

TEST(ParametersTest, EngineOptionsDependOnTheDistribution) {
  EXPECT_EQ(EngineOption(2, kPoissonIndex), "-a:");
  EXPECT_EQ(EngineOption(2, kGenericIndex), "-n:");
  EXPECT_EQ(EngineOption(12, kGenericIndex), "");
  EXPECT_EQ(EngineOption(-1, kGenericIndex), "");
}

}  // namespace
}  // namespace trakvist
