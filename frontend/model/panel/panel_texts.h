#ifndef TRAKVIST_FRONTEND_MODEL_PANEL_PANEL_TEXTS_H_
#define TRAKVIST_FRONTEND_MODEL_PANEL_PANEL_TEXTS_H_

#include <array>
#include <string_view>

namespace trakvist {

// Captions, list items and tooltips of the simulation parameters panel,
// exactly as shown to the user.

// Frames and the two pages of the disk properties frame.
inline constexpr std::string_view kDiskFrameCaption = "Disk Properties";
inline constexpr std::string_view kRequestFrameCaption = "Request Generation";
inline constexpr std::string_view kSlookFrameCaption = "S-LOOK Options";
inline constexpr std::string_view kBopathFrameCaption = "BO-PATH Options";
inline constexpr std::array<std::string_view, 2> kDiskPageTabs = {"Page 1", "Page 2"};

// Request source choices.
inline constexpr std::string_view kOption1Caption = "Request Arrival Distribution";
inline constexpr std::string_view kOption2Caption = "Generate All Requests At Time Zero";
inline constexpr std::string_view kOption3Caption = "Manual Request Entry";
inline constexpr std::string_view kOption3ToolTip = "See the ReadMe.txt file for more info";

// Check boxes.
inline constexpr std::string_view kRtimerCaption =
    "Randomize By Timer. (Gives true random requests)";
inline constexpr std::string_view kSkipIdleCaption = "Skip Idle Time";
inline constexpr std::string_view kSkipIdleToolTip =
    "Skip idle simulation time to improve performance. Usefull for very low request arrival "
    "rates.";
inline constexpr std::string_view kBopathResetCaption =
    "Reset BO-PATH waisted time on every request in path";
inline constexpr std::string_view kBopathSwapCaption = "Use BO-PATH min/max swaping trick";
inline constexpr std::string_view kOfcfsCaption = "Disable FCFS";
inline constexpr std::string_view kOfcfsToolTip =
    "FCFS consumes significant CPU time. You can disable it to improve performance";
inline constexpr std::string_view kPercentilesCaption = "Waiting-time percentiles";
inline constexpr std::string_view kPercentilesToolTip =
    "Each run also reports the median, 90th, 95th and 99th percentile and the standard "
    "deviation of the waiting times";
inline constexpr std::string_view kReplicationsLabel = "Replications";
inline constexpr std::string_view kReplicationsToolTip =
    "Runs each combination this many times, the seed counting up from its own, and shows the "
    "means with their 95 % confidence intervals";
inline constexpr std::string_view kDisprogCaption = "Disable Progress Bar to Improve Performance";
inline constexpr std::string_view kIsLbaCaption = "Use LBA";
inline constexpr std::string_view kIsLbaToolTip =
    "Assume manual requests are LBA values. If you import a file, the configuration in the fle "
    "will be used instead";

// S-LOOK reset method list; position + 1 is the engine's method number.
// "Initial Head Direction", beside the initial head position.
inline constexpr std::string_view kHeadDirectionLabel = "Initial Head Direction";
inline constexpr std::array<std::string_view, 2> kHeadDirectionItems = {"Up", "Down"};
inline constexpr std::string_view kHeadDirectionToolTip =
    "The way the heads of SCAN, LOOK and S-LOOK move first (C-SCAN and C-LOOK serve that way "
    "and return); FCFS and SSTF do not depend on it";
inline constexpr std::string_view kSlookResetLabel = "S-LOOK waisted time reseting method";
inline constexpr std::array<std::string_view, 3> kSlookResetItems = {"Extremes", "Ping Pong",
                                                                     "Empty Queue"};
inline constexpr int kEmptyQueueIndex = 2;

// Manual requests box, import button and run buttons.
inline constexpr std::string_view kManualToolTip = "See the ReadMe.txt file for more info";
inline constexpr std::string_view kImportToolTip = "Import requests file";
inline constexpr std::string_view kStartCaption = "Start";
inline constexpr std::string_view kStopCaption = "Stop";

// Last entry of the disk type list: figures that match no catalogued disk.
inline constexpr std::string_view kCustomDiskType = "Custom ...";

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PANEL_PANEL_TEXTS_H_
