#include "frontend/ui/simulation/panel_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

#include "frontend/ui/charts/charts_page.h"
#include "frontend/model/panel/parameter_help.h"
#include "frontend/ui/common/background.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/up_down.h"
#include "frontend/ui/simulation/simulation_page.h"

namespace trakvist {
namespace {

void ShowField(const ParametersPanel& panel, const SimulationControls& c, int index) {
  const ParameterField& field = panel.cparam[index];
  NumberEdit* edit = c.cparam[index];
  SetTextKeepingCursor(edit, ToQString(field.text));
  edit->setEnabled(field.enabled);
  edit->setToolTip(ToQString(FieldToolTip(panel, index)));
  SetBackground(edit, field.color);
  c.up_down[index]->setEnabled(field.spinner_enabled);
  c.cparam_label[index]->setText(ToQString(field.label));
  c.cparam_label[index]->setEnabled(field.label_enabled);
}

bool SameItems(const QComboBox* list, const std::vector<std::string>& entries) {
  if (list->count() != static_cast<int>(entries.size())) return false;
  for (int i = 0; i < list->count(); ++i) {
    if (list->itemText(i) != ToQString(entries[i])) return false;
  }
  return true;
}

void ShowCheck(QCheckBox* box, bool checked, bool enabled) {
  box->setChecked(checked);
  box->setEnabled(enabled);
}

void ShowSpinner(QSpinBox* spinner, QLabel* label, int value, bool enabled) {
  const QSignalBlocker quiet(spinner);
  spinner->setValue(value);
  spinner->setEnabled(enabled);
  label->setEnabled(enabled);
}

void ShowRequestSource(const ParametersPanel& p, const SimulationControls& c) {
  c.option1->setChecked(p.source == RequestSource::kDistribution);
  c.option2->setChecked(p.source == RequestSource::kAllAtTimeZero);
  c.option3->setChecked(p.source == RequestSource::kManual);
  c.dist_list->setCurrentIndex(p.dist_list);
  c.dist_list->setEnabled(p.dist_list_enabled);
  SetBackground(c.dist_list, p.dist_list_color);
  ShowCheck(c.rtimer, p.rtimer, p.rtimer_enabled);
  SetTextKeepingCursor(c.manual, ToQString(p.manual_text));
  c.manual->setEnabled(p.manual_enabled);
  SetBackground(c.manual, p.manual_color);
  c.import_button->setEnabled(p.import_enabled);
  ShowCheck(c.is_lba, p.is_lba, p.is_lba_enabled);
}

void ShowOptions(const ParametersPanel& p, const SimulationControls& c) {
  c.slook_reset->setCurrentIndex(p.slook_reset);
  c.head_direction->setCurrentIndex(p.head_down ? 1 : 0);
  ShowCheck(c.bopath_reset, p.bopath_reset, p.bopath_reset_enabled);
  ShowCheck(c.bopath_swap, p.bopath_swap, p.bopath_swap_enabled);
  ShowCheck(c.skip_idle, p.skip_idle, p.skip_idle_enabled);
  ShowCheck(c.ofcfs, p.ofcfs, p.ofcfs_enabled);
  ShowCheck(c.disprog, p.disprog, p.disprog_enabled);
  ShowCheck(c.percentiles, p.percentiles, p.percentiles_enabled);
  ShowSpinner(c.parallel_runs, c.parallel_runs_label, p.parallel_runs, p.parallel_runs_enabled);
  ShowSpinner(c.replications, c.replications_label, p.replications, p.replications_enabled);
}

void ShowFramesAndButtons(const ParametersPanel& p, const SimulationControls& c,
                          const ResultsButtons& results) {
  c.frame1->setEnabled(p.disk_frame_enabled);
  c.frame2->setEnabled(p.request_frame_enabled);
  c.frame3->setEnabled(p.slook_frame_enabled);
  c.frame4->setEnabled(p.bopath_frame_enabled);
  c.startb->setEnabled(p.startb_enabled);
  c.stopb->setEnabled(p.stopb_enabled);
  c.opens->setEnabled(p.opens_enabled);
  c.im_saved->setEnabled(p.imsaved_enabled);
  c.sim_list->setEnabled(p.simlist_enabled);
  c.sim_refresh->setEnabled(p.simrefresh_enabled);
  c.saves->setEnabled(p.saves_enabled);
  c.save_as->setEnabled(p.saveas_enabled);
  // Publish and Export Results both need results.
  results.publish->setEnabled(p.publish_enabled);
  results.export_results->setEnabled(p.publish_enabled);
}

}  // namespace

void ShowPanel(const ParametersPanel& panel, const SimulationControls& controls,
               const ResultsButtons& results) {
  for (int i = 0; i < kParameterCount; ++i) ShowField(panel, controls, i);
  ShowRequestSource(panel, controls);
  ShowOptions(panel, controls);
  ShowFramesAndButtons(panel, controls, results);
}

void ShowListEntries(QComboBox* list, const std::vector<std::string>& entries,
                     const std::string& selected) {
  const QSignalBlocker quiet(list);
  if (!SameItems(list, entries)) {
    list->clear();
    for (const std::string& entry : entries) list->addItem(ToQString(entry));
  }
  list->setCurrentIndex(
      list->findText(ToQString(selected), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void ShowXAxisState(const XAxisState& state, const ChartsControls& controls) {
  for (int i = 0; i < kXAxisChoiceCount; ++i) {
    controls.coption[i]->setEnabled(state.coption_enabled[i]);
    if (state.coption_checked[i]) controls.coption[i]->setChecked(true);
  }
  for (int i = 0; i < kParameterCount; ++i) {
    ShowCheck(controls.pcheck[i], state.pcheck_checked[i], state.pcheck_enabled[i]);
    controls.cm[i]->setEnabled(state.cm_enabled[i]);
  }
  controls.formula->setCurrentIndex(state.formula);
  controls.formula->setEnabled(state.formula_enabled);
  SetBackground(controls.formula, state.formula_color);
  controls.boption->setChecked(state.chart_type == ChartType::kBars);
  controls.loption->setChecked(state.chart_type == ChartType::kLines);
  controls.showx->setEnabled(state.showx_enabled);
}

void ShowValueLists(const ValueLists& lists, const XAxisState& state,
                    const ChartsControls& controls) {
  for (int i = 0; i < kParameterCount; ++i) {
    const ValueList& list = lists.Cm[i];
    QComboBox* combo = controls.cm[i];
    combo->clear();
    for (const std::string& entry : list.entries) combo->addItem(ToQString(entry));
    combo->setCurrentIndex(list.selected);
    SetBackground(combo, state.cm_enabled[i] ? list.colour : state.cm_color[i]);
  }
  controls.coption[2]->setText(ToQString(lists.captions.parameter2));
  controls.coption[3]->setText(ToQString(lists.captions.parameter3));
}

}  // namespace trakvist
