#include "frontend/model/chart/x_axis.h"

#include <gtest/gtest.h>

#include <vector>

namespace trakvist {
namespace {

constexpr ChartType kBars = ChartType::kBars;
constexpr ChartType kLines = ChartType::kLines;

// Records the redraws and chart type changes, with the hold flag each saw.
class XAxisTest : public testing::Test {
 protected:
  XAxisTest() {
    link_.update_suspended = &suspended_;
    link_.update_chart = [this] { redraws_.push_back(suspended_); };
    link_.chart_type_changed = [this] { type_changes_.push_back(suspended_); };
    state_ = StartXAxisState(link_);
    redraws_.clear();
  }

  // Each returns the chart type afterwards.
  ChartType Choose(int index) {
    COption_Click(&state_, index, link_);
    return state_.chart_type;
  }
  ChartType Formula(int position) {
    SetFormula(&state_, position, link_);
    return state_.chart_type;
  }

  bool suspended_ = false;
  std::vector<bool> redraws_;
  std::vector<bool> type_changes_;
  ChartLink link_;
  XAxisState state_;
};

TEST_F(XAxisTest, ChoosingMovesTheCheckAndTitleBoxes) {
  // At the start no variable is chosen and the BO-PATH choices are off.
  EXPECT_TRUE(state_.coption_checked[kNoXAxisVariable]);
  EXPECT_FALSE(state_.formula_enabled || state_.showx_enabled);
  for (int i = 0; i < kParameterCount; ++i) {
    const bool on = i != 6 && i != 7;
    EXPECT_EQ(state_.coption_enabled[i] && state_.cm_enabled[i] && state_.pcheck_enabled[i], on);
    EXPECT_EQ(state_.coption_enabled[i] || state_.cm_enabled[i] || state_.pcheck_enabled[i], on);
    EXPECT_EQ(state_.cm_color[i], on ? ColorRole::kWindow : ColorRole::kButtonFace) << i;
  }
  Choose(3);
  EXPECT_EQ(state_.x_axis_parameter, 3);
  EXPECT_TRUE(state_.coption_checked[3] && !state_.coption_checked[16]);
  EXPECT_FALSE(state_.pcheck_enabled[3]);
  EXPECT_TRUE(state_.formula_enabled && state_.showx_enabled);
  EXPECT_EQ(state_.formula_color, ColorRole::kWindow);
  Choose(5);
  EXPECT_TRUE(state_.pcheck_enabled[3] && !state_.coption_checked[3]);
  EXPECT_FALSE(state_.pcheck_enabled[5]);
  Choose(16);
  EXPECT_TRUE(state_.pcheck_enabled[5]);
  EXPECT_FALSE(state_.showx_enabled);
  Choose(17);  // no such choice
  Choose(-1);
  EXPECT_EQ(state_.x_axis_parameter, 16);
  EXPECT_EQ(redraws_.size(), 3u);
}

TEST_F(XAxisTest, EachModeRemembersItsChartType) {
  state_.chart_type = kLines;     // the user picks Lines with no variable
  EXPECT_EQ(Choose(3), kBars);    // the parameter mode's default
  EXPECT_EQ(Choose(16), kLines);  // back to the remembered Lines
  Choose(2);
  state_.chart_type = kLines;  // the user picks Lines with a parameter
  EXPECT_EQ(Choose(16), kLines);
  state_.chart_type = kBars;  // and Bars with no variable
  EXPECT_EQ(Choose(2), kLines);
  EXPECT_EQ(Choose(16), kBars);
  for (bool held : type_changes_) EXPECT_TRUE(held);  // redraws wait for each change
}

TEST_F(XAxisTest, FormulaForcesBarsAndNoneRestores) {
  Choose(3);
  state_.chart_type = kLines;
  EXPECT_EQ(Formula(0), kBars);  // None brings back the parameter mode's Bars
  state_.chart_type = kLines;
  EXPECT_EQ(Formula(1), kBars);
  Formula(3);                    // a second formula must not overwrite the remembered Lines
  EXPECT_EQ(Choose(16), kBars);  // with a formula in force the chart stays Bars on any move
  EXPECT_EQ(Choose(5), kBars);
  EXPECT_EQ(Formula(0), kLines);
  EXPECT_FALSE(state_.formula_mode);
  Formula(9);  // no such formula
  EXPECT_EQ(state_.formula, 0);
}

TEST_F(XAxisTest, RedrawsAreHeldOnlyWhileTheStyleChanges) {
  Choose(3);
  Formula(2);
  EXPECT_TRUE(type_changes_.empty());  // Bars already
  Formula(0);
  state_.chart_type = kLines;
  Formula(2);
  Formula(0);
  EXPECT_EQ(type_changes_, std::vector<bool>({true, true}));  // each while held
  for (bool held : redraws_) EXPECT_FALSE(held);
  // An outer hold survives the handlers.
  suspended_ = true;
  Choose(16);
  PCheck_Click(link_);
  EXPECT_TRUE(suspended_);
  EXPECT_TRUE(redraws_.back());
}

}  // namespace
}  // namespace trakvist
