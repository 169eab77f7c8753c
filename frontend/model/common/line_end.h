#ifndef TRAKVIST_FRONTEND_MODEL_COMMON_LINE_END_H_
#define TRAKVIST_FRONTEND_MODEL_COMMON_LINE_END_H_

#include <string_view>

namespace trakvist {

// Every text file and clipboard text the front end writes ends its lines
// with a carriage return and a line feed, as the engine and spreadsheet
// programs on every platform read them.
inline constexpr std::string_view kLineEnd = "\r\n";

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_COMMON_LINE_END_H_
