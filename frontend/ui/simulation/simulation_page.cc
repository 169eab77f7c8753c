#include "frontend/ui/simulation/simulation_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <chrono>
#include <limits>

#include "frontend/model/panel/distribution.h"
#include "frontend/model/panel/panel_texts.h"
#include "frontend/model/panel/parameter_help.h"
#include "frontend/model/panel/parallel_runs.h"
#include "frontend/model/results/replications.h"
#include "frontend/model/runs/run_progress.h"
#include "frontend/model/runs/simulator_list.h"
#include "frontend/ui/common/object_names.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/ui_texts.h"
#include "frontend/ui/common/up_down.h"
#include "frontend/ui/common/widget_factory.h"
#include "frontend/ui/simulation/disk_type_list.h"

namespace trakvist {
namespace {

// Digits a parameter field shows without scrolling: room for a range such
// as "100000,100000,1000000".
constexpr int kFieldDigits = 14;
constexpr std::chrono::milliseconds kTimer2Interval{1000};

// The labels of fields 2, 3, 6 and 7 carry names of their own.
QString FieldLabelName(int index) {
  switch (index) {
    case 2:
      return QStringLiteral("Distpar1");
    case 3:
      return QStringLiteral("Distpar2");
    case 6:
      return QStringLiteral("Label11");
    case 7:
      return QStringLiteral("Label12");
    default:
      return IndexedName("CparamLabel", index);
  }
}

// Adds the row "label | field with spinner" of parameter `index`.
void AddParameterRow(QGridLayout* grid, int index, SimulationControls* c) {
  const int row = NextRow(grid);
  auto* label = MakeLabel(FieldLabelName(index), kParameterTable[index].label);
  const SpinnerField spinner = MakeSpinnerField("Cparam", index, kFieldDigits, label);
  NumberEdit* edit = spinner.edit;
  UpDown* up_down = spinner.up_down;
  QHBoxLayout* field = spinner.layout;
  grid->addWidget(label, row, 0);
  grid->addLayout(field, row, 1);
  edit->setWhatsThis(ToQString(FieldWhatsThis(index)));
  c->cparam[index] = edit;
  c->up_down[index] = up_down;
  c->cparam_label[index] = label;
}

QGridLayout* ParameterRows(std::initializer_list<int> indices, SimulationControls* c) {
  QGridLayout* grid = MakeFieldGrid();
  for (const int index : indices) AddParameterRow(grid, index, c);
  return grid;
}

QFrame* Separator() {
  auto* line = new QFrame;
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

QHBoxLayout* ManualRow(SimulationControls* c) {
  c->manual = Named(new QLineEdit, QStringLiteral("Manual"));
  c->manual->setToolTip(ToQString(kManualToolTip));
  // Typed requests may be long: a line edit cuts its text at 32767
  // characters unless told otherwise.
  c->manual->setMaxLength(std::numeric_limits<int>::max());
  c->import_button =
      MakePictureButton(QStringLiteral("Import"), QStyle::SP_DialogOpenButton, kImportToolTip);
  c->is_lba = MakeCheckBox(QStringLiteral("isLBA"), kIsLbaCaption, kIsLbaToolTip);
  auto* row = new QHBoxLayout;
  row->addWidget(c->manual, 1);
  row->addWidget(c->import_button);
  row->addWidget(c->is_lba);
  return row;
}

QGroupBox* RequestGenerationFrame(SimulationControls* c) {
  c->option1 = MakeRadioButton(QStringLiteral("Option1"), kOption1Caption, kOption1ToolTip);
  c->option2 = MakeRadioButton(QStringLiteral("Option2"), kOption2Caption, kOption2ToolTip);
  c->option3 = MakeRadioButton(QStringLiteral("Option3"), kOption3Caption, kOption3ToolTip);
  c->dist_list = MakeList(QStringLiteral("DistList"));
  for (const std::string& item : kDistributionItems) c->dist_list->addItem(ToQString(item));
  auto* first = new QHBoxLayout;
  first->addWidget(c->option1);
  first->addWidget(c->dist_list);
  first->addStretch(1);

  QGridLayout* fields = ParameterRows({0, 1}, c);
  c->rtimer = MakeCheckBox(QStringLiteral("Rtimer"), kRtimerCaption, kRtimerToolTip);
  fields->addWidget(c->rtimer, NextRow(fields), 0, 1, 2);
  for (const int index : {2, 3, 12}) AddParameterRow(fields, index, c);

  c->frame2 = MakeFrame(QStringLiteral("Frame2"), kRequestFrameCaption);
  auto* layout = new QVBoxLayout(c->frame2);
  layout->addLayout(first);
  layout->addWidget(c->option2);
  layout->addWidget(c->option3);
  layout->addLayout(ManualRow(c));
  layout->addWidget(Separator());
  layout->addLayout(fields);
  return c->frame2;
}

QGroupBox* SlookFrame(SimulationControls* c) {
  QGridLayout* grid = ParameterRows({4, 5}, c);
  c->slook_reset_label = MakeLabel(QStringLiteral("SLOOK_ResetLabel"), kSlookResetLabel);
  c->slook_reset = MakeList(QStringLiteral("SLOOK_Reset"));
  for (const std::string_view item : kSlookResetItems) c->slook_reset->addItem(ToQString(item));
  c->slook_reset_label->setBuddy(c->slook_reset);
  const int row = NextRow(grid);
  grid->addWidget(c->slook_reset_label, row, 0);
  grid->addWidget(c->slook_reset, row, 1);
  c->frame3 = MakeFrame(QStringLiteral("Frame3"), kSlookFrameCaption);
  c->frame3->setLayout(grid);
  return c->frame3;
}

QGroupBox* BopathFrame(SimulationControls* c) {
  QGridLayout* grid = ParameterRows({6, 7}, c);
  c->bopath_reset =
      MakeCheckBox(QStringLiteral("BOPATH_Reset"), kBopathResetCaption, kBopathResetToolTip);
  c->bopath_swap =
      MakeCheckBox(QStringLiteral("BOPATH_Swap"), kBopathSwapCaption, kBopathSwapToolTip);
  grid->addWidget(c->bopath_reset, NextRow(grid), 0, 1, 2);
  grid->addWidget(c->bopath_swap, NextRow(grid), 0, 1, 2);
  c->frame4 = MakeFrame(QStringLiteral("Frame4"), kBopathFrameCaption);
  c->frame4->setLayout(grid);
  return c->frame4;
}

// The row of "Initial Head Direction", under the initial head position.
void AddHeadDirectionRow(QGridLayout* grid, SimulationControls* c) {
  const int row = NextRow(grid);
  c->head_direction_label = MakeLabel(QStringLiteral("HeadDirectionLabel"), kHeadDirectionLabel);
  c->head_direction = MakeList(QStringLiteral("HeadDirection"));
  for (const std::string_view item : kHeadDirectionItems) {
    c->head_direction->addItem(ToQString(item));
  }
  c->head_direction->setToolTip(ToQString(kHeadDirectionToolTip));
  c->head_direction_label->setToolTip(ToQString(kHeadDirectionToolTip));
  c->head_direction_label->setBuddy(c->head_direction);
  grid->addWidget(c->head_direction_label, row, 0);
  grid->addWidget(c->head_direction, row, 1);
}

QWidget* DiskPage(int page, std::initializer_list<int> indices, SimulationControls* c) {
  auto* widget = Named(new QWidget, IndexedName("PgD", page));
  auto* layout = new QVBoxLayout(widget);
  QGridLayout* grid = MakeFieldGrid();
  for (const int index : indices) {
    AddParameterRow(grid, index, c);
    if (index == kInitialHeadParameter) AddHeadDirectionRow(grid, c);
  }
  layout->addLayout(grid);
  layout->addStretch(1);
  c->pg_d[page] = widget;
  return widget;
}

QGroupBox* DiskFrame(SimulationControls* c) {
  c->disk_list = new DiskTypeList;
  MakeWideList(QStringLiteral("DiskList"), c->disk_list);
  // The list always ends with "Custom ..."; with no catalogue loaded that is
  // all it holds.
  c->disk_list->addItem(ToQString(kCustomDiskType));
  c->disk_list->setToolTip(ToQString(kDiskListToolTip));
  c->custom_disk = MakeButton(QStringLiteral("CustomDisk"), kCustomDiskButtonCaption);
  c->custom_disk->setToolTip(ToQString(kCustomDiskToolTip));
  SetMnemonic(c->custom_disk, 1);  // C&ustom
  auto* disk_row = new QHBoxLayout;
  disk_row->addWidget(c->disk_list, 1);
  disk_row->addWidget(c->custom_disk);

  c->pg_disk = Named(new QTabWidget, QStringLiteral("PgDisk"));
  c->pg_disk->addTab(DiskPage(0, {8, 9, 10, 11, 13}, c), ToQString(kDiskPageTabs[0]));
  c->pg_disk->addTab(DiskPage(1, {14, 15}, c), ToQString(kDiskPageTabs[1]));

  c->frame1 = MakeFrame(QStringLiteral("Frame1"), kDiskFrameCaption);
  auto* layout = new QVBoxLayout(c->frame1);
  layout->addLayout(disk_row);
  layout->addWidget(c->pg_disk);
  return c->frame1;
}

// A spinner with its label before it, in a row of its own.
QHBoxLayout* SpinnerRow(QLabel* label, QSpinBox* spinner) {
  label->setBuddy(spinner);
  label->setToolTip(spinner->toolTip());
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(spinner);
  row->addStretch(1);
  return row;
}

QHBoxLayout* ParallelRunsRow(SimulationControls* c) {
  c->parallel_runs = Named(new QSpinBox, QStringLiteral("ParallelRuns"));
  c->parallel_runs->setRange(kMinParallelRuns, kMaxParallelRuns);
  c->parallel_runs->setToolTip(ToQString(kParallelRunsToolTip));
  c->parallel_runs_label = MakeLabel(QStringLiteral("ParallelRunsLabel"), kParallelRunsLabel);
  return SpinnerRow(c->parallel_runs_label, c->parallel_runs);
}

QHBoxLayout* ReplicationsRow(SimulationControls* c) {
  c->replications = Named(new QSpinBox, QStringLiteral("Replications"));
  c->replications->setRange(kMinReplications, kMaxReplications);
  c->replications->setToolTip(ToQString(kReplicationsToolTip));
  c->replications_label = MakeLabel(QStringLiteral("ReplicationsLabel"), kReplicationsLabel);
  return SpinnerRow(c->replications_label, c->replications);
}

// Two columns, so that the options of a run's results (percentiles and
// replications) take no room of their own: the engine switches on the left,
// the results' options on the right, the spinners in the last row.
QGroupBox* RunOptionsFrame(SimulationControls* c) {
  c->skip_idle = MakeCheckBox(QStringLiteral("SkipIdle"), kSkipIdleCaption, kSkipIdleToolTip);
  c->ofcfs = MakeCheckBox(QStringLiteral("OFCFS"), kOfcfsCaption, kOfcfsToolTip);
  c->disprog = MakeCheckBox(QStringLiteral("Disprog"), kDisprogCaption, kDisprogToolTip);
  c->percentiles =
      MakeCheckBox(QStringLiteral("Percentiles"), kPercentilesCaption, kPercentilesToolTip);
  auto* frame = MakeFrame(QStringLiteral("RunOptionsFrame"), kRunOptionsCaption);
  auto* grid = new QGridLayout(frame);
  grid->addWidget(c->skip_idle, 0, 0);
  grid->addWidget(c->percentiles, 0, 1);
  grid->addWidget(c->ofcfs, 1, 0);
  grid->addWidget(c->disprog, 2, 0);
  grid->addLayout(ParallelRunsRow(c), 3, 0);
  grid->addLayout(ReplicationsRow(c), 3, 1);
  grid->setColumnStretch(1, 1);
  return frame;
}

QGroupBox* SimulatorFrame(SimulationControls* c) {
  c->sim_list = MakeWideList(QStringLiteral("SimList"));
  c->sim_list->setToolTip(ToQString(kSimListToolTip));
  c->sim_refresh =
      MakePictureButton(QStringLiteral("SimRefresh"), QStyle::SP_BrowserReload, kSimRefreshToolTip);
  c->command1 = MakePictureButton(QStringLiteral("Command1"), QStyle::SP_MessageBoxInformation,
                                  kAboutToolTip);
  auto* frame = MakeFrame(QStringLiteral("SimulatorFrame"), kSimulatorCaption);
  auto* layout = new QHBoxLayout(frame);
  layout->addWidget(c->sim_list, 1);
  layout->addWidget(c->sim_refresh);
  layout->addWidget(c->command1);
  return frame;
}

QGroupBox* SimulationFileFrame(SimulationControls* c) {
  c->opens = MakeButton(QStringLiteral("OpenS"), kOpenCaption);
  c->saves = MakeButton(QStringLiteral("SaveS"), kSaveCaption);
  c->save_as = MakeButton(QStringLiteral("SaveAs"), kSaveAsCaption);
  c->opens->setToolTip(ToQString(kOpenToolTip));
  c->saves->setToolTip(ToQString(kSaveToolTip));
  c->save_as->setToolTip(ToQString(kSaveAsToolTip));
  // The menus take Alt+F, R, V and H.
  SetMnemonic(c->opens, 0);    // &Open
  SetMnemonic(c->saves, 3);    // Sav&e
  SetMnemonic(c->save_as, 5);  // Save &As
  c->im_saved = MakeCheckBox(QStringLiteral("ImSaved"), kImSavedCaption, kImSavedToolTip);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(c->opens);
  buttons->addWidget(c->saves);
  buttons->addWidget(c->save_as);
  auto* frame = MakeFrame(QStringLiteral("SimulationFileFrame"), kSimulationFileCaption);
  auto* layout = new QVBoxLayout(frame);
  layout->addLayout(buttons);
  layout->addWidget(c->im_saved);
  return frame;
}

QHBoxLayout* RunRow(SimulationControls* c) {
  c->startb = MakeButton(QStringLiteral("Startb"), kStartCaption);
  c->stopb = MakeButton(QStringLiteral("Stopb"), kStopCaption);
  c->stopb->setToolTip(ToQString(kStopToolTip));
  SetMnemonic(c->startb, 0);  // &Start
  SetMnemonic(c->stopb, 1);   // S&top
  c->progress1 = Named(new QProgressBar, QStringLiteral("Progress1"));
  c->progress1->setTextVisible(false);
  c->progress1->setValue(0);
  c->ltime = MakeLabel(QStringLiteral("LTime"), kLTimeStartText);
  c->ltime->setToolTip(ToQString(kLTimeToolTip));
  // Room for long runs ("100:59:59"), so the bar beside it keeps its width
  // while the time counts.
  c->ltime->setMinimumWidth(c->ltime->fontMetrics().horizontalAdvance(QStringLiteral("000:00:00")));
  c->ltime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  c->timer2 = Named(new QTimer(c->ltime), QStringLiteral("Timer2"));
  c->timer2->setInterval(kTimer2Interval);
  auto* row = new QHBoxLayout;
  row->addWidget(c->startb);
  row->addWidget(c->stopb);
  row->addWidget(c->progress1, 1);
  row->addWidget(c->ltime);
  return row;
}

}  // namespace

SimulationControls BuildSimulationPage(QWidget* page) {
  SimulationControls c;
  c.page = page;
  page->setObjectName(QStringLiteral("Bigframe"));

  auto* left = new QVBoxLayout;
  left->addWidget(RequestGenerationFrame(&c));
  left->addWidget(SlookFrame(&c));
  left->addWidget(BopathFrame(&c));
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(DiskFrame(&c));
  right->addWidget(RunOptionsFrame(&c));
  right->addWidget(SimulatorFrame(&c));
  right->addWidget(SimulationFileFrame(&c));
  right->addStretch(1);
  // The panels scroll on a small screen; Start, Stop and the progress stay
  // in sight below them.
  auto* panels = new QWidget;
  auto* columns = new QHBoxLayout(panels);
  columns->setContentsMargins(0, 0, 0, 0);
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);
  auto* scroll = new QScrollArea;
  scroll->setWidget(panels);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(scroll, 1);
  layout->addLayout(RunRow(&c));
  return c;
}

}  // namespace trakvist
