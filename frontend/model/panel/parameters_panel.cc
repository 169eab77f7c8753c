#include "frontend/model/panel/parameters_panel.h"

#include "frontend/model/panel/distribution.h"
#include "frontend/model/panel/numeric_filter.h"
#include "frontend/model/panel/panel_texts.h"

namespace trakvist {
namespace {

// Enables or disables a field together with its spinner and label.
void SetFieldAndLabelEnabled(ParametersPanel* panel, int index, bool enabled) {
  SetCparamEnabled(panel, index, enabled);
  panel->cparam[index].label_enabled = enabled;
}

bool PoissonSelected(const ParametersPanel& panel) { return panel.dist_list == kPoissonIndex; }

void SetDistListEnabled(ParametersPanel* panel, bool enabled) {
  panel->dist_list_enabled = enabled;
  panel->dist_list_color = BackgroundFor(enabled);
}

void SetManualEnabled(ParametersPanel* panel, bool enabled) {
  panel->manual_enabled = enabled;
  panel->manual_color = BackgroundFor(enabled);
  panel->import_enabled = enabled;
}

// The part shared by the two random request sources; only the first one
// uses the distribution list.
void ApplyGeneratedSource(ParametersPanel* panel, bool uses_distribution) {
  SetFieldAndLabelEnabled(panel, kRequestsParameter, true);
  panel->rtimer_enabled = true;
  Rtimer_Click(panel);
  SetDistListEnabled(panel, uses_distribution);
  SetManualEnabled(panel, false);
  panel->is_lba_enabled = false;
}

}  // namespace

bool FrameEnabledFor(const ParametersPanel& panel, int index) {
  if (!IsParameterIndex(index)) return false;
  switch (kParameterTable[index].group) {
    case ParamGroup::kRequestGeneration:
      return panel.request_frame_enabled;
    case ParamGroup::kSlookOptions:
      return panel.slook_frame_enabled;
    case ParamGroup::kBopathOptions:
      return panel.bopath_frame_enabled;
    case ParamGroup::kDiskPropertiesPage1:
    case ParamGroup::kDiskPropertiesPage2:
      return panel.disk_frame_enabled;
  }
  return false;
}

ParametersPanel StartParametersPanel() {
  ParametersPanel panel;
  for (int i = 0; i < kParameterCount; ++i) {
    panel.cparam[i].text = std::string(kParameterTable[i].default_text);
    panel.cparam[i].label = std::string(kParameterTable[i].label);
  }
  panel.dist_list = kPoissonIndex;
  panel.slook_reset = kEmptyQueueIndex;
  Option1_Click(&panel);
  Rtimer_Click(&panel);
  // The BO-PATH parameters cannot be changed on the panel: nothing enables
  // these again.
  panel.bopath_frame_enabled = false;
  SetFieldAndLabelEnabled(&panel, kThresholdParameter, false);
  SetFieldAndLabelEnabled(&panel, kDepthParameter, false);
  panel.bopath_reset_enabled = false;
  panel.bopath_swap_enabled = false;
  return panel;
}

void TxtValidate(ParameterField* field, bool minus_allowed, bool decimals_allowed,
                 bool exponent_allowed) {
  field->text = FilterNumericText(field->text, minus_allowed, decimals_allowed, exponent_allowed);
  field->spinner_enabled = field->text.find(',') == std::string::npos;
}

void Cparam_Change(ParametersPanel* panel, int index) {
  if (!IsParameterIndex(index)) return;
  const bool decimals = DecimalsAllowed(index, panel->dist_list);
  TxtValidate(&panel->cparam[index], MinusAllowed(index), decimals, decimals);
  if (IsDiskDerived(index) && !panel->disk_type_applying) {
    panel->disk_list_text = std::string(kCustomDiskType);
  }
  // LBA manual requests convert to cylinders through these two values.
  if (index == kBlocksPerTrackParameter || index == kHeadsParameter)
    panel->manual_req_changed = true;
}

// Like a text box, a field reports a change only when its text really
// changes, so a spinner press at a bound or the same text again changes
// nothing else.
void SetFieldText(ParametersPanel* panel, int index, std::string_view text) {
  if (!IsParameterIndex(index) || panel->cparam[index].text == text) return;
  panel->cparam[index].text = std::string(text);
  Cparam_Change(panel, index);
}

void UpDown_Click(ParametersPanel* panel, int index, SpinDirection direction) {
  if (!IsParameterIndex(index)) return;
  const ParameterField& field = panel->cparam[index];
  if (!field.enabled || !field.spinner_enabled) return;
  SetFieldText(panel, index, SpinnerStep(index, field.text, direction));
}

void SetCparamEnabled(ParametersPanel* panel, int index, bool enabled) {
  if (!IsParameterIndex(index)) return;
  ParameterField& field = panel->cparam[index];
  field.enabled = enabled;
  field.spinner_enabled = enabled;
  field.color = BackgroundFor(enabled);
}

void DistList_Click(ParametersPanel* panel) {
  ParameterField& field2 = panel->cparam[kDistributionParameter1];
  ParameterField& field3 = panel->cparam[kDistributionParameter2];
  GetDistParams(panel->dist_list, &field2.label, &field3.label);
  GetDistToolTips(panel->dist_list, &field2.tooltip, &field3.tooltip);
  SetFieldAndLabelEnabled(panel, kDistributionParameter1, true);
  SetFieldAndLabelEnabled(panel, kDistributionParameter2, !PoissonSelected(*panel));
  // Field 2 accepts a decimal point only with "Poisson": a text that no
  // longer passes the filter is emptied rather than silently altered.
  const std::string before = field2.text;
  Cparam_Change(panel, kDistributionParameter1);
  if (field2.text != before) SetFieldText(panel, kDistributionParameter1, "");
}

void SelectDistribution(ParametersPanel* panel, int index) {
  panel->dist_list = index;
  DistList_Click(panel);
}

void Option1_Click(ParametersPanel* panel) {
  panel->source = RequestSource::kDistribution;
  DistList_Click(panel);
  ApplyGeneratedSource(panel, true);
}

void Option2_Click(ParametersPanel* panel) {
  panel->source = RequestSource::kAllAtTimeZero;
  ApplyGeneratedSource(panel, false);
  SetFieldAndLabelEnabled(panel, kDistributionParameter1, false);
  SetFieldAndLabelEnabled(panel, kDistributionParameter2, false);
}

void Option3_Click(ParametersPanel* panel) {
  panel->source = RequestSource::kManual;
  SetFieldAndLabelEnabled(panel, kRequestsParameter, false);
  SetFieldAndLabelEnabled(panel, kSeedParameter, false);
  panel->rtimer_enabled = false;
  SetFieldAndLabelEnabled(panel, kDistributionParameter1, false);
  SetFieldAndLabelEnabled(panel, kDistributionParameter2, false);
  SetDistListEnabled(panel, false);
  SetManualEnabled(panel, true);
  panel->is_lba_enabled = !panel->manual_is_file_path;
}

void SelectRequestSource(ParametersPanel* panel, RequestSource source) {
  switch (source) {
    case RequestSource::kDistribution:
      Option1_Click(panel);
      return;
    case RequestSource::kAllAtTimeZero:
      Option2_Click(panel);
      return;
    case RequestSource::kManual:
      Option3_Click(panel);
      return;
  }
}

void Rtimer_Click(ParametersPanel* panel) {
  SetFieldAndLabelEnabled(panel, kSeedParameter, !panel->rtimer);
}

void SetRtimer(ParametersPanel* panel, bool checked) {
  panel->rtimer = checked;
  Rtimer_Click(panel);
}

void Enable_StartControls(ParametersPanel* panel, bool enable) {
  panel->disk_frame_enabled = enable;
  panel->request_frame_enabled = enable;
  panel->slook_frame_enabled = enable;
  panel->disprog_enabled = enable;
  panel->skip_idle_enabled = enable;
  panel->ofcfs_enabled = enable;
  panel->parallel_runs_enabled = enable;
  panel->percentiles_enabled = enable;
  panel->replications_enabled = enable;
  panel->startb_enabled = enable;
  panel->opens_enabled = enable;
  panel->imsaved_enabled = enable;
  panel->simlist_enabled = enable;
  panel->simrefresh_enabled = enable;
  // Saving needs results, and Publish is enabled exactly when they exist.
  panel->saves_enabled = enable && panel->publish_enabled;
  panel->saveas_enabled = enable && panel->publish_enabled;
}

}  // namespace trakvist
