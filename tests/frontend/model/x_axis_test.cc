#include "frontend/model/x_axis.h"

#include <gtest/gtest.h>

#include <vector>

namespace trakvist {
namespace {

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

  void Choose(int index) { COption_Click(&state_, index, link_); }
  void Formula(int position) { SetFormula(&state_, position, link_); }

  bool suspended_ = false;
  std::vector<bool> redraws_;
  std::vector<bool> type_changes_;
  ChartLink link_;
  XAxisState state_;
};

TEST_F(XAxisTest, StartState) {
  EXPECT_EQ(state_.x_axis_parameter, kNoXAxisVariable);
  EXPECT_TRUE(state_.coption_checked[16]);
  EXPECT_FALSE(state_.formula_enabled);
  EXPECT_EQ(state_.formula_color, ColorRole::kButtonFace);
  EXPECT_FALSE(state_.showx_enabled);
  EXPECT_EQ(state_.chart_type, ChartType::kBars);
  for (int i = 0; i < kParameterCount; ++i) {
    const bool bopath = i == 6 || i == 7;
    EXPECT_EQ(state_.coption_enabled[i], !bopath) << i;
    EXPECT_EQ(state_.cm_enabled[i], !bopath) << i;
    EXPECT_EQ(state_.cm_color[i], bopath ? ColorRole::kButtonFace : ColorRole::kWindow) << i;
    EXPECT_EQ(state_.pcheck_enabled[i], !bopath) << i;
  }
}

TEST_F(XAxisTest, ChoosingMovesTheCheckAndTitleBoxes) {
  Choose(3);
  EXPECT_EQ(state_.x_axis_parameter, 3);
  EXPECT_TRUE(state_.coption_checked[3]);
  EXPECT_FALSE(state_.coption_checked[16]);
  EXPECT_FALSE(state_.pcheck_enabled[3]);
  EXPECT_TRUE(state_.formula_enabled);
  EXPECT_EQ(state_.formula_color, ColorRole::kWindow);
  EXPECT_TRUE(state_.showx_enabled);
  Choose(5);
  EXPECT_TRUE(state_.pcheck_enabled[3]);
  EXPECT_FALSE(state_.pcheck_enabled[5]);
  EXPECT_FALSE(state_.coption_checked[3]);
  Choose(16);
  EXPECT_TRUE(state_.pcheck_enabled[5]);
  EXPECT_FALSE(state_.showx_enabled);
  EXPECT_EQ(redraws_.size(), 3u);
  Choose(17);
  Choose(-1);
  EXPECT_EQ(state_.x_axis_parameter, 16);
  EXPECT_EQ(redraws_.size(), 3u);
}

TEST_F(XAxisTest, EachModeRemembersItsChartType) {
  state_.chart_type = ChartType::kLines;  // user picks Lines with no variable
  Choose(3);
  EXPECT_EQ(state_.chart_type, ChartType::kBars);  // the parameter mode's default
  Choose(16);
  EXPECT_EQ(state_.chart_type, ChartType::kLines);
  state_.chart_type = ChartType::kBars;
  Choose(2);
  state_.chart_type = ChartType::kLines;  // user picks Lines with a parameter
  Choose(16);
  EXPECT_EQ(state_.chart_type, ChartType::kBars);
  Choose(2);
  EXPECT_EQ(state_.chart_type, ChartType::kLines);
}

TEST_F(XAxisTest, FormulaForcesBarsAndNoneRestores) {
  Choose(3);
  state_.chart_type = ChartType::kLines;
  Formula(1);
  EXPECT_EQ(state_.chart_type, ChartType::kBars);
  Formula(3);  // a second formula must not overwrite the remembered Lines
  Choose(16);  // with a formula in force the chart stays Bars on any move
  EXPECT_EQ(state_.chart_type, ChartType::kBars);
  Choose(5);
  EXPECT_EQ(state_.chart_type, ChartType::kBars);
  Formula(0);
  EXPECT_EQ(state_.chart_type, ChartType::kLines);
  EXPECT_FALSE(state_.formula_mode);
}

TEST_F(XAxisTest, NoneOutsideFormulaModeKeepsTheUsersChoice) {
  Choose(3);
  state_.chart_type = ChartType::kLines;
  Formula(0);
  EXPECT_EQ(state_.chart_type, ChartType::kLines);
  EXPECT_EQ(redraws_.size(), 2u);
}

TEST_F(XAxisTest, RedrawsAreHeldOnlyWhileTheStyleChanges) {
  Choose(3);
  Formula(2);
  ASSERT_EQ(type_changes_.size(), 0u);  // Bars already
  Formula(0);
  state_.chart_type = ChartType::kLines;
  Formula(2);
  Formula(0);
  ASSERT_EQ(type_changes_.size(), 2u);
  EXPECT_TRUE(type_changes_[0] && type_changes_[1]);
  for (bool held : redraws_) EXPECT_FALSE(held);
  // An outer hold survives the handlers.
  suspended_ = true;
  Choose(16);
  PCheck_Click(link_);
  EXPECT_TRUE(suspended_);
  EXPECT_TRUE(redraws_.back());
  Formula(9);
  EXPECT_EQ(state_.formula, 0);
}

}  // namespace
}  // namespace trakvist
