#include "frontend/model/panel/parameters_panel.h"

#include <gtest/gtest.h>

#include <array>

#include "frontend/model/panel/distribution.h"

namespace trakvist {
namespace {

constexpr RequestSource kDist = RequestSource::kDistribution;
constexpr RequestSource kZero = RequestSource::kAllAtTimeZero;
constexpr RequestSource kManual = RequestSource::kManual;

// 1 when a field, its spinner and its label are all on with the window
// colour, 0 when all are off with the button-face colour, -1 for a mixture.
int OnOff(const ParameterField& f) {
  const int on = f.enabled + f.spinner_enabled + f.label_enabled + (f.color == ColorRole::kWindow);
  return on == 4 ? 1 : (on == 0 ? 0 : -1);
}

// The field after typing `text` into field `index` of the start panel.
ParameterField Typed(int index, const char* text) {
  ParametersPanel panel = StartParametersPanel();
  SetFieldText(&panel, index, text);
  return panel.cparam[index];
}

// Field 0 is whole, 4 whole with minus, 12 decimal, and 2 decimal with the
// start choice "Poisson". Digits and commas always stay.
TEST(ParametersPanelTest, EachFieldFiltersTypedTextByItsOwnRule) {
  EXPECT_EQ(Typed(0, "1.5").text, "15");
  EXPECT_EQ(Typed(0, "-1e5").text, "15");
  EXPECT_EQ(Typed(12, "12a3 4").text, "1234");
  // A minus only at the start or after a comma, where the field allows it.
  EXPECT_EQ(Typed(4, "--3-").text, "-3");
  EXPECT_EQ(Typed(4, "5,1-,-10").text, "5,1,-10");
  // An exponent's sign needs no permission for minus signs.
  EXPECT_EQ(Typed(12, "-1E-5-").text, "1E-5");
  EXPECT_EQ(Typed(2, "-0.5e-1").text, "0.5e-1");
  // One point and one exponent letter per number of a range.
  EXPECT_EQ(Typed(12, "2.5,1e-1,5.5").text, "2.5,1e-1,5.5");
  EXPECT_EQ(Typed(12, "1.5e1.E2,2.5e1E2").text, "1.5e12,2.5e12");
  // A range cannot be stepped, so its spinner goes off.
  EXPECT_TRUE(Typed(4, "-5").spinner_enabled);
  EXPECT_FALSE(Typed(4, "-5,-1,-10").spinner_enabled);
}

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
  EXPECT_EQ(OnOff(panel.cparam[3]), 0);  // "Poisson" has no second parameter
  SetFieldText(&panel, 2, "0.5");
  SelectDistribution(&panel, kGenericIndex);
  EXPECT_EQ(panel.cparam[2].text, "");
  EXPECT_EQ(OnOff(panel.cparam[3]), 1);
  EXPECT_EQ(panel.cparam[3].label, "Request Arival Probability %");
  EXPECT_NE(panel.cparam[3].tooltip, "");
  SetFieldText(&panel, 2, "60");
  SelectDistribution(&panel, kPoissonIndex);
  EXPECT_EQ(panel.cparam[2].text, "60");
  EXPECT_EQ(OnOff(panel.cparam[3]), 0);
  EXPECT_EQ(panel.cparam[3].tooltip, "");
  // The engine takes field 2 as a different option under each distribution.
  EXPECT_EQ(EngineOption(2, kPoissonIndex), "-a:");
  EXPECT_EQ(EngineOption(2, kGenericIndex), "-n:");
}

TEST(ParametersPanelTest, EnablingFollowsTheRequestSource) {
  const struct {
    RequestSource source;
    bool timer, manual_is_file_path;
    std::array<int, 4> fields;  // OnOff of fields 0..3
    bool rtimer, dist_list, manual, is_lba;
  } kCases[] = {{kDist, false, false, {1, 1, 1, 1}, true, true, false, false},
                {kZero, true, false, {1, 0, 0, 0}, true, false, false, false},
                {kManual, false, false, {0, 0, 0, 0}, false, false, true, true},
                {kManual, false, true, {0, 0, 0, 0}, false, false, true, false}};
  for (const auto& c : kCases) {
    ParametersPanel panel = StartParametersPanel();
    SelectDistribution(&panel, kGenericIndex);
    SetRtimer(&panel, c.timer);  // "Randomize By Timer" turns the seed off
    panel.manual_is_file_path = c.manual_is_file_path;
    // Come from another source so that every switch has something to undo.
    SelectRequestSource(&panel, c.source == kManual ? kDist : kManual);
    SelectRequestSource(&panel, c.source);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(OnOff(panel.cparam[i]), c.fields[i]) << i;
    for (int i : {6, 7}) EXPECT_EQ(OnOff(panel.cparam[i]), 0) << i;  // BO-PATH, off for good
    EXPECT_EQ(panel.rtimer_enabled, c.rtimer);
    EXPECT_EQ(panel.dist_list_enabled, c.dist_list);
    EXPECT_EQ(panel.dist_list_color, BackgroundFor(c.dist_list));
    EXPECT_EQ(panel.manual_enabled && panel.import_enabled, c.manual);
    EXPECT_EQ(panel.manual_enabled || panel.import_enabled, c.manual);
    EXPECT_EQ(panel.manual_color, BackgroundFor(c.manual));
    EXPECT_EQ(panel.is_lba_enabled, c.is_lba);
  }
}

TEST(ParametersPanelTest, StartControlsKeepSavingTiedToPublish) {
  for (bool publish : {false, true}) {
    ParametersPanel panel = StartParametersPanel();
    panel.publish_enabled = publish;
    Enable_StartControls(&panel, false);
    EXPECT_FALSE(panel.startb_enabled || panel.saves_enabled || FrameEnabledFor(panel, 14));
    Enable_StartControls(&panel, true);
    EXPECT_TRUE(panel.startb_enabled && FrameEnabledFor(panel, 14) && !panel.bopath_frame_enabled);
    EXPECT_EQ(panel.saves_enabled && panel.saveas_enabled, publish);
    EXPECT_EQ(panel.saves_enabled || panel.saveas_enabled, publish);
  }
}

TEST(SpinnerStepTest, StepsWholeValuesWithinTheRange) {
  constexpr SpinDirection kUp = SpinDirection::kUp;
  constexpr SpinDirection kDown = SpinDirection::kDown;
  const struct {
    int field;
    const char* text;
    SpinDirection direction;
    const char* stepped;
  } kCases[] = {{0, "abc", kUp, "1"},       {0, "0", kDown, "0"},
                {3, "100", kUp, "100"},     {12, "1.5", kDown, "1"},
                {0, "1,2,3", kUp, "1,2,3"}, {12, "1e999", kDown, "2147483647"}};
  for (const auto& c : kCases) {
    EXPECT_EQ(SpinnerStep(c.field, c.text, c.direction), c.stepped) << c.field << " " << c.text;
  }
  // A press steps the field through its change rules, unless it is off.
  ParametersPanel panel = StartParametersPanel();
  UpDown_Click(&panel, 10, kUp);
  EXPECT_EQ(panel.cparam[10].text, "1001");
  EXPECT_EQ(panel.disk_list_text, "Custom ...");
  UpDown_Click(&panel, 6, kUp);
  EXPECT_EQ(panel.cparam[6].text, "1000");
  // A press at a bound leaves the text as it is, so nothing counts as changed.
  panel = StartParametersPanel();
  SetFieldText(&panel, 15, "0");
  panel.disk_list_text = "Disk A";
  panel.manual_req_changed = false;
  UpDown_Click(&panel, 15, kDown);
  EXPECT_EQ(panel.disk_list_text, "Disk A");
  EXPECT_FALSE(panel.manual_req_changed);
}

}  // namespace
}  // namespace trakvist
