#include "frontend/ui/main_window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <utility>

#include "frontend/model/disks/disk_types.h"
#include "frontend/model/requests/manual_requests.h"
#include "frontend/model/results/tidy_export.h"
#include "frontend/model/shell/main_actions.h"
#include "frontend/model/shell/window_status.h"
#include "frontend/model/traces/trace_disk.h"
#include "frontend/platform/app_folders.h"
#include "frontend/ui/charts/charts_controller.h"
#include "frontend/ui/common/file_dialogs.h"
#include "frontend/ui/common/message_box.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/ui_texts.h"
#include "frontend/ui/common/up_down.h"
#include "frontend/ui/common/window_placement.h"
#include "frontend/ui/disk_properties/disk_properties_controller.h"
#include "frontend/ui/disk_properties/disk_properties_window.h"
#include "frontend/ui/head_path/head_path_tab.h"
#include "frontend/ui/main_window/about_box.h"
#include "frontend/ui/main_window/importing_window.h"
#include "frontend/ui/main_window/window_memory.h"
#include "frontend/ui/simulation/disk_type_list.h"
#include "frontend/ui/simulation/panel_view.h"
#include "frontend/ui/simulation/run_controller.h"
#include "frontend/ui/simulation/trace_import_dialog.h"

namespace trakvist {
namespace {

// Fits a 1366 x 768 laptop screen with room for the desktop's panels.
constexpr int kDefaultWidth = 1160;
constexpr int kDefaultHeight = 712;  // the pages keep 680 beside the menu and status bars

// Paths go to the model as the file system spells them.
std::string PathOf(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A tab's page in a scroll area, so that a small screen scrolls the page
// instead of forcing the window's size.
QScrollArea* Scrolling(QWidget* page) {
  auto* area = new QScrollArea;
  area->setWidget(page);
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  return area;
}

// The caption of a menu item without its Alt key mark.
QString ItemText(const QAction* action) {
  QString text = action->text();
  text.remove(QLatin1Char('&'));
  text.remove(QChar(0x2026));
  return text;
}

}  // namespace

MainWindow::MainWindow(MainState state, MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), state_(std::move(state)), services_(std::move(services)) {
  setObjectName(QStringLiteral("MainWindow"));
  BuildTabs();
  resize(kDefaultWidth, kDefaultHeight);
  CentreOnScreen(this);
  memory_ = std::make_unique<WindowMemory>(services_.settings_file);
  if (const QByteArray geometry = memory_->Geometry(); !geometry.isEmpty()) {
    restoreGeometry(geometry);
  }
  status_text_ = new QLabel(ToQString(kIdleStatusText));
  status_text_->setObjectName(QStringLiteral("StatusText"));
  statusBar()->addWidget(status_text_, 1);

  // The start state holds chart redraws until results exist.
  charts_controller_ = new ChartsController(&state_, charts_, this);
  disk_window_ = new DiskPropertiesWindow(this);
  disk_controller_ = new DiskPropertiesController(&state_, disk_window_, services_, this);
  about_box_ = new AboutBox(this);
  wait_window_ = new ImportingWindow(this);
  run_controller_ = new RunController(&state_, services_, sim_, this, wait_window_);
  ShowPanel();

  ConnectParameterFields();
  ConnectRequestSource();
  ConnectOptions();
  ConnectDisks();
  ConnectSimulators();
  ConnectFiles();
  ConnectWindows();
  ConnectMenus();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildTabs() {
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("TabStrip1"));
  auto* simulation = new QWidget;
  auto* charts = new QWidget;
  sim_ = BuildSimulationPage(simulation);
  charts_ = BuildChartsPage(charts);
  tabs_->addTab(simulation, ToQString(kMainTabs[0]));  // scrolls its own panels
  tabs_->addTab(Scrolling(charts), ToQString(kMainTabs[1]));
  tabs_->addTab(Scrolling(new HeadPathTab(&state_, services_.files)), QStringLiteral("Head Path"));
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
  bind(sim_.percentiles, &ParametersPanel::percentiles);
  connect(sim_.is_lba, &QCheckBox::clicked, this, [this](bool checked) {
    SetIsLba(&state_.panel, checked);
    ShowPanel();
  });
  connect(sim_.slook_reset, &QComboBox::activated, this,
          [this](int index) { state_.panel.slook_reset = index; });
  connect(sim_.head_direction, &QComboBox::activated, this,
          [this](int index) { state_.panel.head_down = index == 1; });
  connect(sim_.parallel_runs, &QSpinBox::valueChanged, this,
          [this](int count) { state_.panel.parallel_runs = count; });
  connect(sim_.replications, &QSpinBox::valueChanged, this,
          [this](int count) { state_.panel.replications = count; });
  connect(sim_.manual, &QLineEdit::textEdited, this, &MainWindow::OnManualEdited);
  connect(sim_.import_button, &QToolButton::clicked, this, &MainWindow::OnImport);
}

void MainWindow::ConnectDisks() {
  connect(sim_.disk_list, &DiskTypeList::AboutToBeUsed, disk_controller_,
          &DiskPropertiesController::ReloadIfChanged);
  connect(sim_.disk_list, &QComboBox::activated, this, &MainWindow::OnDiskList);
  connect(sim_.custom_disk, &QPushButton::clicked, disk_controller_,
          &DiskPropertiesController::OpenCustom);
  connect(disk_controller_, &DiskPropertiesController::PanelChanged, this, &MainWindow::ShowPanel);
}

void MainWindow::ConnectSimulators() {
  connect(sim_.sim_list, &QComboBox::activated, this, &MainWindow::OnSimList);
  connect(sim_.sim_refresh, &QToolButton::clicked, this, &MainWindow::OnSimRefresh);
  connect(run_controller_, &RunController::PanelChanged, this, &MainWindow::ShowPanel);
  connect(run_controller_, &RunController::SweepEnded, charts_controller_,
          &ChartsController::ShowAll);
}

void MainWindow::ConnectFiles() {
  connect(sim_.opens, &QPushButton::clicked, this, &MainWindow::OnOpen);
  connect(sim_.saves, &QPushButton::clicked, this, &MainWindow::OnSave);
  connect(sim_.save_as, &QPushButton::clicked, this, &MainWindow::OnSaveAs);
  connect(charts_.export_results, &QPushButton::clicked, this, &MainWindow::OnExportResults);
  connect(sim_.im_saved, &QCheckBox::clicked, this,
          [this](bool checked) { state_.ImSaved = checked; });
}

void MainWindow::ConnectWindows() {
  connect(sim_.command1, &QToolButton::clicked, about_box_, &QDialog::open);
}

void MainWindow::ConnectMenus() {
  menus_ = BuildMainMenus(this, sim_, charts_, tabs_);
  connect(menus_.read_me, &QAction::triggered, this, &MainWindow::OnReadMe);
  connect(menus_.shortcuts, &QAction::triggered, this, &MainWindow::OnShortcuts);
  connect(menus_.about, &QAction::triggered, about_box_, &QDialog::open);
  run_controller_->SetStartCheck([this] { return ResultsMayGo(); });
  connect(run_controller_, &RunController::StatusChanged, this, &MainWindow::ShowStatus);
  ShowRecentFiles();
}

void MainWindow::OpenFile(const std::string& path) {
  OpenWith([path]() -> std::optional<std::string> { return path; });
}

void MainWindow::Enable_StartControls(bool enable) {
  trakvist::Enable_StartControls(&state_.panel, enable);
  ShowPanel();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A run in progress keeps the window open, and so does a "Cancel" to the
  // question about unsaved results.
  if (!MayClose(state_) || !ResultsMayGo()) {
    event->ignore();
    return;
  }
  memory_->SetGeometry(saveGeometry());
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
  DiskList_Click(&state_.disks, &state_.panel, index);
  ShowPanel();
}

void MainWindow::OnManualEdited() {
  SetManualText(&state_.panel, ToStdString(sim_.manual->text()));
  ShowPanel();
}

void MainWindow::OnImport() {
  const std::optional<QString> path = AskRequestsFile(this);
  if (!path) return;
  if (const std::optional<TraceFormat> format = TraceFileFormat(*services_.files, PathOf(*path))) {
    ImportTraceFile(PathOf(*path), *format);
    return;
  }
  ImportRequestsFile(PathOf(*path));
}

void MainWindow::ImportRequestsFile(const std::string& path) {
  WaitWindow wait;
  wait.show = [this] { wait_window_->ShowAndPaint(); };
  wait.close = [this] { wait_window_->hide(); };
  const std::optional<std::string> message =
      Import_Click(&state_.panel, &state_.manual, *services_.files, path, wait);
  ShowPanel();
  if (message) ShowMessage(this, *message);
}

void MainWindow::ImportTraceFile(const std::string& path, TraceFormat format) {
  const std::string folder = PerUserDataFolder();
  if (folder.empty()) {
    ShowMessage(this, "No per-user data folder can be made for the converted requests.");
    return;
  }
  const std::string converted = ConvertedRequestsPath(folder, path);
  TraceImportDialog dialog(*services_.files, path,
                           TraceDiskFor(state_.panel, state_.disks.current), format, converted,
                           this);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!services_.files->ReplaceFile(converted, dialog.import().requests_file)) {
    ShowMessage(this, "Can not write the converted requests file " + converted + ".");
    return;
  }
  ImportRequestsFile(converted);
}

void MainWindow::OnSimList(int index) {
  SelectSimulator(&state_, ToStdString(sim_.sim_list->itemText(index)));
  ShowPanel();
}

void MainWindow::OnSimRefresh() {
  const std::vector<FolderEntry> entries =
      services_.list_folder ? services_.list_folder(state_.AppFolder) : std::vector<FolderEntry>();
  RefreshSimulators(&state_, entries);
  ShowPanel();
}

AskPath MainWindow::SimulationFileDialog(bool for_open) {
  return [this, for_open]() -> std::optional<std::string> {
    const QString start = QFile::decodeName(state_.file.CurrentFilePath.c_str());
    const std::optional<QString> path =
        for_open ? AskOpenSimulationFile(this, start) : AskSaveSimulationFile(this, start);
    if (!path) return std::nullopt;
    return PathOf(*path);
  };
}

void MainWindow::OnSave() {
  ShowSaveOutcome(SaveSimulation(&state_, *services_.files, SimulationFileDialog(false)));
}

void MainWindow::OnSaveAs() {
  ShowSaveOutcome(SaveSimulationAs(&state_, *services_.files, SimulationFileDialog(false)));
}

void MainWindow::OnExportResults() {
  const QString start = QFile::decodeName(state_.file.CurrentFilePath.c_str());
  const std::optional<QString> path = AskExportFile(this, start);
  if (!path) return;
  const std::string message = ExportTidyCsv(state_.store, TidyExportSettingsOf(state_.panel),
                                            services_.files, PathOf(*path));
  if (!message.empty()) ShowMessage(this, message);
}

void MainWindow::ShowSaveOutcome(const SaveOutcome& outcome) {
  ShowPanel();
  if (outcome.status == SaveStatus::kFailed) ShowMessage(this, outcome.message);
  if (outcome.status != SaveStatus::kSaved) return;
  RememberFile(state_.file.CurrentFilePath);
  ShowStatus(QStringLiteral("Saved ") + QFile::decodeName(state_.file.CurrentFilePath.c_str()));
}

void MainWindow::OnOpen() {
  if (!ResultsMayGo()) return;
  OpenWith(SimulationFileDialog(true));
}

void MainWindow::OnOpenRecent(const std::string& path) {
  if (!sim_.opens->isEnabled() || !ResultsMayGo()) return;
  OpenFile(path);
}

void MainWindow::OpenWith(const AskPath& ask_path) {
  const OpenedSimulation opened = OpenSimulation(&state_, *services_.files, ask_path);
  ShowPanel();
  charts_controller_->ShowAll();
  if (opened.opened) {
    RememberFile(state_.file.CurrentFilePath);
    ShowStatus(QStringLiteral("Opened ") + QFile::decodeName(state_.file.CurrentFilePath.c_str()));
  }
  for (const std::string& message : opened.messages) ShowMessage(this, message);
}

bool MainWindow::ResultsMayGo() {
  if (!HasUnsavedResults(state_)) return true;
  switch (AskSaveDiscardCancel(this, kUnsavedResultsQuestion)) {
    case SaveChoice::kSave:
      OnSave();
      return !HasUnsavedResults(state_);
    case SaveChoice::kDiscard:
      return true;
    case SaveChoice::kCancel:
      break;
  }
  return false;
}

void MainWindow::RememberFile(const std::string& path) {
  if (path.empty()) return;
  memory_->SetRecentFiles(WithRecentFile(memory_->RecentFiles(), path));
  ShowRecentFiles();
}

void MainWindow::ShowRecentFiles() {
  QMenu* menu = menus_.recent_files;
  menu->clear();
  const std::vector<std::string> paths = memory_->RecentFiles();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const QString path = QFile::decodeName(paths[i].c_str());
    QAction* item = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
    connect(item, &QAction::triggered, this,
            [this, file = paths[i]] { OnOpenRecent(file); });
  }
  if (paths.empty()) menu->addAction(QStringLiteral("No recent files"))->setEnabled(false);
}

void MainWindow::ShowStatus(const QString& text) { status_text_->setText(text); }

void MainWindow::OnReadMe() {
  const std::string problem =
      services_.open_in_editor ? services_.open_in_editor(state_.AppFolder + "ReadMe.txt") : "";
  if (!problem.empty()) ShowMessage(this, problem);
}

void MainWindow::OnShortcuts() {
  QStringList lines;
  for (const QAction* action : findChildren<QAction*>()) {
    if (action->shortcut().isEmpty() || action->text().isEmpty()) continue;
    lines << action->shortcut().toString(QKeySequence::NativeText) + QStringLiteral(": ") +
                 ItemText(action);
  }
  lines << QStringLiteral("Alt + underlined letter: that button or menu");
  ShowMessage(this, ToStdString(lines.join(QLatin1Char('\n'))));
}

void MainWindow::ShowPanel() {
  trakvist::ShowPanel(state_.panel, sim_, {charts_.publish, charts_.export_results});
  ShowListEntries(sim_.disk_list, state_.disks.catalogue.entries, state_.panel.disk_list_text);
  ShowListEntries(sim_.sim_list, state_.simulators.names, SelectedSimulator(state_));
  sim_.im_saved->setChecked(state_.ImSaved);
  // "[*]" shows the modified mark while the results are unsaved.
  setWindowTitle(ToQString(state_.file.window_title) + QStringLiteral("[*]"));
  setWindowModified(HasUnsavedResults(state_));
  ShowStart();
  disk_controller_->Refresh();
}

void MainWindow::ShowStart() {
  sim_.startb->setEnabled(StartAvailable(state_));
  sim_.startb->setToolTip(ToQString(StartToolTip(state_)));
}

void MainWindow::CloseOtherWindows() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != this && window->isVisible()) window->close();
  }
}

}  // namespace trakvist
