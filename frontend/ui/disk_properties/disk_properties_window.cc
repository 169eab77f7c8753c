#include "frontend/ui/disk_properties/disk_properties_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "frontend/model/panel/panel_texts.h"
#include "frontend/ui/common/background.h"
#include "frontend/ui/common/object_names.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/up_down.h"
#include "frontend/ui/common/widget_factory.h"
#include "frontend/ui/common/window_placement.h"
#include "frontend/ui/simulation/disk_type_list.h"
#include "frontend/ui/simulation/panel_view.h"

namespace trakvist {
namespace {

constexpr int kFigureDigits = 11;   // "10000000 KB"
constexpr int kDerivedDigits = 19;  // "2.08333333333333E-05 s"
constexpr int kFullSeekFigure = 6;
constexpr int kAverageSeekFigure = 7;
constexpr int kBytesPerBlockFigure = 11;
// Grid columns of a frame of figures.
enum FigureColumn { kChoiceColumn, kLabelColumn, kFieldColumn };

QLineEdit* DerivedDisplay(const QString& name) {
  auto* display = Named(new QLineEdit, name);
  display->setReadOnly(true);
  display->setFocusPolicy(Qt::ClickFocus);
  display->setFixedWidth(TextWidthFor(display, kDerivedDigits));
  SetBackground(display, ColorRole::kButtonFace);
  return display;
}

void AddFigureRow(QGridLayout* grid, int index, DiskPropertiesControls* c) {
  const int row = NextRow(grid);
  auto* label = MakeLabel(IndexedName("DparamLabel", index), kDparamTable[index].label);
  const SpinnerField spinner = MakeSpinnerField("Dparam", index, kFigureDigits, label);
  NumberEdit* edit = spinner.edit;
  UpDown* up_down = spinner.up_down;
  QHBoxLayout* field = spinner.layout;
  grid->addWidget(label, row, kLabelColumn);
  grid->addLayout(field, row, kFieldColumn);
  c->dparam[index] = edit;
  c->up_down[index] = up_down;
  c->dparam_label[index] = label;
}

void AddDerivedRow(QGridLayout* grid, const QString& label_name, std::string_view caption,
                   QLineEdit* display) {
  const int row = NextRow(grid);
  auto* label = MakeLabel(label_name, caption);
  label->setBuddy(display);
  grid->addWidget(label, row, kLabelColumn);
  grid->addWidget(display, row, kFieldColumn);
}

QGridLayout* FigureGrid() {
  QGridLayout* grid = MakeFieldGrid();
  grid->setColumnStretch(kChoiceColumn, 0);
  grid->setColumnStretch(kLabelColumn, 1);
  return grid;
}

// A geometry frame: its choice button heads it, the three figures and the
// capacity follow.
QGroupBox* GeometryFrame(const QString& name, QRadioButton* choice, int first_figure,
                         QLineEdit* capacity, const QString& capacity_label,
                         DiskPropertiesControls* c) {
  QGridLayout* grid = FigureGrid();
  grid->addWidget(choice, 0, kChoiceColumn, 1, 3);
  for (int i = first_figure; i < first_figure + 3; ++i) AddFigureRow(grid, i, c);
  capacity->setFixedWidth(TextWidthFor(capacity, kFigureDigits) + kUpDownWidth);
  AddDerivedRow(grid, capacity_label, kCapacityLabel, capacity);
  auto* frame = MakeFrame(name, {});
  frame->setLayout(grid);
  return frame;
}

QGroupBox* SpeedFrame(DiskPropertiesControls* c) {
  QGridLayout* grid = FigureGrid();
  for (int i = kFullSeekFigure; i <= 10; ++i) AddFigureRow(grid, i, c);
  c->cst_calc1 = MakeRadioButton(QStringLiteral("CSTCalc1"), {}, kCstCalcToolTip);
  c->cst_calc2 = MakeRadioButton(QStringLiteral("CSTCalc2"), {}, kCstCalcToolTip);
  grid->addWidget(c->cst_calc1, 0, kChoiceColumn);
  grid->addWidget(c->cst_calc2, 1, kChoiceColumn);
  auto* frame = MakeFrame(QStringLiteral("SpeedFrame"), kDparamTable[kFullSeekFigure].frame);
  frame->setLayout(grid);
  return frame;
}

QGroupBox* OtherFrame(DiskPropertiesControls* c) {
  QGridLayout* grid = FigureGrid();
  for (int i = 11; i <= 12; ++i) AddFigureRow(grid, i, c);
  grid->setRowStretch(NextRow(grid), 1);
  auto* frame = MakeFrame(QStringLiteral("OtherFrame"), kDparamTable[kBytesPerBlockFigure].frame);
  frame->setLayout(grid);
  return frame;
}

QHBoxLayout* TuField(DiskPropertiesControls* c) {
  auto* label = MakeLabel(QStringLiteral("TULabel"), kTuLabel);
  c->tu = Named(new NumberEdit, QStringLiteral("TU"));
  c->tu->setFixedWidth(TextWidthFor(c->tu, kDerivedDigits));
  c->tu_up_down = Named(new UpDown, QStringLiteral("TU_UpDown"));
  label->setBuddy(c->tu);
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addSpacing(4);
  row->setSpacing(0);
  row->addWidget(c->tu);
  row->addWidget(c->tu_up_down);
  row->addStretch(1);
  return row;
}

QGroupBox* TimeUnitFrame(DiskPropertiesControls* c) {
  c->bt = DerivedDisplay(QStringLiteral("BT"));
  c->cst = DerivedDisplay(QStringLiteral("CST"));
  c->latu = DerivedDisplay(QStringLiteral("LATU"));
  c->tuer = DerivedDisplay(QStringLiteral("TUER"));
  QGridLayout* derived = FigureGrid();
  AddDerivedRow(derived, QStringLiteral("BTLabel"), kBtLabel, c->bt);
  AddDerivedRow(derived, QStringLiteral("CSTLabel"), kCstLabel, c->cst);
  AddDerivedRow(derived, QStringLiteral("LATULabel"), kLatuLabel, c->latu);
  AddDerivedRow(derived, QStringLiteral("TUERLabel"), kTuerLabel, c->tuer);

  c->smintu = MakeCheckBox(QStringLiteral("SMINTU"), kSmintuCaption);
  c->slatu = MakeCheckBox(QStringLiteral("SLATU"), kSlatuCaption);
  auto* choice = new QVBoxLayout;
  choice->addLayout(TuField(c));
  choice->addWidget(c->smintu);
  choice->addWidget(c->slatu);
  choice->addStretch(1);

  auto* frame = MakeFrame(QStringLiteral("TUFrame"), kTimeUnitFrame);
  auto* layout = new QHBoxLayout(frame);
  layout->addLayout(derived, 1);
  layout->addSpacing(16);
  layout->addLayout(choice);
  return frame;
}

QHBoxLayout* ButtonRow(DiskPropertiesControls* c) {
  c->apply = MakeCheckBox(QStringLiteral("APPLY"), kDiskPropApplyCaption);
  c->save_disk = MakeButton(QStringLiteral("SaveDisk"), kSaveDiskCaption);
  c->edit_file = MakeButton(QStringLiteral("EditFile"), kEditFileCaption);
  c->ok = MakeButton(QStringLiteral("OK"), kDiskPropOkCaption);
  c->cancel = MakeButton(QStringLiteral("Cancel"), kDiskPropCancelCaption);
  c->ok->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addWidget(c->apply);
  row->addSpacing(12);
  row->addWidget(c->save_disk);
  row->addWidget(c->edit_file);
  row->addStretch(1);
  row->addWidget(c->ok);
  row->addWidget(c->cancel);
  return row;
}

QHBoxLayout* NameRow(DiskPropertiesControls* c) {
  c->name_label = MakeLabel(QStringLiteral("NameLabel"), kDiskNameLabel);
  c->disk_list2 = new DiskTypeList;
  MakeWideList(QStringLiteral("DiskList2"), c->disk_list2);
  c->name_label->setBuddy(c->disk_list2);
  auto* row = new QHBoxLayout;
  row->addWidget(c->name_label);
  row->addWidget(c->disk_list2, 1);
  return row;
}

// Shows a figure or the TU as the model holds it, unless the user is typing
// in it: then the model holds the typed text already.
void ShowEditText(QLineEdit* edit, const std::string& text) {
  if (edit->isModified() && edit->hasFocus()) return;
  SetTextKeepingCursor(edit, ToQString(text));
  edit->setModified(false);
}

void ShowTimeUnit(const DiskProperties& state, const DiskPropertiesControls& c) {
  ShowEditText(c.tu, state.tu);
  c.tu->setReadOnly(state.tu_locked);
  SetBackground(c.tu, state.tu_color);
  c.tu_up_down->setEnabled(state.tu_spinner_enabled);
  c.smintu->setChecked(state.smintu);
  c.slatu->setChecked(state.slatu);
  c.apply->setChecked(state.apply);
}

void ShowDerived(const DiskProperties& state, const DiskPropertiesControls& c) {
  c.pcapa->setText(ToQString(state.pcapa));
  c.lcapa->setText(ToQString(state.lcapa));
  c.bt->setText(ToQString(state.bt_text));
  c.cst->setText(ToQString(state.cst_text));
  c.latu->setText(ToQString(state.latu_text));
  c.tuer->setText(ToQString(state.tuer_text));
}

}  // namespace

DiskPropertiesWindow::DiskPropertiesWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FDiskProp"));
  setWindowTitle(ToQString(kDiskPropCaption));

  c_.op_geometry = MakeRadioButton(QStringLiteral("OPGeometry"), kPhysicalGeometryCaption);
  c_.ol_geometry = MakeRadioButton(QStringLiteral("OLGeometry"), kLogicalGeometryCaption);
  c_.pcapa = DerivedDisplay(QStringLiteral("PCapa"));
  c_.lcapa = DerivedDisplay(QStringLiteral("LCapa"));
  auto* physical = GeometryFrame(QStringLiteral("PhysicalFrame"), c_.op_geometry, 0, c_.pcapa,
                                 QStringLiteral("PCapaLabel"), &c_);
  auto* logical = GeometryFrame(QStringLiteral("LogicalFrame"), c_.ol_geometry, 3, c_.lcapa,
                                QStringLiteral("LCapaLabel"), &c_);
  // The geometry choice and the CST method are two separate choices.
  auto* geometry = new QButtonGroup(this);
  geometry->addButton(c_.op_geometry);
  geometry->addButton(c_.ol_geometry);

  auto* figures = new QGridLayout;
  figures->addWidget(physical, 0, 0);
  figures->addWidget(logical, 0, 1);
  figures->addWidget(SpeedFrame(&c_), 1, 0);
  figures->addWidget(OtherFrame(&c_), 1, 1);
  auto* cst_method = new QButtonGroup(this);
  cst_method->addButton(c_.cst_calc1);
  cst_method->addButton(c_.cst_calc2);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(NameRow(&c_));
  layout->addLayout(figures);
  layout->addWidget(TimeUnitFrame(&c_));
  layout->addLayout(ButtonRow(&c_));
  layout->setSizeConstraint(QLayout::SetFixedSize);

  ShowState(StartDiskProperties(), {std::string(kCustomDiskType)});
  connect(c_.cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void DiskPropertiesWindow::ShowState(const DiskProperties& state,
                                     const std::vector<std::string>& entries) {
  ShowListEntries(c_.disk_list2, entries, state.disk_list2_text);
  for (int i = 0; i < kDparamCount; ++i) ShowEditText(c_.dparam[i], state.dparam[i]);
  c_.op_geometry->setChecked(state.geometry == DiskGeometry::kPhysical);
  c_.ol_geometry->setChecked(state.geometry == DiskGeometry::kLogical);
  c_.cst_calc1->setChecked(state.cst_method == CstMethod::kFullSeek);
  c_.cst_calc2->setChecked(state.cst_method == CstMethod::kAverageSeek);
  ShowDerived(state, c_);
  ShowTimeUnit(state, c_);
}

void DiskPropertiesWindow::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  if (!placed_) {
    adjustSize();
    CentreOnScreen(this);
    placed_ = true;
  }
  show();
  raise();
  activateWindow();
}

}  // namespace trakvist
