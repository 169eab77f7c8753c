#include "frontend/model/plans/plan_file.h"

#include <gtest/gtest.h>

#include "tests/frontend/model/files/sim_file_fixtures.h"

namespace trakvist {
namespace {

std::string SavedFile(const ParameterTexts& texts, const SweepResults& results) {
  ResultsStore store;
  store.ReplaceResults(results, RangesOf(texts), 1);
  return SimFileText(ThreeRunPage(), texts, store);
}

TEST(PlanSimFileTest, FilledInItIsTheFileSaveWritesForTheSameResults) {
  const std::string plan =
      PlanSimFileText(ThreeRunPage(), ThreeRunTexts(), RangesOf(ThreeRunTexts()), 1);
  EXPECT_EQ(FillPlanSimFile(plan, ThreeRunResults()),
            SavedFile(ThreeRunTexts(), ThreeRunResults()));
}

TEST(PlanSimFileTest, AParameterTextThatReadsAsASectionHeaderIsNoResultSection) {
  ParameterTexts texts = ThreeRunTexts();
  texts[3] = "[Total Seek Time]";
  const std::string plan = PlanSimFileText(ThreeRunPage(), texts, RangesOf(texts), 1);
  EXPECT_EQ(FillPlanSimFile(plan, ThreeRunResults()), SavedFile(texts, ThreeRunResults()));
}

TEST(PlanSimFileTest, RefusesFilesThatAreNotAPlansSweep) {
  const std::string plan =
      PlanSimFileText(ThreeRunPage(), ThreeRunTexts(), RangesOf(ThreeRunTexts()), 1);
  const std::string kRefused[] = {
      "",
      SavedFile(ThreeRunTexts(), ThreeRunResults()),  // results filled in already
      plan.substr(0, plan.size() - 2),
      plan + "\r\n",
      plan.substr(0, plan.find("[Total Seek Time]")),
  };
  for (const std::string& file : kRefused) EXPECT_FALSE(FillPlanSimFile(file, ThreeRunResults()));
}

}  // namespace
}  // namespace trakvist
