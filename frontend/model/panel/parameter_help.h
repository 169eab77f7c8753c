#ifndef TRAKVIST_FRONTEND_MODEL_PANEL_PARAMETER_HELP_H_
#define TRAKVIST_FRONTEND_MODEL_PANEL_PARAMETER_HELP_H_

#include <string>
#include <string_view>

#include "frontend/model/panel/parameters_panel.h"

namespace trakvist {

// Help on the controls of the "Simulation" tab that carry no fixed tooltip
// of their own.
inline constexpr std::string_view kStartToolTip =
    "Run the engine once for every combination of the parameter ranges (F5)";
inline constexpr std::string_view kStopToolTip =
    "Stop the sweep; the results of the last completed sweep stay (Esc)";
inline constexpr std::string_view kOption1ToolTip =
    "Generate requests at random, arriving by the chosen distribution";
inline constexpr std::string_view kOption2ToolTip =
    "Generate requests at random, all arriving at time 0";
inline constexpr std::string_view kRtimerToolTip =
    "Seed the random requests from the clock: every run gets different requests";
inline constexpr std::string_view kDisprogToolTip =
    "The engine sends no progress messages: runs are a little faster, the bar stays still";
inline constexpr std::string_view kBopathResetToolTip =
    "BO-PATH option, passed to engines that implement BO-PATH";
inline constexpr std::string_view kBopathSwapToolTip =
    "BO-PATH option, passed to engines that implement BO-PATH";
inline constexpr std::string_view kDiskListToolTip =
    "Disk type from Disks.ini: choosing one fills the disk fields in time units; editing a "
    "disk field makes it \"Custom ...\"";
inline constexpr std::string_view kCustomDiskToolTip =
    "Convert a disk's physical figures into the time units of the disk fields";
inline constexpr std::string_view kOpenToolTip =
    "Open a saved simulation: its results and, if chosen below, its settings";
inline constexpr std::string_view kSaveToolTip =
    "Save the results of the last sweep with the settings of this page";
inline constexpr std::string_view kSaveAsToolTip = "Save to a file you choose";

// The tooltip of parameter field `index`: what it sets, its unit and the
// range form. Fields 2 and 3 show the tooltips of their distribution
// instead, as the panel holds them.
std::string FieldToolTip(const ParametersPanel& panel, int index);

// "What's This?" help of parameter field `index`: its meaning, unit and
// range form in a few sentences.
std::string FieldWhatsThis(int index);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PANEL_PARAMETER_HELP_H_
