#include "frontend/model/plans/run_plan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "frontend/model/panel/parameters.h"

namespace trakvist {
namespace {

// What the POSIX shell makes of `word` as the argument of printf.
std::string ShellSays(const std::string& word) {
  const std::string command = "printf %s " + word;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return "(no shell)";
  std::string said;
  char buffer[256];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) said.append(buffer, n);
  pclose(pipe);
  return said;
}

TEST(ShellQuoteTest, TheShellGetsTheTextBackUnexpanded) {
  const std::vector<std::string> texts = {"plain",
                                          "-tu:1E-05",
                                          "two words",
                                          "it's",
                                          "''",
                                          "$HOME",
                                          "${x:-y}",
                                          "`id`",
                                          "$(id)",
                                          "a\\b\\\\",
                                          "*",
                                          "?[a]",
                                          "semi;colon && | >x",
                                          "\"quoted\"",
                                          "-",
                                          "tab\there"};
  for (const std::string& text : texts) EXPECT_EQ(ShellSays(ShellQuote(text)), text) << text;
  EXPECT_EQ(ShellQuote(""), "''");
  EXPECT_EQ(ShellQuote("it's"), "'it'\\''s'");
}

CombinationValues DefaultValues() {
  CombinationValues values{};
  for (int i = 0; i < kParameterCount; ++i) {
    values[i] = ParseParamRange(kParameterTable[i].default_text).From;
  }
  return values;
}

TEST(PlanRunLineTest, WritesRowsOfItsOwnAndLeavesOutTheLinkOptions) {
  RunSettings settings;
  settings.disprog = false;  // the window would pass -c: then
  const std::string line = PlanRunLine(settings, DefaultValues(), 7, "/opt/my engine/schedule");
  EXPECT_EQ(line.rfind("'/opt/my engine/schedule' '-t:", 0), 0u) << line;
  EXPECT_NE(line.find(" '-w:rows/7.wait.csv' '-s:rows/7.seek.csv' '-xw:rows/7.maxwait.csv'"),
            std::string::npos)
      << line;
  EXPECT_EQ(line.find("-hw:"), std::string::npos) << line;
  EXPECT_EQ(line.find("'-c:"), std::string::npos) << line;
  EXPECT_EQ(line.find("-in:"), std::string::npos) << line;
  EXPECT_EQ(line.find('\n'), std::string::npos);
}

TEST(PlanRunLineTest, ManualRequestsComeFromTheCopyInThePlan) {
  RunSettings settings;
  settings.source = RequestSource::kManual;
  CombinationValues values = DefaultValues();
  values[kRequestsParameter] = 0;
  const std::string line = PlanRunLine(settings, values, 1, "schedule");
  EXPECT_NE(line.find(" '-in:requests.txt'"), std::string::npos) << line;
}

TEST(PlanRunsTextTest, OneLinePerCombinationInRunOrder) {
  SweepRanges ranges{};
  for (int i = 0; i < kParameterCount; ++i) {
    ranges[i] = ParseParamRange(kParameterTable[i].default_text);
  }
  ranges[kRequestsParameter] = {100, 100, 300};
  ranges[kInitialHeadParameter] = {0, 500, 500};
  const std::string text = PlanRunsText(RunSettings{}, ranges, "e");
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(text.substr(at, end - at));
  }
  ASSERT_EQ(lines.size(), 6u);
  ASSERT_EQ(text.back(), '\n');
  // Parameter 0 changes slowest; the line of run r writes the rows of run r.
  const struct {
    std::size_t run;
    const char* requests;
    const char* head;
  } kExpected[] = {{1, "'-t:100'", "'-i:0'"},
                   {2, "'-t:100'", "'-i:500'"},
                   {5, "'-t:300'", "'-i:0'"},
                   {6, "'-t:300'", "'-i:500'"}};
  for (const auto& e : kExpected) {
    const std::string& line = lines[e.run - 1];
    EXPECT_NE(line.find(e.requests), std::string::npos) << line;
    EXPECT_NE(line.find(e.head), std::string::npos) << line;
    EXPECT_NE(line.find("rows/" + std::to_string(e.run) + ".seek.csv"), std::string::npos);
  }
}

TEST(PlanRowPathsTest, InTheRowsFolderInTheReadersOrder) {
  EXPECT_EQ(PlanRowPaths(12),
            (RunRowPaths{"rows/12.seek.csv", "rows/12.wait.csv", "rows/12.maxwait.csv"}));
}

TEST(FormatRunListTest, RunsOfThreeOrMoreBecomeRanges) {
  const struct {
    std::vector<std::int64_t> runs;
    std::string list;
  } kCases[] = {
      {{}, ""},
      {{5}, "5"},
      {{3, 4}, "3,4"},
      {{3, 7, 10, 11, 12}, "3,7,10-12"},
      {{1, 2, 3, 5, 6, 8}, "1-3,5,6,8"},
      {{999999, 1000000}, "999999,1000000"},
  };
  for (const auto& c : kCases) EXPECT_EQ(FormatRunList(c.runs), c.list) << c.list;
}

TEST(SlurmScriptTest, OneArrayUpToTheDefaultLimitThenPieces) {
  const std::string small = SlurmScript(20);
  EXPECT_NE(small.find("#SBATCH --array=1-20\n"), std::string::npos);
  EXPECT_NE(small.find("runs=20\n"), std::string::npos);
  EXPECT_NE(small.find("exec sh ./run-one.sh \"$run\""), std::string::npos);
  EXPECT_EQ(small.find("@PIECES@"), std::string::npos);
  const std::string big = SlurmScript(2500);
  EXPECT_NE(big.find("#SBATCH --array=1-1000\n"), std::string::npos);
  EXPECT_NE(big.find("for offset in $(seq 0 1000 2000); do"), std::string::npos) << big;
  EXPECT_NE(SlurmScript(2000).find("$(seq 0 1000 1000)"), std::string::npos);
  EXPECT_NE(SlurmScript(1000).find("#SBATCH --array=1-1000\n"), std::string::npos);
}

TEST(RunOneScriptTest, KnowsThePlansRunCount) {
  const std::string script = RunOneScript(42);
  EXPECT_EQ(script.rfind("#!/bin/sh\n", 0), 0u);
  EXPECT_NE(script.find("\nruns=42\n"), std::string::npos);
  EXPECT_EQ(script.find("@RUNS@"), std::string::npos);
}

}  // namespace
}  // namespace trakvist
