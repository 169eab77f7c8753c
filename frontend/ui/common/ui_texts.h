#ifndef TRAKVIST_FRONTEND_UI_COMMON_UI_TEXTS_H_
#define TRAKVIST_FRONTEND_UI_COMMON_UI_TEXTS_H_

#include <array>
#include <string_view>

#include "frontend/model/chart/chart_copies.h"
#include "frontend/model/requests/manual_texts.h"
#include "frontend/model/results/results_table.h"

namespace trakvist {

// Captions, items and tooltips of the windows that the model does not hold
// (yet), exactly as shown to the user.

inline constexpr std::string_view kProgramName = "Trakvist";
inline constexpr std::array<std::string_view, 2> kMainTabs = {"Simulation", "Charts"};

// "Simulation" tab, besides the parameters panel's own texts.
inline constexpr std::string_view kCustomDiskButtonCaption = "Custom ...";
inline constexpr std::string_view kOpenCaption = "Open";
inline constexpr std::string_view kSaveCaption = "Save";
inline constexpr std::string_view kSaveAsCaption = "Save As";
inline constexpr std::string_view kImSavedCaption = "Import Saved Simulation Page";
inline constexpr std::string_view kImSavedToolTip =
    "Import saved simulation page when opening a saved charts/data file";
inline constexpr std::string_view kAboutToolTip = "About Trakvist";
// Frames of the controls that sit outside the panel's four frames.
inline constexpr std::string_view kRunOptionsCaption = "Run Options";
inline constexpr std::string_view kSimulatorCaption = "Simulator";
inline constexpr std::string_view kSimulationFileCaption = "Simulation File";

// "Charts" tab.
inline constexpr std::string_view kTotalSeekCaption = "Total Seek Time";
inline constexpr std::string_view kAvWaitCaption = "Av. Waiting Time";
inline constexpr std::string_view kMaxWaitCaption = "Max. Waiting Time";
inline constexpr std::string_view kExcludeCaption = "Exclude:";
inline constexpr std::string_view kTimeUnitCaption = "1 Time Unit = ";
inline constexpr std::string_view kYAxisUnitsCaption = "Y-aixs Units";
inline constexpr std::string_view kCopyTuCaption = "Y-axis scale in seconds";
inline constexpr std::string_view kShowResultsCaption = "Show Results";
inline constexpr std::string_view kTitleCaption = "Title:";
inline constexpr std::string_view kCTitleToolTip = "Type your own chart title";
inline constexpr std::string_view kFormulaCaption = "Formula:";
inline constexpr std::string_view kSimParametersCaption = "Simulation Parameters";
inline constexpr std::array<std::string_view, 2> kParameterPageTabs = {"Page 1", "Page 2"};
inline constexpr std::string_view kChartTypeCaption = "Chart Type";
inline constexpr std::string_view kContentCaption = "Content";
inline constexpr std::string_view kPublishCaption = "Publish";
// Writing the stored results as tidy data.
inline constexpr std::string_view kExportResultsCaption = "Export Results\u2026";
inline constexpr std::string_view kExportResultsToolTip =
    "Write every run's results, one row per algorithm, to a CSV file";
inline constexpr std::string_view kExportResultsTitle = "Export Results";
inline constexpr std::string_view kExportFileFilter = "CSV files (*.csv)|*.csv";
// Saving a chart as a picture file, on the Charts tab and in chart windows.
inline constexpr std::string_view kSaveChartCaption = "Save Chart\u2026";
inline constexpr std::string_view kSaveChartTitle = "Save Chart";
inline constexpr std::string_view kChartFileFilter =
    "Pictures (*.png *.svg *.pdf)|*.png;*.svg;*.pdf|PNG Picture|*.png|SVG Drawing|*.svg|"
    "PDF Document|*.pdf";
inline constexpr std::string_view kChartFileKinds =
    "A chart is saved as a PNG, SVG or PDF file: end the file name in .png, .svg or .pdf.";
inline constexpr std::string_view kPicture1ToolTip = "Show or hide the results table";
// Column headings above the X-axis choices, value lists and title boxes.
inline constexpr std::array<std::string_view, 3> kParameterColumnHeadings = {"X-axis", "Value",
                                                                             "Title"};

// About box.
inline constexpr std::string_view kAboutTitle = "About Trakvist";
inline constexpr std::string_view kAboutDescription =
    "A disk-scheduling simulator: compares how FCFS, SSTF, SCAN, C-SCAN, LOOK, C-LOOK and "
    "S-LOOK serve one and the same stream of block requests.";

// The simulation file dialog's filter, as pairs of description and pattern
// list (the requests file dialog's is the model's kImportDialogFilter).
inline constexpr std::string_view kSimulationFileFilter = "Text (*.txt)|*.txt|All Files|*.*";

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_COMMON_UI_TEXTS_H_
