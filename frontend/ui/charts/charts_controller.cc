#include "frontend/ui/charts/charts_controller.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <optional>

#include "frontend/model/shell/main_actions.h"
#include "frontend/platform/clipboard.h"
#include "frontend/ui/chart_windows/chart_copy_window.h"
#include "frontend/ui/charts/chart_saving.h"
#include "frontend/ui/charts/chart_view.h"
#include "frontend/ui/charts/charts_view.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/simulation/panel_view.h"

namespace trakvist {
namespace {

// Published windows open down and to the right of the main window, one
// step further for each, so that none hides the one before.
constexpr int kCascadeStep = 28;
constexpr int kCascadeSteps = 10;

}  // namespace

ChartsController::ChartsController(MainState* state, const ChartsControls& controls,
                                   QObject* parent)
    : QObject(parent), state_(state), controls_(controls) {
  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kTimer1Interval);
  timer1_->setSingleShot(true);
  ShowAll();
  ConnectXAxis();
  ConnectChartChoices();
  ConnectTexts();
  ConnectButtons();
}

void ChartsController::ShowAll() {
  ShowXAxis();
  ShowValueLists(state_->charts.lists, state_->charts.x_axis, controls_);
  ShowExclusion(state_->charts.exclusion, controls_.list1);
  ShowChartsChoices(state_->charts, controls_);
  ShowResults();
  controls_.publish->setEnabled(state_->panel.publish_enabled);
  controls_.export_results->setEnabled(state_->panel.publish_enabled);
}

void ChartsController::ConnectXAxis() {
  for (int i = 0; i < kXAxisChoiceCount; ++i) {
    connect(controls_.coption[i], &QRadioButton::clicked, this, [this, i] { OnCOption(i); });
  }
  for (int i = 0; i < kParameterCount; ++i) {
    connect(controls_.pcheck[i], &QCheckBox::clicked, this,
            [this, i](bool checked) { OnPCheck(i, checked); });
    connect(controls_.cm[i], &QComboBox::activated, this, [this, i](int entry) { OnCm(i, entry); });
  }
  connect(controls_.formula, &QComboBox::activated, this, &ChartsController::OnFormula);
}

void ChartsController::ConnectChartChoices() {
  ChartsTab* tab = &state_->charts;
  connect(controls_.boption, &QRadioButton::clicked, this,
          [this, tab] { Apply(ChooseChartType(tab, ChartType::kBars)); });
  connect(controls_.loption, &QRadioButton::clicked, this,
          [this, tab] { Apply(ChooseChartType(tab, ChartType::kLines)); });
  connect(controls_.soption, &QRadioButton::clicked, this,
          [this, tab] { Apply(ChooseMetric(tab, Metric::kTotalSeekTime)); });
  connect(controls_.woption, &QRadioButton::clicked, this,
          [this, tab] { Apply(ChooseMetric(tab, Metric::kAverageWaitingTime)); });
  connect(controls_.xwoption, &QRadioButton::clicked, this,
          [this, tab] { Apply(ChooseMetric(tab, Metric::kMaximumWaitingTime)); });
  for (int i = 0; i < kPercentileMetricCount; ++i) {
    const Metric metric = StatisticMetric(i);
    connect(controls_.statistic_options[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
            [this, tab, metric] { Apply(ChooseMetric(tab, metric)); });
  }
  connect(controls_.sr_check, &QCheckBox::clicked, this,
          [this, tab](bool checked) { Apply(SetSRCheck(tab, checked)); });
  connect(controls_.showx, &QCheckBox::clicked, this,
          [this, tab](bool checked) { Apply(SetShowx(tab, checked)); });
  connect(controls_.ctitle, &QCheckBox::clicked, this,
          [this, tab](bool checked) { Apply(SetCTitle(tab, checked)); });
  connect(controls_.copy_tu, &QCheckBox::clicked, this,
          [this, tab](bool checked) { Apply(SetCopyTU(tab, checked)); });
  connect(controls_.list1, &QListWidget::itemSelectionChanged, this, &ChartsController::OnList1);
  connect(controls_.ltable->header(), &QHeaderView::sectionClicked, this,
          &ChartsController::OnColumnClick);
}

void ChartsController::ConnectTexts() {
  // Only the user's typing: the tab's own writes of these texts are no edits.
  connect(controls_.title, &QLineEdit::textEdited, this, &ChartsController::OnTitleEdited);
  connect(controls_.cunit, &QLineEdit::textEdited, this, &ChartsController::OnCunitEdited);
  connect(timer1_, &QTimer::timeout, this, &ChartsController::OnTimer1);
}

void ChartsController::ConnectButtons() {
  connect(controls_.picture1, &QToolButton::clicked, this, &ChartsController::OnPicture1);
  connect(controls_.copy_c, &QPushButton::clicked, this, &ChartsController::OnCopy);
  connect(controls_.save_chart, &QPushButton::clicked, this, &ChartsController::OnSaveChart);
  connect(controls_.publish, &QPushButton::clicked, this, &ChartsController::OnPublish);
}

void ChartsController::OnCOption(int index) {
  COption_Click(&state_->charts.x_axis, index, MakeChartLink());
  ShowXAxis();
  Apply(ChartRefresh::kNone);
}

void ChartsController::OnFormula(int index) {
  SetFormula(&state_->charts.x_axis, index, MakeChartLink());
  ShowXAxis();
  Apply(ChartRefresh::kNone);
}

void ChartsController::OnPCheck(int index, bool checked) {
  state_->charts.x_axis.pcheck_checked[index] = checked;
  PCheck_Click(MakeChartLink());
}

void ChartsController::OnCm(int index, int entry) {
  Apply(ChooseCmValue(&state_->charts, index, entry));
}

void ChartsController::OnList1() {
  ExclusionList list;
  for (int a = 1; a <= kAlgorithmCount && a <= controls_.list1->count(); ++a) {
    list.selected[static_cast<std::size_t>(a - 1)] = controls_.list1->item(a - 1)->isSelected();
  }
  const ChartRefresh refresh = ExcludeAlgorithms(&state_->charts, list);
  ShowExclusion(state_->charts.exclusion, controls_.list1);
  // The rows are rebuilt even while refreshes are held.
  ShowLTable(state_->charts.table, LTableColumns(state_->store), controls_.ltable);
  Apply(refresh);
}

void ChartsController::OnColumnClick(int section) {
  LTable_ColumnClick(&state_->charts, section + 1);
  ShowLTable(state_->charts.table, LTableColumns(state_->store), controls_.ltable);
}

void ChartsController::OnTitleEdited(const QString& text) {
  Apply(SetTitle(&state_->charts, ToStdString(text)));
}

void ChartsController::OnCunitEdited(const QString& text) {
  Apply(SetCunit(&state_->charts, ToStdString(text)));
}

void ChartsController::OnTimer1() {
  if (UpdateChart()) ShowResults();
  timer1_->stop();
}

void ChartsController::OnPicture1() {
  const bool visible = !controls_.frame9->isVisible();
  controls_.ltable->setVisible(visible);
  controls_.frame9->setVisible(visible);
  ShowPicture1(controls_, visible);
}

void ChartsController::OnCopy() {
  CopyImageAndText(controls_.mchart->ToImage(controls_.mchart->size()),
                   ToQString(state_->charts.ResultsText));
}

void ChartsController::OnSaveChart() {
  SaveChart(controls_.page->window(), controls_.mchart->model());
}

void ChartsController::OnPublish() {
  const std::optional<std::int16_t> number = PublishChart(state_);
  if (!number) return;
  const ChartWindow* published = FindChartWindow(state_->chart_copies, *number);
  if (published == nullptr) return;
  QWidget* main_window = controls_.page->window();
  auto* window = new ChartCopyWindow(*published, main_window);
  connect(window, &ChartCopyWindow::Closed, this, &ChartsController::OnChartWindowClosed);
  chart_windows_.push_back(window);
  const int step = kCascadeStep * (1 + (*number - 1) % kCascadeSteps);
  window->move(main_window->pos() + QPoint(step, step));
  window->show();
}

void ChartsController::OnChartWindowClosed(std::int16_t number) {
  if (!RemoveChartWindow(&state_->chart_copies, number)) return;
  const auto position = static_cast<std::size_t>(number - 1);
  if (position >= chart_windows_.size()) return;
  // As in the list of copies: the last window takes the closing one's place.
  chart_windows_[position] = chart_windows_.back();
  chart_windows_.pop_back();
  const std::vector<ChartWindow>& copies = state_->chart_copies.windows;
  for (std::size_t i = 0; i < chart_windows_.size() && i < copies.size(); ++i) {
    chart_windows_[i]->SetNumber(copies[i].number);
  }
}

void ChartsController::Apply(ChartRefresh refresh) {
  switch (refresh) {
    case ChartRefresh::kNone:
      break;
    case ChartRefresh::kNow:
      if (UpdateChart()) {
        timer1_->stop();
        ShowResults();
      }
      break;
    case ChartRefresh::kRestartDelay:
      timer1_->stop();
      timer1_->start();
      break;
  }
  ShowChartsChoices(state_->charts, controls_);
}

bool ChartsController::UpdateChart() {
  return trakvist::UpdateChart(&state_->charts, state_->store);
}

void ChartsController::ShowResults() {
  controls_.mchart->Show(state_->charts.chart);
  ShowLTable(state_->charts.table, LTableColumns(state_->store), controls_.ltable);
}

ChartLink ChartsController::MakeChartLink() {
  ChartLink link = ChartLinkFor(&state_->charts, &state_->store, [this] {
    timer1_->stop();
    ShowResults();
  });
  link.chart_type_changed = [this] { ShowXAxis(); };
  return link;
}

void ChartsController::ShowXAxis() { ShowXAxisState(state_->charts.x_axis, controls_); }

}  // namespace trakvist
