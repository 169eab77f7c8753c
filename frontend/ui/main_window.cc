#include "frontend/ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include "frontend/ui/about_box.h"
#include "frontend/ui/disk_properties_window.h"
#include "frontend/ui/panel_view.h"
#include "frontend/ui/qt_text.h"
#include "frontend/ui/ui_texts.h"
#include "frontend/ui/up_down.h"
#include "frontend/ui/wait_window.h"
#include "frontend/ui/window_placement.h"

namespace trakvist {
namespace {

// Fits a 1366 x 768 laptop screen with room for the desktop's panels.
constexpr int kDefaultWidth = 1160;
constexpr int kDefaultHeight = 680;
constexpr int kFcfsRow = 0;

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(ToQString(kProgramName));
  BuildTabs();
  resize(kDefaultWidth, kDefaultHeight);
  CentreOnScreen(this);

  // Start-up: redraws stay held (selection_ starts suspended) until results
  // exist; the panel and the X-axis choice take their start states.
  panel_ = StartParametersPanel();
  x_axis_ = StartXAxisState(MakeChartLink());
  charts_.list1->item(kFcfsRow)->setSelected(true);
  charts_.soption->setChecked(selection_.SelectedMetric == Metric::kTotalSeekTime);
  charts_.cunit->setText(ToQString(selection_.cunit));
  charts_.ctitle->setChecked(true);
  charts_.showx->setChecked(true);
  // Opening a saved simulation restores its page unless the user says not to.
  sim_.im_saved->setChecked(true);
  ShowPanel();
  ShowXAxis();
  ShowValueLists(value_lists_, x_axis_, charts_);

  disk_window_ = new DiskPropertiesWindow(this);
  about_box_ = new AboutBox(this);
  wait_window_ = new WaitWindow(this);

  ConnectParameterFields();
  ConnectRequestSource();
  ConnectOptions();
  ConnectWindows();
  ConnectXAxis();
  ConnectChartChoices();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildTabs() {
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("TabStrip1"));
  auto* simulation = new QWidget;
  auto* charts = new QWidget;
  sim_ = BuildSimulationPage(simulation);
  charts_ = BuildChartsPage(charts);
  tabs_->addTab(simulation, ToQString(kMainTabs[0]));
  tabs_->addTab(charts, ToQString(kMainTabs[1]));
  setCentralWidget(tabs_);
}

void MainWindow::ConnectParameterFields() {
  for (int i = 0; i < kParameterCount; ++i) {
    connect(sim_.cparam[i], &QLineEdit::textEdited, this, [this, i] { OnCparamEdited(i); });
    connect(sim_.cparam[i], &NumberEdit::StepRequested, this,
            [this, i](SpinDirection direction) { OnUpDown(i, direction); });
    connect(sim_.up_down[i], &UpDown::Stepped, this,
            [this, i](SpinDirection direction) { OnUpDown(i, direction); });
  }
}

void MainWindow::ConnectRequestSource() {
  connect(sim_.option1, &QRadioButton::clicked, this,
          [this] { OnRequestSource(RequestSource::kDistribution); });
  connect(sim_.option2, &QRadioButton::clicked, this,
          [this] { OnRequestSource(RequestSource::kAllAtTimeZero); });
  connect(sim_.option3, &QRadioButton::clicked, this,
          [this] { OnRequestSource(RequestSource::kManual); });
  connect(sim_.dist_list, &QComboBox::activated, this, &MainWindow::OnDistList);
  connect(sim_.rtimer, &QCheckBox::clicked, this, &MainWindow::OnRtimer);
}

void MainWindow::ConnectOptions() {
  // These switches carry no rule: the panel only remembers them.
  const auto bind = [this](QCheckBox* box, bool ParametersPanel::*member) {
    connect(box, &QCheckBox::clicked, this,
            [this, member](bool checked) { panel_.*member = checked; });
  };
  bind(sim_.skip_idle, &ParametersPanel::skip_idle);
  bind(sim_.ofcfs, &ParametersPanel::ofcfs);
  bind(sim_.disprog, &ParametersPanel::disprog);
  bind(sim_.is_lba, &ParametersPanel::is_lba);
  bind(sim_.bopath_reset, &ParametersPanel::bopath_reset);
  bind(sim_.bopath_swap, &ParametersPanel::bopath_swap);
  connect(sim_.slook_reset, &QComboBox::activated, this,
          [this](int index) { panel_.slook_reset = index; });
  connect(sim_.disk_list, &QComboBox::activated, this, &MainWindow::OnDiskList);
}

void MainWindow::ConnectWindows() {
  connect(sim_.custom_disk, &QPushButton::clicked, disk_window_, &DiskPropertiesWindow::ShowModal);
  connect(sim_.command1, &QToolButton::clicked, about_box_, &QDialog::open);
}

void MainWindow::ConnectXAxis() {
  for (int i = 0; i < kXAxisChoiceCount; ++i) {
    connect(charts_.coption[i], &QRadioButton::clicked, this, [this, i] { OnCOption(i); });
  }
  for (int i = 0; i < kParameterCount; ++i) {
    connect(charts_.pcheck[i], &QCheckBox::clicked, this,
            [this, i](bool checked) { OnPCheck(i, checked); });
  }
  connect(charts_.formula, &QComboBox::activated, this, &MainWindow::OnFormula);
}

void MainWindow::ConnectChartChoices() {
  connect(charts_.boption, &QRadioButton::clicked, this, [this] { OnChartType(ChartType::kBars); });
  connect(charts_.loption, &QRadioButton::clicked, this,
          [this] { OnChartType(ChartType::kLines); });
  connect(charts_.soption, &QRadioButton::clicked, this,
          [this] { OnMetric(Metric::kTotalSeekTime); });
  connect(charts_.woption, &QRadioButton::clicked, this,
          [this] { OnMetric(Metric::kAverageWaitingTime); });
  connect(charts_.xwoption, &QRadioButton::clicked, this,
          [this] { OnMetric(Metric::kMaximumWaitingTime); });
  connect(charts_.picture1, &QToolButton::clicked, this, &MainWindow::OnPicture1);
}

void MainWindow::Enable_StartControls(bool enable) {
  trakvist::Enable_StartControls(&panel_, enable);
  ShowPanel();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A run in progress keeps the window open.
  if (!panel_.startb_enabled) {
    event->ignore();
    return;
  }
  CloseOtherWindows();
  QMainWindow::closeEvent(event);
}

void MainWindow::OnCparamEdited(int index) {
  SetFieldText(&panel_, index, ToStdString(sim_.cparam[index]->text()));
  ShowPanel();
}

void MainWindow::OnUpDown(int index, SpinDirection direction) {
  UpDown_Click(&panel_, index, direction);
  ShowPanel();
}

void MainWindow::OnRequestSource(RequestSource source) {
  SelectRequestSource(&panel_, source);
  ShowPanel();
}

void MainWindow::OnDistList(int index) {
  SelectDistribution(&panel_, index);
  ShowPanel();
}

void MainWindow::OnRtimer(bool checked) {
  SetRtimer(&panel_, checked);
  ShowPanel();
}

void MainWindow::OnDiskList(int index) {
  panel_.disk_list_text = ToStdString(sim_.disk_list->itemText(index));
}

void MainWindow::OnCOption(int index) {
  COption_Click(&x_axis_, index, MakeChartLink());
  ShowXAxis();
}

void MainWindow::OnFormula(int index) {
  SetFormula(&x_axis_, index, MakeChartLink());
  ShowXAxis();
}

void MainWindow::OnPCheck(int index, bool checked) {
  x_axis_.pcheck_checked[index] = checked;
  PCheck_Click(MakeChartLink());
}

void MainWindow::OnChartType(ChartType type) {
  x_axis_.chart_type = type;
  UpdateChart();
}

void MainWindow::OnMetric(Metric metric) {
  selection_.SelectedMetric = metric;
  UpdateChart();
}

void MainWindow::OnPicture1() {
  const bool visible = !charts_.frame9->isVisible();
  charts_.ltable->setVisible(visible);
  charts_.frame9->setVisible(visible);
  ShowPicture1(charts_, visible);
}

void MainWindow::UpdateChart() {
  if (selection_.ChartUpdateSuspended) return;
  // The chart layer draws here; until a sweep or an opened file lowers the
  // start-up hold there is nothing to draw.
}

ChartLink MainWindow::MakeChartLink() {
  ChartLink link;
  link.update_suspended = &selection_.ChartUpdateSuspended;
  link.update_chart = [this] { UpdateChart(); };
  link.chart_type_changed = [this] { ShowXAxis(); };
  return link;
}

void MainWindow::ShowPanel() { trakvist::ShowPanel(panel_, sim_, charts_.publish); }

void MainWindow::ShowXAxis() { ShowXAxisState(x_axis_, charts_); }

void MainWindow::CloseOtherWindows() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != this && window->isVisible()) window->close();
  }
}

}  // namespace trakvist
