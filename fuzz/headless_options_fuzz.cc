// The command line of the program without a window: arguments cut at line
// feeds. Whatever the arguments, the parse ends in options or in a usage
// message, never both; what it keeps stays within the choices it offers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

#include "frontend/model/headless/headless_options.h"
#include "frontend/model/panel/parameters.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments = fuzz::SplitParts(fuzz::AsText(data, size), '\n');
  if (size == 0) arguments.clear();
  const auto parsed = trakvist::ParseHeadlessOptions(arguments);
  if (const auto* error = std::get_if<trakvist::UsageError>(&parsed)) {
    FUZZ_CHECK(!error->message.empty());
    return 0;
  }
  const auto& options = std::get<trakvist::HeadlessOptions>(parsed);
  for (const auto& [index, text] : options.fields) {
    FUZZ_CHECK(index >= 0 && index < trakvist::kParameterCount);
  }
  for (const auto& [index, text] : options.view.values) {
    FUZZ_CHECK(index >= 0 && index < trakvist::kParameterCount);
  }
  if (options.view.x_axis) FUZZ_CHECK(*options.view.x_axis >= 0 && *options.view.x_axis <= 16);
  if (options.view.formula) FUZZ_CHECK(*options.view.formula >= 0);
  if (options.mode == trakvist::ProgramMode::kOpen) FUZZ_CHECK(options.file.has_value());
  if (options.mode == trakvist::ProgramMode::kWindow) {
    // Only a file name keeps the window.
    FUZZ_CHECK(!options.save && !options.chart && options.fields.empty());
  }
  if (options.chart) FUZZ_CHECK(trakvist::ChartFormatOf(*options.chart).has_value());
  // A trace import names its trace and output; its options go with it alone.
  const bool importing = options.mode == trakvist::ProgramMode::kImportTrace;
  FUZZ_CHECK(importing == (options.trace && options.trace_out));
  if (!importing) FUZZ_CHECK(!options.trace_tu && !options.trace_options.format);
  // The same arguments always mean the same.
  const auto again = trakvist::ParseHeadlessOptions(arguments);
  FUZZ_CHECK(std::holds_alternative<trakvist::HeadlessOptions>(again));
  FUZZ_CHECK(std::get<trakvist::HeadlessOptions>(again).fields == options.fields);
  return 0;
}
