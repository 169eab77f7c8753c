#ifndef TRAKVIST_FRONTEND_UI_START_ARGUMENTS_H_
#define TRAKVIST_FRONTEND_UI_START_ARGUMENTS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trakvist {

// What the command line asks of Trakvist: `Trakvist [FILE]`, FILE being a
// simulation file to open at start as Open does. Options start with "-";
// "--" ends them, so that a file whose name starts with "-" can be named.
struct StartArguments {
  std::optional<std::string> open_file;
  bool help = false;  // -h, --help: the usage, and nothing else
  std::string error;  // not empty: the command line was not understood
};

inline constexpr std::string_view kStartUsage =
    "Usage: Trakvist [FILE]\n"
    "Opens the Trakvist window; with FILE, opens that simulation file in it.\n";

// Reads the arguments after the program's name (with the window system's
// own options already taken out).
StartArguments ParseStartArguments(const std::vector<std::string>& arguments);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_START_ARGUMENTS_H_
