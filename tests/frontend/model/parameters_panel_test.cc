#include "frontend/model/parameters_panel.h"

#include <gtest/gtest.h>

#include "frontend/model/distribution.h"

namespace trakvist {
namespace {

constexpr ColorRole kWindow = ColorRole::kWindow;
constexpr ColorRole kButtonFace = ColorRole::kButtonFace;

TEST(ParametersPanelTest, StartState) {
  const ParametersPanel panel = StartParametersPanel();
  EXPECT_EQ(panel.cparam[12].text, "0.00001");
  EXPECT_EQ(panel.cparam[3].label, "N/A");
  EXPECT_FALSE(panel.cparam[3].enabled);
  for (int i : {6, 7}) {
    EXPECT_FALSE(panel.cparam[i].spinner_enabled);
    EXPECT_FALSE(panel.cparam[i].label_enabled);
    EXPECT_EQ(panel.cparam[i].color, kButtonFace);
  }
  EXPECT_FALSE(panel.bopath_frame_enabled);
  EXPECT_FALSE(panel.bopath_swap_enabled);
  EXPECT_FALSE(panel.manual_enabled);
  EXPECT_FALSE(panel.saves_enabled);
  EXPECT_TRUE(panel.disk_list_text.empty());
}

struct TypingCase {
  int field;
  const char* typed;
  const char* kept;
  bool spinner_enabled;
};

class TypingTest : public testing::TestWithParam<TypingCase> {};

TEST_P(TypingTest, FieldKeepsWhatItAccepts) {
  const TypingCase& c = GetParam();
  ParametersPanel panel = StartParametersPanel();
  SetFieldText(&panel, c.field, c.typed);
  EXPECT_EQ(panel.cparam[c.field].text, c.kept);
  EXPECT_EQ(panel.cparam[c.field].spinner_enabled, c.spinner_enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypingTest,
    testing::Values(TypingCase{0, "1.5", "15", true}, TypingCase{12, "1.5", "1.5", true},
                    TypingCase{4, "-3", "-3", true}, TypingCase{6, "-3", "3", true},
                    TypingCase{12, "1E-5E", "1E-5", true},
                    TypingCase{0, "100,100,1000", "100,100,1000", false},
                    TypingCase{5, "-5,-1,-10", "-5,-1,-10", false},
                    TypingCase{2, "0.5", "0.5", true}, TypingCase{3, "-0.5e-2", "0.5e-2", true}));

TEST(ParametersPanelTest, DiskFieldsMarkTheDiskCustomUnlessADiskIsApplied) {
  for (int i = 0; i < kParameterCount; ++i) {
    ParametersPanel panel = StartParametersPanel();
    panel.disk_type_applying = true;
    SetFieldText(&panel, i, "7");
    EXPECT_EQ(panel.disk_list_text, "") << i;
    panel.disk_type_applying = false;
    SetFieldText(&panel, i, "8");
    const bool disk = i == 8 || i == 9 || i == 10 || i == 12 || i == 13 || i == 14 || i == 15;
    EXPECT_EQ(panel.disk_list_text, disk ? "Custom ..." : "") << i;
    EXPECT_EQ(panel.manual_req_changed, i == 13 || i == 15) << i;
  }
}

TEST(ParametersPanelTest, SwitchingToGenericEmptiesADecimalFieldTwo) {
  ParametersPanel panel = StartParametersPanel();
  SetFieldText(&panel, 2, "0.5");
  SelectDistribution(&panel, kGenericIndex);
  EXPECT_EQ(panel.cparam[2].text, "");
  EXPECT_TRUE(panel.cparam[3].label_enabled);
  EXPECT_EQ(panel.cparam[3].color, kWindow);
  EXPECT_EQ(panel.cparam[3].label, "Request Arival Probability %");
  EXPECT_NE(panel.cparam[3].tooltip, "");

  SetFieldText(&panel, 2, "60");
  SelectDistribution(&panel, kPoissonIndex);
  EXPECT_EQ(panel.cparam[2].text, "60");
  EXPECT_FALSE(panel.cparam[3].enabled);
  EXPECT_EQ(panel.cparam[3].tooltip, "");
}

// Expected enabled state of fields 0..3 (with spinners and labels), Rtimer,
// DistList, Manual with Import, and isLBA.
struct SourceCase {
  RequestSource source;
  bool manual_is_file_path;
  std::array<bool, 4> fields;
  bool rtimer;
  bool dist_list;
  bool manual;
  bool is_lba;
};

class RequestSourceTest : public testing::TestWithParam<SourceCase> {};

TEST_P(RequestSourceTest, EnablingFollowsTheSource) {
  const SourceCase& c = GetParam();
  ParametersPanel panel = StartParametersPanel();
  SelectDistribution(&panel, kGenericIndex);
  panel.manual_is_file_path = c.manual_is_file_path;
  // Come from another source so that every switch has something to undo.
  SelectRequestSource(&panel, c.source == RequestSource::kManual ? RequestSource::kDistribution
                                                                 : RequestSource::kManual);
  SelectRequestSource(&panel, c.source);
  EXPECT_EQ(panel.source, c.source);
  for (int i = 0; i < 4; ++i) {
    const ParameterField& field = panel.cparam[i];
    EXPECT_EQ(field.enabled && field.spinner_enabled && field.label_enabled, c.fields[i]) << i;
    EXPECT_EQ(field.enabled || field.spinner_enabled || field.label_enabled, c.fields[i]) << i;
    EXPECT_EQ(field.color, c.fields[i] ? kWindow : kButtonFace) << i;
  }
  EXPECT_EQ(panel.rtimer_enabled, c.rtimer);
  EXPECT_EQ(panel.dist_list_enabled, c.dist_list);
  EXPECT_EQ(panel.dist_list_color, c.dist_list ? kWindow : kButtonFace);
  EXPECT_EQ(panel.manual_enabled && panel.import_enabled, c.manual);
  EXPECT_EQ(panel.manual_color, c.manual ? kWindow : kButtonFace);
  EXPECT_EQ(panel.is_lba_enabled, c.is_lba);
}

constexpr RequestSource kDist = RequestSource::kDistribution;
constexpr RequestSource kZero = RequestSource::kAllAtTimeZero;
constexpr RequestSource kManual = RequestSource::kManual;

INSTANTIATE_TEST_SUITE_P(
    Cases, RequestSourceTest,
    testing::Values(
        SourceCase{kDist, false, {true, true, true, true}, true, true, false, false},
        SourceCase{kZero, false, {true, true, false, false}, true, false, false, false},
        SourceCase{kManual, false, {false, false, false, false}, false, false, true, true},
        SourceCase{kManual, true, {false, false, false, false}, false, false, true, false}));

TEST(ParametersPanelTest, RandomizeByTimerDisablesTheSeedUnderEverySource) {
  ParametersPanel panel = StartParametersPanel();
  SetRtimer(&panel, true);
  EXPECT_FALSE(panel.cparam[1].label_enabled);
  EXPECT_EQ(panel.cparam[1].color, kButtonFace);
  Option2_Click(&panel);
  EXPECT_FALSE(panel.cparam[1].enabled);
  SetRtimer(&panel, false);
  EXPECT_TRUE(panel.cparam[1].spinner_enabled);
}

TEST(ParametersPanelTest, StartControlsKeepSavingTiedToPublish) {
  for (bool publish : {false, true}) {
    ParametersPanel panel = StartParametersPanel();
    panel.publish_enabled = publish;
    Enable_StartControls(&panel, false);
    EXPECT_FALSE(panel.startb_enabled);
    EXPECT_FALSE(panel.saves_enabled);
    EXPECT_TRUE(panel.stopb_enabled);
    EXPECT_FALSE(FrameEnabledFor(panel, 14));
    Enable_StartControls(&panel, true);
    EXPECT_TRUE(FrameEnabledFor(panel, 14));
    EXPECT_EQ(panel.saves_enabled, publish);
    EXPECT_EQ(panel.saveas_enabled, publish);
    EXPECT_FALSE(panel.bopath_frame_enabled);
  }
}

TEST(ParametersPanelTest, SpinnerPressRunsTheChangeRulesAndBadIndicesAreIgnored) {
  ParametersPanel panel = StartParametersPanel();
  UpDown_Click(&panel, 10, SpinDirection::kUp);
  EXPECT_EQ(panel.cparam[10].text, "1001");
  EXPECT_EQ(panel.disk_list_text, "Custom ...");
  UpDown_Click(&panel, 6, SpinDirection::kUp);  // disabled
  EXPECT_EQ(panel.cparam[6].text, "1000");
  SetFieldText(&panel, 16, "1");
  SetCparamEnabled(&panel, -1, false);
  UpDown_Click(&panel, 99, SpinDirection::kDown);
  SelectDistribution(&panel, 7);
  EXPECT_EQ(panel.cparam[2].text, "60");
}

}  // namespace
}  // namespace trakvist
