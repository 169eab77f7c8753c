#include "frontend/ui/start_arguments.h"

namespace trakvist {

StartArguments ParseStartArguments(const std::vector<std::string>& arguments) {
  StartArguments result;
  bool options_ended = false;
  for (const std::string& argument : arguments) {
    if (!options_ended && argument == "--") {
      options_ended = true;
    } else if (!options_ended && (argument == "-h" || argument == "--help")) {
      result.help = true;
    } else if (!options_ended && argument.size() > 1 && argument[0] == '-') {
      result.error = "unknown option " + argument;
      return result;
    } else if (result.open_file) {
      result.error = "only one file can be opened, not also " + argument;
      return result;
    } else {
      result.open_file = argument;
    }
  }
  return result;
}

}  // namespace trakvist
