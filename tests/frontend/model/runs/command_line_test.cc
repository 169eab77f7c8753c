#include "frontend/model/runs/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "frontend/model/runs/run_progress.h"

namespace trakvist {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const EngineTarget kTarget{"/opt/trakvist/schedule", MakeTemporaryFiles("/opt/trakvist"),
                           "/opt/trakvist/man_tmp$$~1.txt", 7, 80};

struct OneRun {
  RunSettings settings;
  CombinationValues values;
};

// The first combination of the start-up panel.
OneRun DefaultRun() {
  const ParametersPanel panel = StartParametersPanel();
  std::array<std::string, kParameterCount> texts;
  for (int k = 0; k < kParameterCount; ++k) texts[k] = panel.cparam[k].text;
  const RunSettings settings = RunSettingsFromPanel(panel);
  return {settings, SweepCursor(FillSweepRanges(texts, settings.source, settings.rtimer)).Values()};
}

std::string LineOf(const OneRun& run) {
  return CommandLineText(kTarget.program, EngineArguments(run.settings, run.values, kTarget));
}

TEST(CommandLineTest, DefaultPanelGivesTheDocumentedLine) {
  const OneRun run = DefaultRun();
  EXPECT_EQ(PlanProgress(500, 1, false).chunk, kTarget.chunk);
  EXPECT_EQ(LineOf(run),
            "\"/opt/trakvist/schedule\" -t:500 -a:60 -n:0 \"-tu:1E-05\" -r:600 -wc:0 -f:1 -o:1000 "
            "-x:30 -b:2 -bpt:600 -e:1 -st:600 -m:1000 -i:0 -hd:4 -rw:3 -rb:n -rs:y "
            "\"-w:/opt/trakvist/wsim_tmp$$~1.csv\" \"-s:/opt/trakvist/ssim_tmp$$~1.csv\" "
            "\"-xw:/opt/trakvist/xwsim_tmp$$~1.csv\" -hw:7 -c:80 -id");
}

TEST(CommandLineTest, ArgumentListIsTheLineWithoutShellQuotes) {
  EngineTarget target = kTarget;
  target.program = "/opt/my sims/schedule";
  target.files = MakeTemporaryFiles("/opt/my sims");
  const OneRun run = DefaultRun();
  const std::vector<std::string> list =
      ArgumentList(target.program, EngineArguments(run.settings, run.values, target));
  ASSERT_EQ(list.size(), 26u);
  EXPECT_EQ(list[0], "/opt/my sims/schedule");
  EXPECT_EQ(list[4], "-tu:1E-05");
  EXPECT_EQ(list[20], "-w:/opt/my sims/wsim_tmp$$~1.csv");
  EXPECT_EQ(list[25], "-id");
}

TEST(CommandLineTest, SwitchesAddOrDropTheirFragments) {
  const struct {
    const char* name;
    std::function<void(OneRun*)> change;
    std::vector<std::string> present;
    std::vector<std::string> absent;
  } kCases[] = {
      {"generic",
       [](OneRun* r) {
         r->settings.dist_list = kGenericIndex;
         r->values[2] = 10;
         r->values[3] = 0.5;
       },
       {" -t:500 -n:10 \"-p:0.5\" -r:600 "},
       {"-a:", "-tu:"}},
      {"timer seed", [](OneRun* r) { r->settings.rtimer = true; }, {"\" -wc:0 "}, {" -r:"}},
      {"no progress", [](OneRun* r) { r->settings.disprog = true; }, {"-hw:7 -id"}, {" -c:"}},
      {"fcfs off, idle kept", [](OneRun* r) { r->settings.ofcfs = true; }, {"-c:80 -FCFS -id"}, {}},
      {"idle time simulated", [](OneRun* r) { r->settings.skip_idle = false; }, {}, {"-id"}},
      {"bo-path flags",
       [](OneRun* r) {
         r->settings.bopath_reset = true;
         r->settings.bopath_swap = false;
         r->settings.slook_reset = 0;
       },
       {" -rw:1 -rb:y -rs:n "},
       {}},
      {"requests file with a total of 0",
       [](OneRun* r) { r->values[0] = 0; },
       {" -t:0 ", "-c:80 \"-in:/opt/trakvist/man_tmp$$~1.txt\" -id"},
       {}},
      {"decimal values", [](OneRun* r) { r->values[10] = 2.25; }, {" -m:2.25 "}, {}},
      {"heads start down", [](OneRun* r) { r->settings.head_down = true; }, {" -id -u:0"}, {}},
      {"heads start up", [](OneRun*) {}, {}, {"-u:"}},
  };
  for (const auto& c : kCases) {
    OneRun run = DefaultRun();
    c.change(&run);
    const std::string line = LineOf(run);
    for (const std::string& text : c.present) EXPECT_THAT(line, HasSubstr(text)) << c.name;
    for (const std::string& text : c.absent) EXPECT_THAT(line, Not(HasSubstr(text))) << c.name;
  }
}

}  // namespace
}  // namespace trakvist
