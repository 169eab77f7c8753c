#include "frontend/model/plans/plan_file.h"

#include <gtest/gtest.h>

#include <utility>

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

// Replications, statistics and heads starting down: the collected file is
// the one a sweep in the window saves, means and added sections included.
TEST(PlanSimFileTest, ReplicationsStatisticsAndDirectionAreFilledInAsSaved) {
  const ResultsStore saved = ReplicatedStore();
  PageControls page = ThreeRunPage();
  page.head_down = true;
  const PlanRunSettings settings{saved.ResultReplications().plan, true};
  const std::string plan =
      PlanSimFileText(page, ThreeRunTexts(), RangesOf(ThreeRunTexts()), 1, settings);
  EXPECT_EQ(PlanRunSettingsOf(plan), settings);
  EXPECT_EQ(FillPlanSimFile(plan, saved.ResultReplications().runs),
            SimFileText(page, ThreeRunTexts(), saved));
  // Plain settings write no section; a damaged section is no plan.
  EXPECT_EQ(PlanSimFileText(ThreeRunPage(), ThreeRunTexts(), RangesOf(ThreeRunTexts()), 1,
                            PlanRunSettings{}),
            PlanSimFileText(ThreeRunPage(), ThreeRunTexts(), RangesOf(ThreeRunTexts()), 1));
  for (const auto& [from, to] : {std::pair{"\r\n 2 \r\n 1 \r\n", "\r\n 2 \r\n 3 \r\n"},
                                 std::pair{" 4294967295 \r\n", " 4294967296 \r\n"},
                                 std::pair{" 4294967295 \r\n", " 4294967295 \r\n 5 \r\n"}}) {
    EXPECT_FALSE(PlanRunSettingsOf(Edit(plan, from, to))) << to;
    EXPECT_FALSE(FillPlanSimFile(Edit(plan, from, to), saved.ResultReplications().runs));
  }
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
