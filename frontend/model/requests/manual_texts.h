#ifndef TRAKVIST_FRONTEND_MODEL_REQUESTS_MANUAL_TEXTS_H_
#define TRAKVIST_FRONTEND_MODEL_REQUESTS_MANUAL_TEXTS_H_

#include <cstddef>
#include <string_view>

namespace trakvist {

// Texts of the manual requests: dialog, wait window and messages, exactly as
// shown to the user. Messages are shown titled "Trakvist" with an OK button.

// The file-open dialog of the import button.
inline constexpr std::string_view kImportDialogTitle = "Import";
inline constexpr std::string_view kImportDialogFilter =
    "Text (*.txt)|*.txt|Comma Delimited File (*.csv)|*.csv|All Files|*.*";

// The wait window shown while a long text is scanned.
inline constexpr std::string_view kWaitWindowCaption = "Wait !!";
inline constexpr std::string_view kWaitWindowLabel = "Importing manual file...";

// Texts longer than this many characters are scanned behind the wait window.
inline constexpr std::size_t kWaitWindowThreshold = 40000;

// Import.
inline constexpr std::string_view kCanNotOpenImportMessage =
    "Can not open the file. Make sure it's not locked by another program.";
inline constexpr std::string_view kImportNotProperFormatMessage =
    "The manual requests file you chose is not in the proper format.";

// Import and start.
inline constexpr std::string_view kFirstLineMessage =
    "The first line of the requests file should be always for configuration or left empty!!";
// LBA requests are turned into cylinders through fields 13 and 15; a zero
// in either leaves no cylinder to compute.
inline constexpr std::string_view kNoLbaGeometryMessage =
    "LBA requests need 'Blocks Per Track' and 'Number of Heads' greater than 0.";

// Start.
inline constexpr std::string_view kCanNotOpenManualFileMessage =
    "Can not open the manual file. Make sure it exists and not locked by another program.";
inline constexpr std::string_view kManualNotProperFormatMessage =
    "The manual requests are not in the proper format.";
inline constexpr std::string_view kNoRequestsMessage =
    "The manual requests/file does not contain any requests!!";
inline constexpr std::string_view kCanNotWriteRequestsMessage =
    "Can not write the manual requests file. Make sure the program's folder is writable and "
    "the disk is not full.";

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_REQUESTS_MANUAL_TEXTS_H_
