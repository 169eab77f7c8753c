#ifndef TRAKVIST_FRONTEND_MODEL_DISKS_DISK_PROPERTIES_H_
#define TRAKVIST_FRONTEND_MODEL_DISKS_DISK_PROPERTIES_H_

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/model/common/color_role.h"
#include "frontend/model/disks/disk_catalogue.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/panel/spinner.h"

namespace trakvist {

// The disk properties window (`FDiskProp`): the figures of the current disk,
// the block time and cylinder seek time derived from them, the choice of
// the length of one time unit (TU), and the conversion of the figures into
// the TU-based simulation parameters (`ApplyDiskPropToSimPage`).
//
// The window's state exists from the start with its defaults (physical
// geometry, CST from the full seek time, "Set TU to Min(BT,CST)" checked),
// whether or not it has ever been shown. Choosing a disk type on the main
// window loads that disk's figures into these fields first, which derives
// BT, CST and the TU from the chosen disk's own figures with the window's
// current choices, and then converts; so a disk applied before the window
// was ever shown converts with the defaults above.

inline constexpr std::string_view kDiskPropCaption = "Disk Properties";
inline constexpr int kDparamCount = 13;

// One figure field (`Dparam`) of the window.
struct DparamInfo {
  std::string_view label;
  std::string_view frame;
  std::string_view unit;  // shown after the number
};

inline constexpr std::array<DparamInfo, kDparamCount> kDparamTable = {{
    {"Number of Cylinders", "Physical Geometry", ""},
    {"Blocks Per Track", "Physical Geometry", ""},
    {"Number of Heads", "Physical Geometry", ""},
    {"Number of Cylinders", "Logical Geometry", ""},
    {"Blocks Per Track", "Logical Geometry", ""},
    {"Number of Heads", "Logical Geometry", ""},
    {"Full Seek Time", "Disk Speed", " ms"},
    {"Average Seek Time", "Disk Speed", " ms"},
    {"Track-to-Tack Seek", "Disk Speed", " ms"},
    {"Rotational Speed", "Disk Speed", " RPM"},
    {"Settle Time", "Disk Speed", " ms"},
    {"Bytes Per Block", "Other", " B"},
    {"Buffer Size", "Other", " KB"},
}};

// Captions, labels and messages of the window.
inline constexpr std::string_view kDiskNameLabel = "Name\\Model:";
inline constexpr std::string_view kPhysicalGeometryCaption = "Physical Geometry";  // `OPGeometry`
inline constexpr std::string_view kLogicalGeometryCaption = "Logical Geometry";    // `OLGeometry`
inline constexpr std::string_view kCstCalcToolTip =
    "Choose which value to be used to calculate CST";
inline constexpr std::string_view kCapacityLabel = "Capacity";
inline constexpr std::string_view kBtLabel = "Block Time (s)";
inline constexpr std::string_view kCstLabel = "Cylinder Seek Time (s)";
inline constexpr std::string_view kLatuLabel = "Largest Accurate TU";
inline constexpr std::string_view kTuerLabel = "TU Error";
inline constexpr std::string_view kTimeUnitFrame = "Time Unit Settings";
inline constexpr std::string_view kTuLabel = "1 TU =";
inline constexpr std::string_view kTuUnit = " s";
inline constexpr std::string_view kSmintuCaption = "Set TU to Min(BT,CST)";
inline constexpr std::string_view kSlatuCaption = "Set TU to Largest Accurate TU";
inline constexpr std::string_view kDiskPropApplyCaption = "Apply";
inline constexpr std::string_view kDiskPropOkCaption = "OK";
inline constexpr std::string_view kDiskPropCancelCaption = "Cancel";
inline constexpr std::string_view kSaveDiskCaption = "Save Disk Properties";
inline constexpr std::string_view kEditFileCaption = "Edit Disks File";
inline constexpr std::string_view kDiskValueNotAvailable = "N/A";
inline constexpr std::string_view kNewDiskPrompt = "Enter a name for the new disk properties";
inline constexpr std::string_view kSlatuQuestion =
    "This feature needs an Arbitrary Precision Math Library. Do you want to see instructons on "
    "how to install it ?";
// In the program folder; opened in the text editor when the user answers
// Yes to kSlatuQuestion.
inline constexpr std::string_view kApmInstructionsFile = "APM_Download_Instructions.txt";

// Which geometry the derived values and the conversion use.
enum class DiskGeometry { kPhysical, kLogical };  // `OPGeometry`, `OLGeometry`

// What the cylinder seek time is taken from.
enum class CstMethod {
  kFullSeek,     // `CSTCalc1`: the full seek time
  kAverageSeek,  // `CSTCalc2`: twice the average seek time
};

struct DiskProperties {
  std::array<std::string, kDparamCount> dparam;  // number followed by its unit
  std::string disk_list2_text;                   // `DiskList2`
  DiskGeometry geometry = DiskGeometry::kPhysical;
  CstMethod cst_method = CstMethod::kFullSeek;

  // Derived values in seconds; nothing where they are not available.
  std::optional<double> bt;
  std::optional<double> cst;
  std::string pcapa;  // "<MB> MB"
  std::string lcapa;
  std::string bt_text;  // "#.############E+" followed by " s", or "N/A"
  std::string cst_text;
  std::string latu_text{kDiskValueNotAvailable};
  std::string tuer_text{kDiskValueNotAvailable};

  std::string tu;  // `TU`: number followed by " s"
  bool tu_locked = false;
  bool tu_spinner_enabled = true;
  ColorRole tu_color = ColorRole::kWindow;
  bool smintu = false;  // "Set TU to Min(BT,CST)"
  bool slatu = false;   // "Set TU to Largest Accurate TU"
  bool apply = true;    // `APPLY`: OK applies the figures to the simulation page

  bool visible = false;
  bool changing = false;  // guards the field change rules against re-entry
  bool loading = false;   // the program fills the fields: `DiskList2` stays
};

// The window as it is created: every figure 0, derived values recomputed,
// "Set TU to Min(BT,CST)" checked (which locks the TU field), 1 TU = 0 s,
// "N/A" for the TU error and the largest accurate TU.
DiskProperties StartDiskProperties();

// The number a figure field or the TU field holds (its leading number).
double DparamValue(const DiskProperties& window, int index);
double TuValue(const DiskProperties& window);

// A value in the display form "#.############E+": one digit before the
// point, at most twelve after it (rounded, trailing zeros dropped, the point
// too when none remain), then "E", the exponent's sign and its digits
// without leading zeros: 2.083333333333E-5, 1.7E-6, 1E+0, 0E+0.
std::string ScientificText(double value);

// A capacity in megabytes with two decimals and " MB", "N/A" when it is
// not a finite number.
std::string CapacityText(double megabytes);

// The field change rules of figure `index` (`Dparam_Change`): unless the
// loading flag is set, `DiskList2` switches to "Custom ..."; the field shows
// its number followed by its unit; the derived values are recomputed.
// Views run it when editing of a field ends, since the re-rendered text
// would fight the typing.
void Dparam_Change(DiskProperties* window, int index);

// Sets figure `index`'s text from code; when the text changes, the change
// rules run.
void SetDparamText(DiskProperties* window, int index, std::string_view text);

// A spinner press of figure `index`: its value plus or minus 1, kept within
// 0..kSpinnerMax.
void Dparam_UpDown_Click(DiskProperties* window, int index, SpinDirection direction);

// Capacities, BT and CST of the selected geometry, then UpdateTU and
// UpdateTUER. BT = 60 / (rotational speed x blocks per track); CST = (full
// seek time, or twice the average seek time) / (1000 x cylinders). Each is
// available only when it is a positive finite number: no division by 0,
// and negative figures give "N/A" rather than a negative time.
void RecomputeDiskDerived(DiskProperties* window);

// With "Set TU to Min(BT,CST)" checked, the TU becomes the smaller of the
// available BT and CST; with neither available it stays. ("Set TU to
// Largest Accurate TU" never stays checked, see SLATU_Click.)
void UpdateTU(DiskProperties* window);

// The TU error is never computed: it shows "N/A".
void UpdateTUER(DiskProperties* window);

// Choosing the other geometry or CST method recomputes the derived values
// without making the disk "Custom ...".
void SelectGeometry(DiskProperties* window, DiskGeometry geometry);
void SelectCstMethod(DiskProperties* window, CstMethod method);

// `SMINTU` click with the box set to `checked`: clears "Set TU to Largest
// Accurate TU", locks the TU field (spinner off, button-face colour) while
// checked, then UpdateTU.
void SetSmintu(DiskProperties* window, bool checked);

// `SLATU` click: the largest accurate TU is not available, so the box is
// cleared again at once. Returns whether the user is to be asked
// kSlatuQuestion (Yes opens kApmInstructionsFile), which is when the box
// had been checked.
bool SLATU_Click(DiskProperties* window);

// Sets the TU field's text from code or typing (`TU_Change`): it shows its
// number followed by " s", then UpdateTUER.
void SetTuText(DiskProperties* window, std::string_view text);

// A TU spinner press: 1 second more or less, kept within 0..kSpinnerMax;
// nothing while the TU is locked.
void TU_UpDown_Click(DiskProperties* window, SpinDirection direction);

// Fills the figure fields from `disk` as the program's own change, so
// `DiskList2` keeps its entry, then recomputes the derived values once.
void LoadDiskIntoFields(DiskProperties* window, const DiskType& disk);

// Stores the figure fields into `disk` (its name stays): whole-number
// figures rounded to the nearest whole number, halves to even, the others
// as typed.
void StoreFieldsIntoDisk(const DiskProperties& window, DiskType* disk);

// Writes the simulation parameters from `disk` with the window's TU, BT,
// CST and geometry, in this order, each through the panel's change rules:
// "Block Time (TU)" = BT / TU and "Cylinder Seek Time (TU)" = CST / TU,
// rounded; "Number of Seconds Per Time Unit" = the TU as number text; the
// cylinders, blocks per track and heads of the selected geometry; "Settle
// Time (TU)" = settle time (ms) / (the seconds per TU just written x 1000),
// rounded. Rounding is half to even. A field whose value is not defined is
// left as it is: BT or CST not available, a TU that is not positive (then
// the settle time too), or a negative result.
void ApplyDiskPropToSimPage(const DiskProperties& window, const DiskType& disk,
                            ParametersPanel* panel);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_DISKS_DISK_PROPERTIES_H_
