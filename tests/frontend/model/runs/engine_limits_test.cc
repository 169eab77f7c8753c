#include "frontend/model/runs/engine_limits.h"

#include <gtest/gtest.h>

#include <string>

#include "frontend/model/panel/parameters_panel.h"

namespace trakvist {
namespace {

TEST(EngineIntegerTest, ReadsTheNumberTextAsTheEngineDoes) {
  const struct {
    double value;
    std::int32_t read;
  } kCases[] = {{1.5, 1}, {0.5, 0}, {-2.5, -2}, {1e20, 1}, {3e9, 2147483647}, {600, 600}};
  for (const auto& c : kCases) EXPECT_EQ(EngineInteger(c.value), c.read) << c.value;
}

// Every combination is checked; the message names the field, the value
// and what it must be.
TEST(CheckEngineLimitsTest, RefusesWhatTheEngineWouldRefuse) {
  const struct {
    int field;
    const char* text;
    const char* message;  // empty: the sweep can run
  } kCases[] = {
      {9, "1,1,5", ""},
      {8, "0.5", "Block Time (TU) is 0 in this simulation, but it must be at least 1."},
      {8, "65535,1,65536", "Block Time (TU) is 65536 in this simulation, but it must be at most"},
      {9, "3,-1,0", "Cylinder Seek Time (TU) is 0 in this simulation, but it must be at least 1."},
      {14, "-1", "Settle Time (TU) is -1 in this simulation, but it must not be negative."},
      {14, "2147483647",
       "Settle Time (TU) is 2147483647 in this simulation, but with Cylinder Seek Time (TU) 1 the "
       "two together must be at most 2147483647."},
      {10, "0", "Total Number of Cylinders is 0 in this simulation, but it must be at least 1."},
      {11, "999", ""},
      {11, "0,500,1000",
       "Initial Head Position is 1000 in this simulation, but with Total Number of Cylinders 1000 "
       "it must be from 0 to 999."},
      {10, "500,500,1500", ""},  // head 0 fits every disk
  };
  for (const auto& c : kCases) {
    std::array<std::string, kParameterCount> texts;
    const ParametersPanel panel = StartParametersPanel();
    for (int k = 0; k < kParameterCount; ++k) texts[k] = panel.cparam[k].text;
    texts[c.field] = c.text;
    const std::optional<std::string> refused =
        CheckEngineLimits(FillSweepRanges(texts, RequestSource::kDistribution, false));
    if (*c.message == '\0') {
      EXPECT_FALSE(refused) << c.text << ": " << refused.value_or("");
    } else {
      ASSERT_TRUE(refused) << c.text;
      EXPECT_EQ(refused->rfind(c.message, 0), 0u) << *refused;
    }
  }
}

}  // namespace
}  // namespace trakvist
