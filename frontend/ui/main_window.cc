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
#include <utility>

#include "frontend/model/requests/manual_requests.h"
#include "frontend/ui/about_box.h"
#include "frontend/ui/charts_controller.h"
#include "frontend/ui/disk_properties_window.h"
#include "frontend/ui/importing_window.h"
#include "frontend/ui/panel_view.h"
#include "frontend/ui/qt_text.h"
#include "frontend/ui/ui_texts.h"
#include "frontend/ui/up_down.h"
#include "frontend/ui/window_placement.h"

namespace trakvist {
namespace {

// Fits a 1366 x 768 laptop screen with room for the desktop's panels.
constexpr int kDefaultWidth = 1160;
constexpr int kDefaultHeight = 680;

}  // namespace

MainWindow::MainWindow(MainState state, QWidget* parent)
    : QMainWindow(parent), state_(std::move(state)) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(ToQString(kProgramName));
  BuildTabs();
  resize(kDefaultWidth, kDefaultHeight);
  CentreOnScreen(this);

  // The start state holds chart redraws until results exist.
  sim_.im_saved->setChecked(state_.ImSaved);
  ShowPanel();
  charts_controller_ = new ChartsController(&state_, charts_, this);

  disk_window_ = new DiskPropertiesWindow(this);
  about_box_ = new AboutBox(this);
  wait_window_ = new ImportingWindow(this);

  ConnectParameterFields();
  ConnectRequestSource();
  ConnectOptions();
  ConnectWindows();
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
            [this, member](bool checked) { state_.panel.*member = checked; });
  };
  bind(sim_.skip_idle, &ParametersPanel::skip_idle);
  bind(sim_.ofcfs, &ParametersPanel::ofcfs);
  bind(sim_.disprog, &ParametersPanel::disprog);
  bind(sim_.bopath_reset, &ParametersPanel::bopath_reset);
  bind(sim_.bopath_swap, &ParametersPanel::bopath_swap);
  connect(sim_.is_lba, &QCheckBox::clicked, this,
          [this](bool checked) { SetIsLba(&state_.panel, checked); });
  connect(sim_.slook_reset, &QComboBox::activated, this,
          [this](int index) { state_.panel.slook_reset = index; });
  connect(sim_.disk_list, &QComboBox::activated, this, &MainWindow::OnDiskList);
}

void MainWindow::ConnectWindows() {
  connect(sim_.custom_disk, &QPushButton::clicked, disk_window_, &DiskPropertiesWindow::ShowModal);
  connect(sim_.command1, &QToolButton::clicked, about_box_, &QDialog::open);
}

void MainWindow::Enable_StartControls(bool enable) {
  trakvist::Enable_StartControls(&state_.panel, enable);
  ShowPanel();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A run in progress keeps the window open.
  if (!state_.panel.startb_enabled) {
    event->ignore();
    return;
  }
  CloseOtherWindows();
  QMainWindow::closeEvent(event);
}

void MainWindow::OnCparamEdited(int index) {
  SetFieldText(&state_.panel, index, ToStdString(sim_.cparam[index]->text()));
  ShowPanel();
}

void MainWindow::OnUpDown(int index, SpinDirection direction) {
  UpDown_Click(&state_.panel, index, direction);
  ShowPanel();
}

void MainWindow::OnRequestSource(RequestSource source) {
  SelectRequestSource(&state_.panel, source);
  ShowPanel();
}

void MainWindow::OnDistList(int index) {
  SelectDistribution(&state_.panel, index);
  ShowPanel();
}

void MainWindow::OnRtimer(bool checked) {
  SetRtimer(&state_.panel, checked);
  ShowPanel();
}

void MainWindow::OnDiskList(int index) {
  state_.panel.disk_list_text = ToStdString(sim_.disk_list->itemText(index));
}

void MainWindow::ShowPanel() { trakvist::ShowPanel(state_.panel, sim_, charts_.publish); }

void MainWindow::CloseOtherWindows() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != this && window->isVisible()) window->close();
  }
}

}  // namespace trakvist
