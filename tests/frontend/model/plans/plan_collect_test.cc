#include "frontend/model/plans/plan_collect.h"

#include <gtest/gtest.h>

#include "frontend/model/plans/plan_file.h"
#include "frontend/model/plans/run_plan.h"
#include "tests/frontend/model/files/sim_file_fixtures.h"
#include "tests/frontend/model/runs/run_test_support.h"

namespace trakvist {
namespace {

const std::string kFolder = "/plans/p/";

// A plan of `runs` runs (parameter 0 from 100 in steps of 100) in kFolder,
// every run having written its rows.
FakeFiles PlanFolder(int runs) {
  FakeFiles files;
  ParameterTexts texts = DefaultTexts();
  texts[0] = "100,100," + std::to_string(100 * runs);
  files.contents[kFolder + "sweep.txt"] =
      PlanSimFileText(ThreeRunPage(), texts, RangesOf(texts), 1);
  files.contents[kFolder + "runs.txt"] = PlanRunsText(RunSettings{}, RangesOf(texts), "schedule");
  for (int run = 1; run <= runs; ++run) {
    const RunRowPaths paths = PlanRowPaths(run);
    files.contents[kFolder + paths[0]] = kLabelRow + DataRow(1000 * run);
    files.contents[kFolder + paths[1]] = kLabelRow + DataRow(100 * run);
    files.contents[kFolder + paths[2]] = kLabelRow + DataRow(10 * run);
  }
  return files;
}

std::string RowFile(int run, int file) { return kFolder + PlanRowPaths(run)[file]; }

TEST(CollectPlanTest, JoinsTheRowsOfEveryRunInRunOrder) {
  const FakeFiles files = PlanFolder(4);
  const PlanCollection collection = CollectPlan(files, kFolder);
  ASSERT_EQ(collection.failure, "");
  EXPECT_EQ(collection.run_count, 4);
  EXPECT_TRUE(collection.missing.empty());
  EXPECT_TRUE(collection.damaged.empty());
  SimFileReadContext context;
  context.import_page = false;
  const SimFileRead read = ReadSimFile(collection.sim_file, context);
  ASSERT_TRUE(read.content) << read.failure;
  ASSERT_EQ(read.content->results.RunCount(), 4);
  EXPECT_EQ(read.content->results.Get(Metric::kTotalSeekTime, 2, 3), 3002);
  EXPECT_EQ(read.content->results.Get(Metric::kAverageWaitingTime, 9, 4), 409);
  EXPECT_EQ(read.content->results.Get(Metric::kMaximumWaitingTime, 1, 1), 11);
  EXPECT_EQ(read.content->ranges[0].To, 400);
  EXPECT_EQ(RunsToRunAgain(collection), "");
}

TEST(CollectPlanTest, NamesMissingAndDamagedRunsAndOpensNothing) {
  FakeFiles files = PlanFolder(12);
  for (int f = 0; f < 3; ++f) files.contents.erase(RowFile(2, f));  // never ran
  for (int f = 0; f < 3; ++f) files.contents.erase(RowFile(9, f));
  files.contents.erase(RowFile(3, 1));          // one file lost
  files.contents[RowFile(4, 0)] += DataRow(1);  // run twice into one file
  files.contents[RowFile(10, 2)] = kLabelRow;   // the engine gave up
  files.unreadable.insert(RowFile(11, 0));
  const PlanCollection collection = CollectPlan(files, kFolder);
  EXPECT_EQ(collection.failure, "");
  EXPECT_EQ(collection.sim_file, "");
  EXPECT_EQ(collection.missing, (std::vector<std::int64_t>{2, 9}));
  EXPECT_EQ(collection.damaged, (std::vector<std::int64_t>{3, 4, 10, 11}));
  EXPECT_EQ(RunsToRunAgain(collection), "2-4,9-11");
  ASSERT_EQ(collection.problems.size(), 4u);
  EXPECT_EQ(collection.problems[1],
            "Run 4: " + RowFile(4, 0) + " holds more than one results row.");
  const std::vector<std::string> messages = CollectionMessages(collection);
  ASSERT_EQ(messages.size(), 7u);
  EXPECT_EQ(messages[0], "2 runs of 12 have written no results yet: 2,9.");
  EXPECT_EQ(messages[1], "4 runs of 12 have damaged results: 3,4,10,11.");
  EXPECT_NE(messages[6].find("sh run-one.sh --runs 2-4,9-11"), std::string::npos) << messages[6];
  EXPECT_NE(messages[6].find("sbatch --array=2-4,9-11 slurm.sbatch"), std::string::npos);
}

TEST(CollectPlanTest, OffersNoArrayIndexAboveSlurmsDefaultLimit) {
  PlanCollection collection;
  collection.run_count = 2000;
  collection.missing = {1001};
  const std::vector<std::string> messages = CollectionMessages(collection);
  EXPECT_EQ(messages.front(), "1 run of 2000 has written no results yet: 1001.");
  EXPECT_EQ(messages.back().find("sbatch"), std::string::npos) << messages.back();
}

TEST(CollectPlanTest, RefusesAFolderThatHoldsNoWholePlan) {
  const std::string kRuns = kFolder + "runs.txt";
  const std::string kSweep = kFolder + "sweep.txt";
  const struct {
    const char* name;
    std::function<void(FakeFiles*)> damage;
    const char* why;
  } kCases[] = {
      {"no runs.txt", [&](FakeFiles* f) { f->contents.erase(kRuns); }, "it has no runs.txt."},
      {"unreadable runs.txt", [&](FakeFiles* f) { f->unreadable.insert(kRuns); },
       "its runs.txt could not be read."},
      {"empty runs.txt", [&](FakeFiles* f) { f->contents[kRuns] = ""; },
       "its runs.txt does not hold one line per run."},
      {"runs.txt cut short", [&](FakeFiles* f) { f->contents[kRuns].pop_back(); },
       "its runs.txt does not hold one line per run."},
      {"no sweep.txt", [&](FakeFiles* f) { f->contents.erase(kSweep); }, "it has no sweep.txt."},
      {"a saved file for sweep.txt",
       [&](FakeFiles* f) {
         ResultsStore store;
         store.ReplaceResults(ThreeRunResults(), RangesOf(ThreeRunTexts()), 1);
         f->contents[kSweep] = SimFileText(ThreeRunPage(), ThreeRunTexts(), store);
       },
       "its sweep.txt is not the simulation file of a plan."},
      {"a line more in runs.txt", [&](FakeFiles* f) { f->contents[kRuns] += "x\n"; },
       "its runs.txt holds 4 runs, while the sweep in its sweep.txt has 3."},
  };
  for (const auto& c : kCases) {
    FakeFiles files = PlanFolder(3);
    c.damage(&files);
    const PlanCollection collection = CollectPlan(files, kFolder);
    EXPECT_NE(collection.failure.find(c.why), std::string::npos)
        << c.name << ": " << collection.failure;
    EXPECT_EQ(collection.sim_file, "") << c.name;
    EXPECT_EQ(CollectionMessages(collection), std::vector<std::string>{collection.failure});
    EXPECT_EQ(RunsToRunAgain(collection), "") << c.name;
  }
}

}  // namespace
}  // namespace trakvist
