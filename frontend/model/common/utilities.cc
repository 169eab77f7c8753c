#include "frontend/model/common/utilities.h"

#include <filesystem>

#include "frontend/model/common/whole_number.h"

namespace trakvist {

std::string AbsolutePath(const std::string& path) {
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
  return absolute.empty() ? path : absolute.string();
}

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
  return ToInt32HalfEven((screen_width - window_width) / 2.0);
}

std::int32_t CenterTop(double screen_height, double window_height) {
  return ToInt32HalfEven((screen_height - window_height) / 2.0);
}

std::int16_t MaxInt16(std::int16_t a, std::int16_t b) { return a > b ? a : b; }
std::int32_t MaxInt32(std::int32_t a, std::int32_t b) { return a > b ? a : b; }
double MinDouble(double a, double b) { return a < b ? a : b; }
double MaxDouble(double a, double b) { return a > b ? a : b; }

}  // namespace trakvist
