#include "frontend/model/common/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <utility>

namespace trakvist {
namespace {

TEST(NumberTextTest, WritesPlainOrExponentFormWithFifteenDigits) {
  EXPECT_EQ(NumberText(-0.0), "0");
  EXPECT_EQ(NumberText(0.1 + 0.2), "0.3");
  EXPECT_EQ(NumberText(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(NumberText(0.0001), "0.0001");
  EXPECT_EQ(NumberText(0.00001), "1E-05");
  EXPECT_EQ(NumberText(999999999999999.0), "999999999999999");
  EXPECT_EQ(NumberText(1e15), "1E+15");
  EXPECT_EQ(NumberText(123456789012345678.0), "1.23456789012346E+17");
}

TEST(NumberTextTest, TextSurvivesReadingBack) {
  std::mt19937_64 bits(12345);
  for (int i = 0; i < 20000; ++i) {
    const double value = std::bit_cast<double>(bits());
    if (!std::isfinite(value)) continue;
    const std::string text = NumberText(value);
    EXPECT_EQ(NumberText(LeadingNumber(text)), text);
    EXPECT_EQ(FullNumber(text), LeadingNumber(text)) << text;
  }
}

TEST(LeadingNumberTest, ReadsTheLongestLeadingNumberOrOneWholeNumber) {
  const std::pair<const char*, double> kCases[] = {
      {"abc", 0}, {" \t-12.5xyz", -12.5}, {"+4", 4},    {"1e-2", 0.01}, {"2E+x", 2},  {"-.5", -0.5},
      {"-e5", 0}, {"1.2.3", 1.2},         {"12,5", 12}, {"inf", 0},     {"1e-999", 0}};
  for (const auto& [text, value] : kCases) EXPECT_EQ(LeadingNumber(text), value) << text;
  // Magnitudes beyond a double saturate; the exponent decides which way.
  constexpr double kMax = std::numeric_limits<double>::max();
  EXPECT_EQ(LeadingNumber("-1e999"), -kMax);
  EXPECT_EQ(LeadingNumber(std::string(400, '9')), kMax);
  EXPECT_EQ(LeadingNumber("1" + std::string(400, '0') + "e-390"), 1e10);
  // A whole text is one number only with nothing but blanks around it.
  EXPECT_EQ(FullNumber(" 1E-05 "), 0.00001);
  for (const char* text : {"", "12a", "1E", "1,2", "- 1"}) EXPECT_FALSE(FullNumber(text)) << text;
}

}  // namespace
}  // namespace trakvist
