#include "frontend/model/disks/disk_properties.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "frontend/model/common/number_text.h"
#include "frontend/model/common/utilities.h"
#include "frontend/model/common/whole_number.h"
#include "frontend/model/panel/panel_texts.h"

namespace trakvist {
namespace {

// Figure fields by role.
constexpr int kCylindersField = 0;  // of the physical geometry; logical: + 3
constexpr int kBlocksPerTrackField = 1;
constexpr int kHeadsField = 2;
constexpr int kLogicalOffset = 3;
constexpr int kFullSeekField = 6;
constexpr int kAverageSeekField = 7;
constexpr int kRotationalSpeedField = 9;
constexpr int kBytesPerBlockField = 11;

// The disk record's figure (kDiskFigureKeys order) shown by each field: the
// window lists the settle time before the bytes per block.
constexpr std::array<int, kDparamCount> kFigureOfField = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 10, 12};

constexpr double kBytesPerMegabyte = 1048576.0;
constexpr double kMillisecondsPerSecond = 1000.0;
constexpr double kSecondsPerMinute = 60.0;

bool IsDparamIndex(int index) { return index >= 0 && index < kDparamCount; }

int GeometryOffset(DiskGeometry geometry) {
  return geometry == DiskGeometry::kPhysical ? 0 : kLogicalOffset;
}

// A derived time: available only as a positive finite number.
std::optional<double> PositiveTime(double value) {
  if (!std::isfinite(value) || value <= 0.0) return std::nullopt;
  return value;
}

std::string TimeText(const std::optional<double>& seconds) {
  return seconds ? ScientificText(*seconds) + std::string(kTuUnit)
                 : std::string(kDiskValueNotAvailable);
}

std::string CapacityOf(const DiskProperties& window, int offset) {
  return CapacityText(DparamValue(window, kCylindersField + offset) *
                      DparamValue(window, kBlocksPerTrackField + offset) *
                      DparamValue(window, kHeadsField + offset) *
                      DparamValue(window, kBytesPerBlockField) / kBytesPerMegabyte);
}

std::optional<double> BlockTime(const DiskProperties& window) {
  const double product =
      DparamValue(window, kRotationalSpeedField) *
      DparamValue(window, kBlocksPerTrackField + GeometryOffset(window.geometry));
  if (product == 0.0) return std::nullopt;
  return PositiveTime(kSecondsPerMinute / product);
}

std::optional<double> CylinderSeekTime(const DiskProperties& window) {
  const double cylinders = DparamValue(window, kCylindersField + GeometryOffset(window.geometry));
  if (cylinders == 0.0) return std::nullopt;
  const double seek_ms = window.cst_method == CstMethod::kFullSeek
                             ? DparamValue(window, kFullSeekField)
                             : 2.0 * DparamValue(window, kAverageSeekField);
  return PositiveTime(seek_ms / (kMillisecondsPerSecond * cylinders));
}

double Stepped(double value, SpinDirection direction) {
  const double next = direction == SpinDirection::kUp ? value + 1.0 : value - 1.0;
  return std::clamp(next, 0.0, static_cast<double>(kSpinnerMax));
}

// Runs `change` with the loading flag raised, then puts the flag back.
template <typename Change>
void WhileLoading(DiskProperties* window, Change change) {
  const bool saved = window->loading;
  window->loading = true;
  change();
  window->loading = saved;
}

// Writes a whole number of TU into a parameter field; a negative or
// undefined value leaves the field as it is.
void WriteWholeParameter(ParametersPanel* panel, int index, std::optional<double> value) {
  if (!value || std::isnan(*value) || *value < 0.0) return;
  SetFieldText(panel, index, std::to_string(ToInt32HalfEven(*value)));
}

}  // namespace

DiskProperties StartDiskProperties() {
  DiskProperties window;
  for (int i = 0; i < kDparamCount; ++i) {
    window.dparam[i] = "0" + std::string(kDparamTable[i].unit);
  }
  window.tu = "0" + std::string(kTuUnit);
  RecomputeDiskDerived(&window);
  SetSmintu(&window, true);
  UpdateTUER(&window);
  return window;
}

double DparamValue(const DiskProperties& window, int index) {
  return IsDparamIndex(index) ? LeadingNumber(window.dparam[index]) : 0.0;
}

double TuValue(const DiskProperties& window) { return LeadingNumber(window.tu); }

std::string ScientificText(double value) {
  if (!std::isfinite(value)) return NumberText(value);
  if (value == 0.0) return "0E+0";
  char buffer[40];
  std::snprintf(buffer, sizeof(buffer), "%.12E", value);
  const std::string text = buffer;
  const std::size_t e = text.find('E');
  std::string mantissa = text.substr(0, e);
  mantissa.erase(mantissa.find_last_not_of('0') + 1);
  if (mantissa.back() == '.') mantissa.pop_back();
  const char sign = text[e + 1];
  std::string digits = text.substr(e + 2);
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
  return mantissa + "E" + sign + digits;
}

std::string CapacityText(double megabytes) {
  if (!std::isfinite(megabytes)) return std::string(kDiskValueNotAvailable);
  // The largest double has 309 digits before the point.
  std::array<char, 400> buffer;
  std::snprintf(buffer.data(), buffer.size(), "%.2f MB", megabytes);
  return buffer.data();
}

void Dparam_Change(DiskProperties* window, int index) {
  if (!IsDparamIndex(index) || window->changing) return;
  window->changing = true;
  if (!window->loading) window->disk_list2_text = std::string(kCustomDiskType);
  window->dparam[index] =
      NumberText(DparamValue(*window, index)) + std::string(kDparamTable[index].unit);
  RecomputeDiskDerived(window);
  window->changing = false;
}

void SetDparamText(DiskProperties* window, int index, std::string_view text) {
  if (!IsDparamIndex(index) || window->dparam[index] == text) return;
  window->dparam[index] = std::string(text);
  Dparam_Change(window, index);
}

void Dparam_UpDown_Click(DiskProperties* window, int index, SpinDirection direction) {
  if (!IsDparamIndex(index)) return;
  SetDparamText(window, index, NumberText(Stepped(DparamValue(*window, index), direction)));
}

void RecomputeDiskDerived(DiskProperties* window) {
  window->pcapa = CapacityOf(*window, 0);
  window->lcapa = CapacityOf(*window, kLogicalOffset);
  window->bt = BlockTime(*window);
  window->bt_text = TimeText(window->bt);
  window->cst = CylinderSeekTime(*window);
  window->cst_text = TimeText(window->cst);
  UpdateTU(window);
  UpdateTUER(window);
  window->latu_text = std::string(kDiskValueNotAvailable);
}

void UpdateTU(DiskProperties* window) {
  if (!window->smintu) return;
  std::optional<double> tu = window->bt;
  if (window->cst) tu = tu ? MinDouble(*tu, *window->cst) : *window->cst;
  if (tu) SetTuText(window, NumberText(*tu));
}

void UpdateTUER(DiskProperties* window) { window->tuer_text = std::string(kDiskValueNotAvailable); }

void SelectGeometry(DiskProperties* window, DiskGeometry geometry) {
  window->geometry = geometry;
  WhileLoading(window, [window] { RecomputeDiskDerived(window); });
}

void SelectCstMethod(DiskProperties* window, CstMethod method) {
  window->cst_method = method;
  WhileLoading(window, [window] { RecomputeDiskDerived(window); });
}

void SetSmintu(DiskProperties* window, bool checked) {
  window->smintu = checked;
  window->slatu = false;
  window->tu_locked = checked;
  window->tu_spinner_enabled = !checked;
  window->tu_color = BackgroundFor(!checked);
  UpdateTU(window);
}

bool SLATU_Click(DiskProperties* window) {
  const bool ask = window->slatu;
  window->slatu = false;
  return ask;
}

void SetTuText(DiskProperties* window, std::string_view text) {
  window->tu = NumberText(LeadingNumber(text)) + std::string(kTuUnit);
  UpdateTUER(window);
}

void TU_UpDown_Click(DiskProperties* window, SpinDirection direction) {
  if (!window->tu_spinner_enabled) return;
  SetTuText(window, NumberText(Stepped(TuValue(*window), direction)));
}

void LoadDiskIntoFields(DiskProperties* window, const DiskType& disk) {
  // All fields first, then one recomputation: the TU then follows the
  // loaded disk, not the half-loaded mixture of two disks.
  const std::array<double, kDiskFigureCount> figures = DiskFigures(disk);
  for (int i = 0; i < kDparamCount; ++i) {
    window->dparam[i] = NumberText(figures[kFigureOfField[i]]) + std::string(kDparamTable[i].unit);
  }
  RecomputeDiskDerived(window);
}

void StoreFieldsIntoDisk(const DiskProperties& window, DiskType* disk) {
  for (int i = 0; i < kDparamCount; ++i) {
    SetDiskFigure(disk, kFigureOfField[i], DparamValue(window, i));
  }
}

void ApplyDiskPropToSimPage(const DiskProperties& window, const DiskType& disk,
                            ParametersPanel* panel) {
  const double tu = TuValue(window);
  const bool tu_defined = std::isfinite(tu) && tu > 0.0;
  const auto per_tu = [&](const std::optional<double>& seconds) -> std::optional<double> {
    if (!seconds || !tu_defined) return std::nullopt;
    return *seconds / tu;
  };
  WriteWholeParameter(panel, kBlockTimeParameter, per_tu(window.bt));
  WriteWholeParameter(panel, kCylinderSeekParameter, per_tu(window.cst));
  if (tu_defined) SetFieldText(panel, kSecondsPerTuParameter, NumberText(tu));
  const bool physical = window.geometry == DiskGeometry::kPhysical;
  WriteWholeParameter(panel, kCylindersParameter,
                      physical ? disk.cylinders : disk.logical_cylinders);
  WriteWholeParameter(panel, kBlocksPerTrackParameter,
                      physical ? disk.blocks_per_track : disk.logical_blocks_per_track);
  WriteWholeParameter(panel, kHeadsParameter, physical ? disk.heads : disk.logical_heads);
  if (!tu_defined) return;
  // The settle time uses the seconds per TU as the field now holds them.
  const double written = LeadingNumber(panel->cparam[kSecondsPerTuParameter].text);
  if (written > 0.0) {
    WriteWholeParameter(panel, kSettleTimeParameter,
                        disk.settle_time / (written * kMillisecondsPerSecond));
  }
}

}  // namespace trakvist
