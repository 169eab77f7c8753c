#ifndef TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_FORMAT_H_
#define TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_FORMAT_H_

#include <string>
#include <string_view>

#include "frontend/model/common/line_end.h"
#include "frontend/model/results/sweep_results.h"

namespace trakvist {

// The saved simulation file: a version line, then sections found by their
// header lines, every line ended by CR LF.

// Version written by this front end; files of a higher version are refused.
inline constexpr int kSimFileVersion = 5;

// Number of page controls and values per result row as written.
inline constexpr int kPageControlCount = 15;
inline constexpr int kResultRowValues = 9;

inline constexpr std::string_view kPageSection = "[Simulation Page]";
inline constexpr std::string_view kPageParametersSection = "[Simulation Page Parameters]";
inline constexpr std::string_view kRangesSection = "[Simulation Parameters]";
inline constexpr std::string_view kOtherSection = "[Other Parameters]";
inline constexpr std::string_view kSeekSection = "[Total Seek Time]";
inline constexpr std::string_view kAvgWaitSection = "[Average Waiting Time]";
inline constexpr std::string_view kMaxWaitSection = "[Maximum Waiting Time]";

// Sections added after the last one of the format: each is written only
// when it has something to say, so files of default settings keep their
// bytes, and a reader that follows the format passes over them.
// "Initial Head Direction" Down (the only value written; Up is the default).
inline constexpr std::string_view kHeadDirectionSection = "[Initial Head Direction]";
inline constexpr std::string_view kHeadDownText = "Down";
inline constexpr std::string_view kHeadUpText = "Up";
// The waiting-time statistics of each run (the means over the replications
// when there are several), one section per metric in the form of the
// result sections, headed by the metric's name in brackets.
// "[Replications]": the count K, then the number of seeds drawn for
// "Randomize By Timer" (0 or K) and those seeds one per line. Then one
// section per metric the runs hold, "[Replication Total Seek Time]" and so
// on, in the form of the result sections with a row per engine run: the K
// replications of each combination one after the other.
inline constexpr std::string_view kReplicationsSection = "[Replications]";
inline constexpr std::string_view kReplicationSectionPrefix = "Replication ";

inline constexpr std::string_view kResultHeaderRow =
    ",FCFS,SSTF,SCAN,C-SCAN,LOOK,C-LOOK,S-LOOK,BO-PATH,SATF";

// Values of the exclusive choices as written.
inline constexpr std::string_view kTrueText = "True";
inline constexpr std::string_view kFalseText = "False";

// Messages of saving and opening, shown in a box titled "Trakvist".
inline constexpr std::string_view kCanNotSaveMessage = "Can not save to selected file.";
inline constexpr std::string_view kCanNotOpenMessage = "Can not open selected file.";
inline constexpr std::string_view kHigherVersionMessage =
    "This file is saved with a higher version format than the Trakvist version you are using. "
    "Please install the latest version of Trakvist";
inline constexpr std::string_view kSimFileNotProperFormatMessage =
    "The file selected is not in the proper format.";

// The header of the added section of `metric`'s statistics of each run,
// "[Median Waiting Time]", or of its replications,
// "[Replication Median Waiting Time]".
std::string MetricSection(Metric metric, bool replications);

// The saved disk type is not in the disk type list.
std::string UnknownDiskMessage(std::string_view disk_type);

// The saved simulator is not in the simulator list.
std::string UnknownSimulatorMessage(std::string_view simulator);

// A file older than the simulator line; names the simulator in use.
std::string OlderVersionMessage(std::string_view current_simulator);

// The window title after a file was saved or opened: "Trakvist - " and the
// file's name.
std::string SimFileWindowTitle(std::string_view path);

// A whole number as the file writes it: a space (a minus sign for a
// negative number), the digits and a trailing space, as in " 5 " or "-3 ".
std::string PrintStyle(long long value);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_FILES_SIM_FILE_FORMAT_H_
