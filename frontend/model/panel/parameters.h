#ifndef TRAKVIST_FRONTEND_MODEL_PANEL_PARAMETERS_H_
#define TRAKVIST_FRONTEND_MODEL_PANEL_PARAMETERS_H_

#include <array>
#include <string>
#include <string_view>

namespace trakvist {

// The sixteen simulation parameters. Their index (0..15) addresses the
// parameter fields, the X-axis choices, the title check boxes, the value
// lists, the sweep ranges and the saved file alike.
inline constexpr int kParameterCount = 16;

// Parameter indexes by role, in the order of kParameterTable.
inline constexpr int kRequestsParameter = 0;
inline constexpr int kSeedParameter = 1;
inline constexpr int kDistributionParameter1 = 2;  // labelled after the distribution
inline constexpr int kDistributionParameter2 = 3;  // labelled after the distribution
inline constexpr int kWaistedTimeConstantParameter = 4;
inline constexpr int kWaistedTimeFactorParameter = 5;
inline constexpr int kThresholdParameter = 6;
inline constexpr int kDepthParameter = 7;
inline constexpr int kBlockTimeParameter = 8;
inline constexpr int kCylinderSeekParameter = 9;
inline constexpr int kCylindersParameter = 10;
inline constexpr int kInitialHeadParameter = 11;
inline constexpr int kSecondsPerTuParameter = 12;
inline constexpr int kBlocksPerTrackParameter = 13;
inline constexpr int kSettleTimeParameter = 14;
inline constexpr int kHeadsParameter = 15;

// The seventeenth X-axis choice: no parameter varies along the axis.
inline constexpr int kNoXAxisVariable = 16;
inline constexpr std::string_view kNoXAxisVariableName = "No X-axis Variable";

// Frame (and page) of the parameters panel that holds a field.
enum class ParamGroup {
  kRequestGeneration,
  kSlookOptions,
  kBopathOptions,
  kDiskPropertiesPage1,
  kDiskPropertiesPage2,
};

// Which characters a field accepts besides digits and commas.
enum class NumberKind {
  kWhole,               // digits only
  kDecimal,             // one decimal point and one exponent per number
  kDecimalWhenPoisson,  // decimal with the "Poisson" distribution, else whole
};

struct ParameterInfo {
  // Field label. Empty for fields 2 and 3, whose labels follow the
  // distribution (see ParameterLabel).
  std::string_view label;
  ParamGroup group;
  std::string_view default_text;
  NumberKind number_kind;
  bool minus_allowed;
  // Filled by choosing a disk type; editing by hand makes the disk custom.
  bool disk_derived;
  // Caption of the parameter as X-axis variable before any results exist.
  std::string_view x_axis_name;
  // Engine option with the "Poisson" distribution and with any other one;
  // empty when the parameter is not passed in that case.
  std::string_view poisson_option;
  std::string_view generic_option;
};

inline constexpr std::array<ParameterInfo, kParameterCount> kParameterTable = {{
    {"Total Number of Requests", ParamGroup::kRequestGeneration, "500", NumberKind::kWhole, false,
     false, "Total Number of Requests", "-t:", "-t:"},
    {"Randomization Seed", ParamGroup::kRequestGeneration, "600", NumberKind::kWhole, false, false,
     "Randomization Seed", "-r:", "-r:"},
    {"", ParamGroup::kRequestGeneration, "60", NumberKind::kDecimalWhenPoisson, false, false,
     "Maximum Requests Per Time Unit", "-a:", "-n:"},
    {"", ParamGroup::kRequestGeneration, "0.01", NumberKind::kDecimal, false, false,
     "Request Arival Probability %", "", "-p:"},
    {"S-LOOK Waisted Time Constant", ParamGroup::kSlookOptions, "0", NumberKind::kWhole, true,
     false, "S-LOOK Waisted Time Constant", "-wc:", "-wc:"},
    {"S-LOOK Waisted Time Factor", ParamGroup::kSlookOptions, "1", NumberKind::kWhole, true, false,
     "S-LOOK Waisted Time Factor", "-f:", "-f:"},
    {"BO-PATH Waisted Time Threshold", ParamGroup::kBopathOptions, "1000", NumberKind::kWhole,
     false, false, "BO-PATH Waisted Time Threshold", "-o:", "-o:"},
    {"BO-PATH Maximum A* Depth", ParamGroup::kBopathOptions, "30", NumberKind::kWhole, false, false,
     "BO-PATH Maximum A* Depth", "-x:", "-x:"},
    {"Block Time (TU)", ParamGroup::kDiskPropertiesPage1, "2", NumberKind::kWhole, false, true,
     "Block Transfer Time", "-b:", "-b:"},
    {"Cylinder Seek Time (TU)", ParamGroup::kDiskPropertiesPage1, "1", NumberKind::kWhole, false,
     true, "Cylinder Seek Time", "-e:", "-e:"},
    {"Total Number of Cylinders", ParamGroup::kDiskPropertiesPage1, "1000", NumberKind::kWhole,
     false, true, "Total Cylinders", "-m:", "-m:"},
    {"Initial Head Position", ParamGroup::kDiskPropertiesPage1, "0", NumberKind::kWhole, false,
     false, "Initial Head Position", "-i:", "-i:"},
    {"Number of Seconds Per Time Unit", ParamGroup::kRequestGeneration, "0.00001",
     NumberKind::kDecimal, false, true, "Number of Seconds Per Time Unit", "-tu:", ""},
    {"Blocks Per Track", ParamGroup::kDiskPropertiesPage1, "600", NumberKind::kWhole, false, true,
     "Blocks Per Track", "-bpt:", "-bpt:"},
    {"Settle Time (TU)", ParamGroup::kDiskPropertiesPage2, "600", NumberKind::kWhole, false, true,
     "Settle Time", "-st:", "-st:"},
    {"Number of Heads", ParamGroup::kDiskPropertiesPage2, "4", NumberKind::kWhole, false, true,
     "Number of Heads", "-hd:", "-hd:"},
}};

// True for 0..15.
bool IsParameterIndex(int index);

// Whether field `index` accepts a decimal point and an exponent while the
// distribution list is at `distribution_index`.
bool DecimalsAllowed(int index, int distribution_index);

// Whether field `index` accepts minus signs.
bool MinusAllowed(int index);

// Whether field `index` is one of the fields a disk type fills.
bool IsDiskDerived(int index);

// Label of field `index` for the distribution at `distribution_index`.
// Empty for an index outside 0..15, and for fields 2 and 3 with an unknown
// distribution.
std::string ParameterLabel(int index, int distribution_index);

// Caption of X-axis choice `index` (0..16). `result_distribution` is the
// distribution the stored results were made with, or -1 when there are no
// results; parameters 2 and 3 then keep their built-in names. Empty for an
// index outside 0..16.
std::string XAxisName(int index, int result_distribution);

// Engine option of parameter `index` with the distribution at
// `distribution_index`; empty when the parameter is not passed then.
std::string_view EngineOption(int index, int distribution_index);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PANEL_PARAMETERS_H_
