#include "frontend/model/spinner.h"

#include <gtest/gtest.h>

namespace trakvist {
namespace {

struct StepCase {
  int field;
  const char* text;
  SpinDirection direction;
  const char* expected;
};

class SpinnerStepTest : public testing::TestWithParam<StepCase> {};

TEST_P(SpinnerStepTest, StepsWholeValuesWithinTheRange) {
  const StepCase& c = GetParam();
  EXPECT_EQ(SpinnerStep(c.field, c.text, c.direction), c.expected) << c.text;
}

constexpr SpinDirection kUp = SpinDirection::kUp;
constexpr SpinDirection kDown = SpinDirection::kDown;

INSTANTIATE_TEST_SUITE_P(
    Cases, SpinnerStepTest,
    testing::Values(StepCase{0, "41", kUp, "42"}, StepCase{0, "41", kDown, "40"},
                    StepCase{0, "", kUp, "1"}, StepCase{0, "0", kDown, "0"},
                    StepCase{0, "2147483647", kUp, "2147483647"},
                    StepCase{0, "99999999999", kDown, "2147483647"}, StepCase{3, "100", kUp, "100"},
                    StepCase{3, "0.01", kUp, "1"}, StepCase{12, "0.00001", kDown, "0"},
                    StepCase{12, "1.5", kUp, "2"}, StepCase{12, "1.5", kDown, "1"},
                    StepCase{12, "1e3", kUp, "1001"}, StepCase{12, "1e999", kDown, "2147483647"},
                    StepCase{12, "1e-999", kUp, "1"}, StepCase{4, "-3", kUp, "0"},
                    StepCase{0, "abc", kUp, "1"},
                    StepCase{0, "100,100,1000", kUp, "100,100,1000"}));

}  // namespace
}  // namespace trakvist
