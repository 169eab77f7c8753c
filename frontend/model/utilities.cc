#include "frontend/model/utilities.h"

#include <cmath>
#include <limits>

namespace trakvist {
namespace {

// Rounds to the nearest whole number, an exact half to the even neighbour,
// without depending on the floating-point environment.
double RoundHalfEven(double x) {
  const double lower = std::floor(x);
  const double diff = x - lower;
  if (diff < 0.5) return lower;
  if (diff > 0.5) return lower + 1.0;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::int32_t CenterOffset(double screen, double window) {
  const double centred = RoundHalfEven((screen - window) / 2.0);
  if (std::isnan(centred)) return 0;
  constexpr double kLow = std::numeric_limits<std::int32_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
  if (centred <= kLow) return std::numeric_limits<std::int32_t>::min();
  if (centred >= kHigh) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(centred);
}

}  // namespace

std::string MakeAppFolder(std::string_view folder, char separator) {
  std::string result(folder);
  if (result.empty() || result.back() != separator) result.push_back(separator);
  return result;
}

std::string FileNameOf(std::string_view path, char separator) {
  const std::size_t last = path.rfind(separator);
  if (last == std::string_view::npos) return std::string(path);
  return std::string(path.substr(last + 1));
}

std::int32_t CenterLeft(double screen_width, double window_width) {
  return CenterOffset(screen_width, window_width);
}

std::int32_t CenterTop(double screen_height, double window_height) {
  return CenterOffset(screen_height, window_height);
}

std::int16_t MaxInt16(std::int16_t a, std::int16_t b) { return a > b ? a : b; }
std::int32_t MaxInt32(std::int32_t a, std::int32_t b) { return a > b ? a : b; }
double MinDouble(double a, double b) { return a < b ? a : b; }
double MaxDouble(double a, double b) { return a > b ? a : b; }

}  // namespace trakvist
