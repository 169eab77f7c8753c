#include "frontend/model/files/sim_file_apply.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/model/panel/panel_texts.h"
#include "tests/frontend/model/files/sim_file_fixtures.h"

namespace trakvist {
namespace {

SimFileContent Content(const std::string& bytes,
                       const SimFileReadContext& context = TestContext()) {
  SimFileRead read = ReadSimFile(bytes, context);
  EXPECT_TRUE(read.content) << read.failure;
  return read.content ? std::move(*read.content) : SimFileContent{};
}

// Hooks that record each call as "hook:value"; choosing a disk type writes
// its figures into the disk-derived fields as the disk list would.
struct Recorder {
  std::vector<std::string> calls;
  ParametersPanel* panel = nullptr;

  PageHooks Hooks() {
    PageHooks hooks;
    hooks.set_manual_text = [this](std::string_view text) {
      calls.push_back("manual:" + std::string(text));
    };
    hooks.choose_disk_type = [this](std::string_view name) {
      calls.push_back("disk:" + std::string(name));
      panel->disk_type_applying = true;
      SetFieldText(panel, 10, "2000");
      SetFieldText(panel, 13, "63");
      panel->disk_type_applying = false;
      panel->disk_list_text = std::string(name);
    };
    hooks.choose_simulator = [this](std::string_view name) {
      calls.push_back("simulator:" + std::string(name));
    };
    return hooks;
  }
};

TEST(ApplySavedPageTest, AppliesThePageInFileOrderThroughThePanelRules) {
  ParametersPanel panel = StartParametersPanel();
  Recorder recorder{{}, &panel};
  ApplySavedPage(Content(DataFile("three_runs.txt")), &panel, recorder.Hooks());
  EXPECT_EQ(recorder.calls, (std::vector<std::string>{"manual:10 20 30", "disk:IBM Deskstar 75GXP",
                                                      "simulator:schedule"}));
  EXPECT_EQ(panel.source, RequestSource::kDistribution);
  EXPECT_EQ(panel.slook_reset, 1);
  EXPECT_TRUE(panel.ofcfs);
  EXPECT_TRUE(panel.bopath_swap);
  EXPECT_EQ(panel.dist_list, 1);
  EXPECT_TRUE(panel.cparam[3].enabled);  // "Generic" uses the probability
  EXPECT_EQ(panel.cparam[3].label, "Request Arival Probability %");
  // The saved texts prevail over the disk type's figures.
  EXPECT_EQ(panel.cparam[0].text, "100,100,300");
  EXPECT_FALSE(panel.cparam[0].spinner_enabled);
  EXPECT_EQ(panel.cparam[10].text, "1000");
  EXPECT_EQ(panel.cparam[13].text, "600");
  EXPECT_EQ(panel.disk_list_text, kCustomDiskType);
}

TEST(ApplySavedPageTest, AnUnknownDiskOrSimulatorIsNotChosenButTheTextsStillApply) {
  std::string bytes = DataFile("three_runs.txt");
  bytes.replace(bytes.find("IBM Deskstar 75GXP"), 18, "Quantum Bigfoot");
  bytes.replace(bytes.find("\r\nschedule\r\n"), 12, "\r\nold_engine\r\n");
  ParametersPanel panel = StartParametersPanel();
  panel.disk_list_text = "Default";
  Recorder recorder{{}, &panel};
  ApplySavedPage(Content(bytes), &panel, recorder.Hooks());
  EXPECT_EQ(recorder.calls, std::vector<std::string>{"manual:10 20 30"});
  EXPECT_EQ(panel.cparam[0].text, "100,100,300");
  EXPECT_EQ(panel.disk_list_text, "Default");  // the saved texts match the defaults
}

TEST(ApplySavedPageTest, TheRequestSourceDecidesTheEnablingAfterTheDistribution) {
  // Version 4 file: all requests at time zero, then the distribution list.
  ParametersPanel panel = StartParametersPanel();
  panel.is_lba = true;
  Recorder recorder{{}, &panel};
  ApplySavedPage(Content(DataFile("version4.txt")), &panel, recorder.Hooks());
  EXPECT_EQ(panel.source, RequestSource::kAllAtTimeZero);
  EXPECT_FALSE(panel.cparam[2].enabled);
  EXPECT_FALSE(panel.cparam[3].enabled);
  EXPECT_FALSE(panel.dist_list_enabled);
  EXPECT_TRUE(panel.rtimer);
  EXPECT_FALSE(panel.cparam[1].enabled);  // the seed rule
  EXPECT_EQ(panel.slook_reset, 0);
  EXPECT_TRUE(panel.bopath_reset);
  EXPECT_TRUE(panel.disprog);
  EXPECT_FALSE(panel.skip_idle);
  EXPECT_FALSE(panel.is_lba);  // older files clear it
  EXPECT_TRUE(panel.manual_req_changed);
  EXPECT_EQ(panel.cparam[15].text, "4");  // not in the file
}

TEST(ApplySavedPageTest, OlderFilesSetSettleTimeToZeroEvenWithoutImport) {
  SimFileReadContext context = TestContext();
  context.import_page = false;
  ParametersPanel panel = StartParametersPanel();
  const ParametersPanel before = panel;
  Recorder recorder{{}, &panel};
  ApplySavedPage(Content(DataFile("version2.txt"), context), &panel, recorder.Hooks());
  EXPECT_TRUE(recorder.calls.empty());
  EXPECT_EQ(panel.cparam[14].text, "0");
  EXPECT_EQ(panel.cparam[0].text, before.cparam[0].text);
  EXPECT_EQ(panel.source, before.source);
}

TEST(ApplySavedPageTest, SavedTextsGoThroughTheFieldFilter) {
  SimFileContent content;
  content.parameter_texts[0] = "1.5";
  content.parameter_texts[12] = "1E-05";
  ParametersPanel panel = StartParametersPanel();
  ApplySavedPage(content, &panel, PageHooks{});
  EXPECT_EQ(panel.cparam[0].text, "15");
  EXPECT_EQ(panel.cparam[12].text, "1E-05");
}

TEST(ApplySimFileTest, ReplacesTheStoreAndEnablesSaving) {
  ParametersPanel panel = StartParametersPanel();
  ResultsStore store;
  Recorder recorder{{}, &panel};
  ApplySimFile(Content(DataFile("three_runs.txt")), &panel, &store, recorder.Hooks());
  EXPECT_EQ(store.RunCount(), 3);
  EXPECT_EQ(store.SeekResults(2, 3), 3002);
  EXPECT_EQ(store.ResultRanges()[0].To, 300);
  EXPECT_EQ(store.ResultDistribution(), 1);
  EXPECT_TRUE(panel.publish_enabled);
  EXPECT_TRUE(panel.saves_enabled);
  EXPECT_TRUE(panel.saveas_enabled);
}

TEST(ApplySimFileTest, OlderFilesTakeTheirMissingRangesFromTheAppliedFields) {
  // A version 1 file saving blocks per track as 1.5, which the field's
  // filter turns into 15.
  const std::string version1 = Edit(Edit(DataFile("version2.txt"), " 2 ", " 1 "),
                                    "0.00001\r\n600\r\n", "0.00001\r\n1.5\r\n");
  const struct {
    const char* name;
    std::string bytes;
    bool import_page;
    int field;
    double range;  // the stored range's single value
  } cases[] = {
      // The file's disk type has other heads than the field held.
      {"version 4, disk applied", DataFile("version4.txt"), true, 15, 16},
      {"version 4, page not imported", DataFile("version4.txt"), false, 15, 8},
      {"version 1, saved text filtered", version1, true, 13, 15},
      {"version 1, page not imported", version1, false, 13, 32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ParametersPanel panel = StartParametersPanel();
    SetFieldText(&panel, 13, "32");
    SetFieldText(&panel, 15, "8");
    SimFileReadContext context = TestContext();
    context.import_page = c.import_page;
    PageHooks hooks;
    hooks.choose_disk_type = [&panel](std::string_view) {
      panel.disk_type_applying = true;
      SetFieldText(&panel, 15, "16");
      panel.disk_type_applying = false;
    };
    ResultsStore store;
    ApplySimFile(Content(c.bytes, context), &panel, &store, hooks);
    const ParamRange range = store.ResultRanges()[c.field];
    EXPECT_EQ(range.From, c.range);
    EXPECT_EQ(range.Step, 1);
    EXPECT_EQ(range.To, c.range);
  }
}

TEST(SimFileReadContextOfTest, TakesTheListsAndStoredRanges) {
  ResultsStore store = ThreeRunStore();
  const SimFileReadContext context = SimFileReadContextOf(
      false, {"Default", "Custom ..."}, SimulatorList{{"schedule", "schedule_fast"}, 1}, store);
  EXPECT_FALSE(context.import_page);
  EXPECT_EQ(context.disk_types, (std::vector<std::string>{"Default", "Custom ..."}));
  EXPECT_EQ(context.simulators, (std::vector<std::string>{"schedule", "schedule_fast"}));
  EXPECT_EQ(context.current_simulator, "schedule_fast");
  EXPECT_EQ(context.current_ranges[0].To, 300);
  // An empty simulator list has no current entry.
  EXPECT_EQ(SimFileReadContextOf(true, {}, SimulatorList{}, store).current_simulator, "");
}

}  // namespace
}  // namespace trakvist
