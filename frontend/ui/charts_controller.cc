#include "frontend/ui/charts_controller.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

#include "frontend/model/chart/chart_update.h"
#include "frontend/ui/panel_view.h"
#include "frontend/ui/qt_text.h"

namespace trakvist {
namespace {

constexpr int kFcfsRow = 0;

}  // namespace

ChartsController::ChartsController(MainState* state, const ChartsControls& controls,
                                   QObject* parent)
    : QObject(parent), state_(state), controls_(controls) {
  controls_.list1->item(kFcfsRow)->setSelected(true);
  controls_.soption->setChecked(state_->charts.selection.SelectedMetric == Metric::kTotalSeekTime);
  controls_.cunit->setText(ToQString(state_->charts.selection.cunit));
  controls_.ctitle->setChecked(state_->charts.CTitle);
  controls_.showx->setChecked(state_->charts.Showx);
  ShowAll();
  ConnectXAxis();
  ConnectChartChoices();
}

void ChartsController::ShowAll() {
  ShowXAxis();
  ShowValueLists(state_->charts.lists, state_->charts.x_axis, controls_);
}

void ChartsController::ConnectXAxis() {
  for (int i = 0; i < kXAxisChoiceCount; ++i) {
    connect(controls_.coption[i], &QRadioButton::clicked, this, [this, i] { OnCOption(i); });
  }
  for (int i = 0; i < kParameterCount; ++i) {
    connect(controls_.pcheck[i], &QCheckBox::clicked, this,
            [this, i](bool checked) { OnPCheck(i, checked); });
  }
  connect(controls_.formula, &QComboBox::activated, this, &ChartsController::OnFormula);
}

void ChartsController::ConnectChartChoices() {
  connect(controls_.boption, &QRadioButton::clicked, this,
          [this] { OnChartType(ChartType::kBars); });
  connect(controls_.loption, &QRadioButton::clicked, this,
          [this] { OnChartType(ChartType::kLines); });
  connect(controls_.soption, &QRadioButton::clicked, this,
          [this] { OnMetric(Metric::kTotalSeekTime); });
  connect(controls_.woption, &QRadioButton::clicked, this,
          [this] { OnMetric(Metric::kAverageWaitingTime); });
  connect(controls_.xwoption, &QRadioButton::clicked, this,
          [this] { OnMetric(Metric::kMaximumWaitingTime); });
  connect(controls_.picture1, &QToolButton::clicked, this, &ChartsController::OnPicture1);
}

void ChartsController::OnCOption(int index) {
  COption_Click(&state_->charts.x_axis, index, MakeChartLink());
  ShowXAxis();
}

void ChartsController::OnFormula(int index) {
  SetFormula(&state_->charts.x_axis, index, MakeChartLink());
  ShowXAxis();
}

void ChartsController::OnPCheck(int index, bool checked) {
  state_->charts.x_axis.pcheck_checked[index] = checked;
  PCheck_Click(MakeChartLink());
}

void ChartsController::OnChartType(ChartType type) {
  if (ChooseChartType(&state_->charts, type) == ChartRefresh::kNow) UpdateChart();
}

void ChartsController::OnMetric(Metric metric) {
  if (ChooseMetric(&state_->charts, metric) == ChartRefresh::kNow) UpdateChart();
}

void ChartsController::OnPicture1() {
  const bool visible = !controls_.frame9->isVisible();
  controls_.ltable->setVisible(visible);
  controls_.frame9->setVisible(visible);
  ShowPicture1(controls_, visible);
}

void ChartsController::UpdateChart() { trakvist::UpdateChart(&state_->charts, state_->store); }

ChartLink ChartsController::MakeChartLink() {
  ChartLink link = ChartLinkFor(&state_->charts, &state_->store);
  link.chart_type_changed = [this] { ShowXAxis(); };
  return link;
}

void ChartsController::ShowXAxis() { ShowXAxisState(state_->charts.x_axis, controls_); }

}  // namespace trakvist
