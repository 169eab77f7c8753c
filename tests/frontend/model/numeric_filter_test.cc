#include "frontend/model/numeric_filter.h"

#include <gtest/gtest.h>

namespace trakvist {
namespace {

struct FilterCase {
  const char* text;
  bool minus;
  bool decimals;
  bool exponent;
  const char* expected;
};

class FilterNumericTextTest : public testing::TestWithParam<FilterCase> {};

TEST_P(FilterNumericTextTest, KeepsOnlyWhatTheFieldAccepts) {
  const FilterCase& c = GetParam();
  EXPECT_EQ(FilterNumericText(c.text, c.minus, c.decimals, c.exponent), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterNumericTextTest,
    testing::Values(
        // Whole fields drop the point but keep the digits after it.
        FilterCase{"1.5", false, false, false, "15"}, FilterCase{"1.5", false, true, true, "1.5"},
        FilterCase{"12a3 4", false, true, true, "1234"},
        // Minus only where allowed: at the start and after a comma.
        FilterCase{"-3", true, false, false, "-3"}, FilterCase{"-3", false, false, false, "3"},
        FilterCase{"--3-", true, false, false, "-3"},
        FilterCase{"-5,-1,-10", true, false, false, "-5,-1,-10"},
        FilterCase{"5,1-,10", true, false, false, "5,1,10"},
        // An exponent's sign needs no permission for minus signs.
        FilterCase{"1E-5", false, true, true, "1E-5"},
        FilterCase{"1e-05", false, true, true, "1e-05"},
        FilterCase{"1e5e3", false, true, true, "1e53"},
        FilterCase{"1e-5-", false, true, true, "1e-5"},
        FilterCase{"1e5", false, false, false, "15"},
        // One point and one exponent per number of a range.
        FilterCase{"1.2.3", false, true, true, "1.23"},
        FilterCase{"2.5,1e-1,5.5", false, true, true, "2.5,1e-1,5.5"},
        FilterCase{"1.5.,2.5e1E2", false, true, true, "1.5,2.5e12"},
        FilterCase{"", true, true, true, ""}, FilterCase{",,,", false, false, false, ",,,"}));

}  // namespace
}  // namespace trakvist
