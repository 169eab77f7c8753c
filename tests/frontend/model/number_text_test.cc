#include "frontend/model/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>

namespace trakvist {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();

TEST(NumberTextTest, WritesPlainOrExponentForm) {
  const std::pair<double, const char*> kCases[] = {{-0.0, "0"},
                                                   {0.1 + 0.2, "0.3"},
                                                   {1.0 / 3, "0.333333333333333"},
                                                   {0.0001, "0.0001"},
                                                   {0.00001, "1E-05"},
                                                   {999999999999999.0, "999999999999999"},
                                                   {1e15, "1E+15"},
                                                   {123456789012345678.0, "1.23456789012346E+17"}};
  for (const auto& [value, text] : kCases) EXPECT_EQ(NumberText(value), text);
}

TEST(NumberTextTest, TextSurvivesReadingBack) {
  std::mt19937_64 bits(12345);
  for (int i = 0; i < 20000; ++i) {
    const auto word = bits();
    double value;
    std::memcpy(&value, &word, sizeof value);
    if (!std::isfinite(value)) continue;
    const std::string text = NumberText(value);
    EXPECT_EQ(NumberText(LeadingNumber(text)), text);
    EXPECT_EQ(FullNumber(text), LeadingNumber(text)) << text;
  }
}

TEST(LeadingNumberTest, ReadsTheLongestLeadingNumber) {
  const std::pair<std::string, double> kCases[] = {{"", 0},
                                                   {"abc", 0},
                                                   {" \t-12.5xyz", -12.5},
                                                   {"+4", 4},
                                                   {"1e-2", 0.01},
                                                   {"2E+x", 2},
                                                   {"-.5", -0.5},
                                                   {"5.", 5},
                                                   {"-e5", 0},
                                                   {"1.2.3", 1.2},
                                                   {"12,5", 12},
                                                   {"inf", 0},
                                                   {"-1e999", -kMax},
                                                   {"1e-999", 0},
                                                   {std::string(400, '9'), kMax},
                                                   {"1" + std::string(400, '0') + "e-390", 1e10}};
  for (const auto& [text, value] : kCases) EXPECT_EQ(LeadingNumber(text), value) << text;
}

TEST(FullNumberTest, AcceptsOnlyOneNumberWithBlanksAround) {
  EXPECT_EQ(FullNumber(" 1E-05 "), 0.00001);
  for (const char* text : {"", "  ", "12a", "1E", "1,2", "- 1"}) {
    EXPECT_FALSE(FullNumber(text).has_value()) << text;
  }
}

}  // namespace
}  // namespace trakvist
