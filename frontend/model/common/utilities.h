#ifndef TRAKVIST_FRONTEND_MODEL_COMMON_UTILITIES_H_
#define TRAKVIST_FRONTEND_MODEL_COMMON_UTILITIES_H_

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace trakvist {

// Separator of the folders in the paths the front end handles.
inline constexpr char kPathSeparator = '/';

// The front end's program folder ending in a separator: one is appended
// unless the folder already ends in it (as a root folder does).
std::string MakeAppFolder(std::string_view folder, char separator = kPathSeparator);

// `path` made absolute against the current folder; `path` itself when the
// current folder cannot be told.
std::string AbsolutePath(const std::string& path);

// The characters after the last separator of `path`; the whole path when
// it holds none; empty when it ends in a separator.
std::string FileNameOf(std::string_view path, char separator = kPathSeparator);

// Left and top position that centres a window on the screen:
// (screen size - window size) / 2, rounded to the nearest whole number,
// halves to even, kept within the 32-bit range (0 for non-numbers).
std::int32_t CenterLeft(double screen_width, double window_width);
std::int32_t CenterTop(double screen_height, double window_height);

// The first if it is greater (less for MinDouble) than the second, else
// the second.
std::int16_t MaxInt16(std::int16_t a, std::int16_t b);
std::int32_t MaxInt32(std::int32_t a, std::int32_t b);
double MinDouble(double a, double b);
double MaxDouble(double a, double b);

// Position of the first item equal to `entry`, -1 when there is none.
template <typename Items>
int PositionOf(const Items& items, std::string_view entry) {
  const auto found = std::find(items.begin(), items.end(), entry);
  return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_COMMON_UTILITIES_H_
