#include "frontend/ui/disk_properties/disk_properties_controller.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "frontend/model/disks/disk_types.h"
#include "frontend/ui/common/message_box.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/up_down.h"
#include "frontend/ui/disk_properties/disk_properties_window.h"
#include "frontend/ui/simulation/disk_type_list.h"

namespace trakvist {
namespace {

// The text the user typed into `edit` since it was last shown, once.
std::optional<std::string> TakeTyping(QLineEdit* edit) {
  if (!edit->isModified()) return std::nullopt;
  edit->setModified(false);
  return ToStdString(edit->text());
}

}  // namespace

DiskPropertiesController::DiskPropertiesController(MainState* state, DiskPropertiesWindow* window,
                                                   const MainWindowServices& services,
                                                   QObject* parent)
    : QObject(parent),
      state_(state),
      window_(window),
      files_(services.files),
      open_in_editor_(services.open_in_editor) {
  ConnectFigures();
  ConnectChoices();
  ConnectButtons();
  Refresh();
}

void DiskPropertiesController::ConnectFigures() {
  const DiskPropertiesControls& c = window_->controls();
  for (int i = 0; i < kDparamCount; ++i) {
    connect(c.dparam[i], &QLineEdit::editingFinished, this, [this, i] { OnFigureEdited(i); });
    connect(c.dparam[i], &NumberEdit::StepRequested, this,
            [this, i](SpinDirection direction) { OnFigureSpin(i, direction); });
    connect(c.up_down[i], &UpDown::Stepped, this,
            [this, i](SpinDirection direction) { OnFigureSpin(i, direction); });
  }
  connect(c.tu, &QLineEdit::editingFinished, this, &DiskPropertiesController::OnTuEdited);
  connect(c.tu, &NumberEdit::StepRequested, this, &DiskPropertiesController::OnTuSpin);
  connect(c.tu_up_down, &UpDown::Stepped, this, &DiskPropertiesController::OnTuSpin);
}

void DiskPropertiesController::ConnectChoices() {
  const DiskPropertiesControls& c = window_->controls();
  const auto on_click = [this](QAbstractButton* button, auto rule) {
    connect(button, &QAbstractButton::clicked, this, [this, rule] {
      CommitTyping();
      rule(&state_->disks.window);
      Refresh();
    });
  };
  on_click(c.op_geometry, [](DiskProperties* w) { SelectGeometry(w, DiskGeometry::kPhysical); });
  on_click(c.ol_geometry, [](DiskProperties* w) { SelectGeometry(w, DiskGeometry::kLogical); });
  on_click(c.cst_calc1, [](DiskProperties* w) { SelectCstMethod(w, CstMethod::kFullSeek); });
  on_click(c.cst_calc2, [](DiskProperties* w) { SelectCstMethod(w, CstMethod::kAverageSeek); });
  connect(c.smintu, &QCheckBox::clicked, this, &DiskPropertiesController::OnSmintu);
  connect(c.slatu, &QCheckBox::clicked, this, &DiskPropertiesController::OnSlatu);
  connect(c.apply, &QCheckBox::clicked, this,
          [this](bool checked) { state_->disks.window.apply = checked; });
  connect(c.disk_list2, &DiskTypeList::AboutToBeUsed, this,
          &DiskPropertiesController::ReloadIfChanged);
  connect(c.disk_list2, &QComboBox::activated, this, &DiskPropertiesController::OnDiskList2);
}

void DiskPropertiesController::ConnectButtons() {
  const DiskPropertiesControls& c = window_->controls();
  connect(c.ok, &QPushButton::clicked, this, &DiskPropertiesController::OnOk);
  // Cancel, Escape and the title bar's close button.
  connect(window_, &QDialog::rejected, this, &DiskPropertiesController::OnCancel);
  connect(c.save_disk, &QPushButton::clicked, this, &DiskPropertiesController::OnSaveDisk);
  connect(c.edit_file, &QPushButton::clicked, this, &DiskPropertiesController::OnEditFile);
}

void DiskPropertiesController::OpenCustom() {
  Custom_Click(&state_->disks, &state_->panel, *files_);
  emit PanelChanged();
  Refresh();
  window_->ShowModal();
}

void DiskPropertiesController::ReloadIfChanged() {
  CommitTyping();
  if (!trakvist::ReloadIfChanged(&state_->disks, &state_->panel, *files_)) return;
  Refresh();
  emit PanelChanged();
}

void DiskPropertiesController::OnFigureEdited(int index) {
  const std::optional<std::string> typed = TakeTyping(window_->controls().dparam[index]);
  if (!typed) return;
  SetDparamText(&state_->disks.window, index, *typed);
  Refresh();
}

void DiskPropertiesController::OnFigureSpin(int index, SpinDirection direction) {
  CommitTyping();
  Dparam_UpDown_Click(&state_->disks.window, index, direction);
  Refresh();
}

void DiskPropertiesController::OnTuEdited() {
  const std::optional<std::string> typed = TakeTyping(window_->controls().tu);
  if (!typed) return;
  SetTuText(&state_->disks.window, *typed);
  Refresh();
}

void DiskPropertiesController::OnTuSpin(SpinDirection direction) {
  CommitTyping();
  TU_UpDown_Click(&state_->disks.window, direction);
  Refresh();
}

void DiskPropertiesController::OnSmintu(bool checked) {
  CommitTyping();
  SetSmintu(&state_->disks.window, checked);
  Refresh();
}

void DiskPropertiesController::OnSlatu(bool checked) {
  CommitTyping();
  state_->disks.window.slatu = checked;
  const bool ask = SLATU_Click(&state_->disks.window);
  Refresh();
  if (ask && AskQuestion(window_, kSlatuQuestion)) {
    OpenInEditor(state_->AppFolder + std::string(kApmInstructionsFile));
  }
}

void DiskPropertiesController::OnDiskList2(int index) {
  CommitTyping();
  DiskList2_Click(&state_->disks, index);
  Refresh();
}

void DiskPropertiesController::OnOk() {
  CommitTyping();
  DiskPropOK_Click(&state_->disks, &state_->panel, *files_);
  Refresh();
  emit PanelChanged();
  window_->accept();
}

void DiskPropertiesController::OnCancel() {
  DiskPropCancel_Click(&state_->disks);
  Refresh();
}

void DiskPropertiesController::OnSaveDisk() {
  CommitTyping();
  bool answered = false;
  const QString name =
      QInputDialog::getText(window_, ToQString(kMainWindowTitle), ToQString(kNewDiskPrompt),
                            QLineEdit::Normal, QString(), &answered);
  if (!answered) return;
  const DiskSaveOutcome outcome =
      SaveDisk_Click(&state_->disks, &state_->panel, *files_, ToStdString(name));
  Refresh();
  emit PanelChanged();
  if (outcome.status == DiskSaveStatus::kFailed) ShowMessage(window_, outcome.message);
}

void DiskPropertiesController::OnEditFile() { OpenInEditor(state_->disks.path); }

void DiskPropertiesController::OpenInEditor(const std::string& path) {
  const std::string problem = open_in_editor_ ? open_in_editor_(path) : std::string();
  if (!problem.empty()) ShowMessage(window_, problem);
}

void DiskPropertiesController::CommitTyping() {
  const DiskPropertiesControls& c = window_->controls();
  for (int i = 0; i < kDparamCount; ++i) {
    if (const std::optional<std::string> typed = TakeTyping(c.dparam[i])) {
      SetDparamText(&state_->disks.window, i, *typed);
    }
  }
  if (const std::optional<std::string> typed = TakeTyping(c.tu)) {
    SetTuText(&state_->disks.window, *typed);
  }
}

void DiskPropertiesController::Refresh() {
  window_->ShowState(state_->disks.window, state_->disks.catalogue.entries);
}

}  // namespace trakvist
