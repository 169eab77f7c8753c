#include "frontend/model/shell/main_state.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "frontend/model/chart/chart_update.h"
#include "frontend/model/common/number_text.h"
#include "frontend/model/panel/panel_texts.h"
#include "frontend/model/runs/sweep.h"
#include "frontend/model/shell/main_actions.h"
#include "tests/frontend/model/results/results_test_support.h"

namespace trakvist {
namespace {

constexpr char kFolder[] = "/opt/trakvist/";

// Files kept in memory, with a stamp that changes on every write.
class MemoryFiles : public FileAccess {
 public:
  FileRead ReadFile(const std::string& path) const override {
    const auto found = files.find(path);
    if (found == files.end()) return {FileReadStatus::kMissing, ""};
    return {FileReadStatus::kRead, found->second};
  }
  std::optional<FileStamp> LastModified(const std::string& path) const override {
    if (files.count(path) == 0) return std::nullopt;
    return FileStamp(FileStamp::duration(writes));
  }
  bool ReplaceFile(const std::string& path, std::string_view content) override {
    files[path] = std::string(content);
    ++writes;
    return true;
  }

  std::map<std::string, std::string> files;
  int writes = 1;
};

std::string ShippedCatalogue() {
  std::ifstream in(std::string(TRAKVIST_DATA_DIR) + "/Disks.ini", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<FolderEntry> ProgramFolder() {
  return {{"Disks.ini", true, false},
          {"Trakvist", true, true},
          {"schedule", true, true},
          {"schedule-debug", true, true}};
}

MainState StartWith(MemoryFiles* files, std::vector<FolderEntry> entries = ProgramFolder()) {
  StartContext context;
  context.app_folder = "/opt/trakvist";
  context.folder_entries = std::move(entries);
  context.files = files;
  return StartMainState(context);
}

TEST(StartMainStateTest, ChoosesTheShippedDefaultDiskWhichGivesThePanelDefaults) {
  MemoryFiles files;
  files.files[std::string(kFolder) + "Disks.ini"] = ShippedCatalogue();
  const MainState state = StartWith(&files);

  EXPECT_EQ(state.AppFolder, kFolder);
  EXPECT_EQ(state.panel.disk_list_text, "Default");
  const ParametersPanel defaults = StartParametersPanel();
  for (int k = 0; k < kParameterCount; ++k) {
    if (k == 12) continue;  // the same number, written as the disk gives it
    EXPECT_EQ(state.panel.cparam[k].text, defaults.cparam[k].text) << "field " << k;
  }
  EXPECT_EQ(LeadingNumber(state.panel.cparam[12].text), 0.00001);
  EXPECT_EQ(state.disks.current.name, "Default");
  EXPECT_FALSE(state.panel.disk_type_applying);
  EXPECT_FALSE(state.panel.manual_req_changed);
  EXPECT_EQ(state.manual.manual_max_cylinder, -1);
  EXPECT_TRUE(state.charts.selection.ChartUpdateSuspended);
  EXPECT_FALSE(state.panel.publish_enabled);
  EXPECT_TRUE(state.ImSaved);
  EXPECT_EQ(state.file.window_title, "Trakvist");
}

TEST(StartMainStateTest, ListsTheEnginesBesideTheProgramAndSelectsTheFirst) {
  MemoryFiles files;
  const MainState state = StartWith(&files);
  EXPECT_EQ(state.simulators.names, (std::vector<std::string>{"schedule", "schedule-debug"}));
  EXPECT_EQ(SelectedSimulator(state), "schedule");
  EXPECT_EQ(StartBlockedReason(state), "");

  const MainState empty = StartWith(&files, {{"Disks.ini", true, false}});
  EXPECT_EQ(SelectedSimulator(empty), "");
  EXPECT_NE(StartBlockedReason(empty), "");
}

// Start is available only with a simulator, a temporary folder and no run;
// the tooltip names what stands in the way, the missing folder first.
TEST(StartMainStateTest, StartNeedsASimulatorAndATemporaryFolder) {
  MemoryFiles files;
  MainState state = StartWith(&files);
  state.TemporaryFolder = "/tmp/.trakvist-abc/";
  EXPECT_TRUE(StartAvailable(state));
  EXPECT_EQ(BeginSweep(&state, 7, &files, {}).temporary_folder, "/tmp/.trakvist-abc/");
  EXPECT_FALSE(StartAvailable(state)) << "a sweep runs";
  Enable_StartControls(&state.panel, true);

  MainState no_simulator = StartWith(&files, {{"Disks.ini", true, false}});
  EXPECT_FALSE(StartAvailable(no_simulator));
  EXPECT_TRUE(MayClose(no_simulator)) << "only a run keeps the window open";

  state.temporary_folder_error = "No folder can be made in /opt/trakvist/.";
  EXPECT_FALSE(StartAvailable(state));
  EXPECT_EQ(StartBlockedReason(state).rfind(state.temporary_folder_error, 0), 0u);
  no_simulator.temporary_folder_error = state.temporary_folder_error;
  EXPECT_EQ(StartBlockedReason(no_simulator), StartBlockedReason(state));
}

TEST(StartMainStateTest, WithoutACatalogueTheCurrentDiskHasBuiltInFigures) {
  MemoryFiles files;
  const MainState state = StartWith(&files);
  EXPECT_EQ(state.disks.catalogue.entries, (std::vector<std::string>{"Custom ..."}));
  EXPECT_EQ(state.disks.current, BuiltInCurrentDisk());
  EXPECT_EQ(state.panel.disk_list_text, "Custom ...");
  EXPECT_EQ(state.panel.cparam[10].text, "1000");  // the fields keep their defaults
  EXPECT_EQ(state.disks.current.rotational_speed, 0);  // no figures beyond the eight
  EXPECT_EQ(state.disks.current.settle_time, 0);

  // OK with "Apply" then keeps the block time and gives a settle time of 0.
  MainState applied = state;
  Custom_Click(&applied.disks, &applied.panel, files);
  DiskPropOK_Click(&applied.disks, &applied.panel, files);
  EXPECT_EQ(applied.panel.cparam[8].text, state.panel.cparam[8].text);
  EXPECT_EQ(applied.panel.cparam[14].text, "0");
}

// A completed sweep of field 0 = 100,100,300 with numbered results.
SweepEnd CompletedSweep(const MainState& state) {
  SweepEnd end;
  end.kind = SweepEndKind::kCompleted;
  std::array<std::string, kParameterCount> texts;
  for (int k = 0; k < kParameterCount; ++k) texts[k] = state.panel.cparam[k].text;
  texts[0] = "100,100,300";
  end.result_ranges = FillSweepRanges(texts, RequestSource::kDistribution, false);
  end.results = NumberedResults(3);
  return end;
}

TEST(FinishSweepTest, ACompletedSweepIsStoredAndShownAndAStoppedOneChangesNothing) {
  MemoryFiles files;
  MainState state = StartWith(&files);
  BeginSweep(&state, 7, &files, {});
  EXPECT_FALSE(MayClose(state));

  SweepEnd stopped;
  stopped.kind = SweepEndKind::kStopped;
  EXPECT_EQ(FinishSweep(&state, stopped), "");
  EXPECT_TRUE(MayClose(state));
  EXPECT_EQ(state.store.RunCount(), 0);
  EXPECT_TRUE(state.charts.selection.ChartUpdateSuspended);

  BeginSweep(&state, 7, &files, {});
  EXPECT_EQ(FinishSweep(&state, CompletedSweep(state)), "");
  EXPECT_EQ(state.store.RunCount(), 3);
  EXPECT_TRUE(state.panel.publish_enabled && state.panel.saves_enabled);
  EXPECT_FALSE(state.charts.selection.ChartUpdateSuspended);
  EXPECT_EQ(state.charts.lists.Cm[0].entries, (std::vector<std::string>{"100", "200", "300"}));
  // No X-axis variable: the eight included algorithms of run 1.
  EXPECT_EQ(state.charts.chart.category_labels.size(), 8u);
  EXPECT_EQ(state.charts.ResultsText.substr(0, 10), "SSTF\t102\r\n");
}

TEST(SimulationFileTest, SaveThenOpenRestoresThePageAndTheResults) {
  MemoryFiles files;
  files.files[std::string(kFolder) + "Disks.ini"] = ShippedCatalogue();
  MainState state = StartWith(&files);
  BeginSweep(&state, 7, &files, {});
  FinishSweep(&state, CompletedSweep(state));
  SetFieldText(&state.panel, 0, "100,100,300");

  const std::string path = "/home/u/three.txt";
  ASSERT_EQ(SaveSimulationAs(&state, files, [&] { return std::optional(path); }).status,
            SaveStatus::kSaved);
  const std::string saved = files.files[path];
  EXPECT_EQ(state.file.window_title, "Trakvist - three.txt");

  MainState reopened = StartWith(&files);
  const OpenedSimulation opened =
      OpenSimulation(&reopened, files, [&] { return std::optional(path); });
  EXPECT_TRUE(opened.opened);
  EXPECT_EQ(opened.messages, std::vector<std::string>{});
  EXPECT_EQ(reopened.panel.cparam[0].text, "100,100,300");
  EXPECT_EQ(reopened.store.RunCount(), 3);
  EXPECT_EQ(reopened.store.SeekResults(2, 3), 302);
  EXPECT_EQ(reopened.charts.ResultsText, state.charts.ResultsText);
  EXPECT_TRUE(reopened.panel.saves_enabled);

  ASSERT_EQ(SaveSimulation(&reopened, files, {}).status, SaveStatus::kSaved);
  EXPECT_EQ(files.files[path], saved);  // byte for byte
}

TEST(SimulationFileTest, ADamagedFileChangesNothing) {
  MemoryFiles files;
  MainState state = StartWith(&files);
  BeginSweep(&state, 7, &files, {});
  FinishSweep(&state, CompletedSweep(state));
  files.files["/d.txt"] = " 5 \r\n\r\n[Simulation Page]\r\n 15 \r\n";

  const OpenedSimulation opened =
      OpenSimulation(&state, files, [] { return std::optional<std::string>("/d.txt"); });
  EXPECT_FALSE(opened.opened);
  EXPECT_EQ(opened.messages,
            (std::vector<std::string>{"The file selected is not in the proper format."}));
  EXPECT_EQ(state.store.RunCount(), 3);
  EXPECT_EQ(state.file.window_title, "Trakvist");
}

}  // namespace
}  // namespace trakvist
