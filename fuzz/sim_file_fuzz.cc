// The saved simulation file. A file that does not read leaves the window's
// file state and the stored results as they were; one that reads, applied
// and saved again, reads back as the same results, ranges and page.
// Input: a flags byte (import the page or not), then the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "frontend/model/common/number_text.h"
#include "frontend/model/files/sim_file_apply.h"
#include "frontend/model/files/sim_file_reader.h"
#include "frontend/model/files/sim_file_session.h"
#include "frontend/model/files/sim_file_writer.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/results/results_store.h"
#include "fuzz/fuzz_support.h"

namespace {

using trakvist::Metric;
using trakvist::NumberText;

trakvist::SimFileReadContext Context(bool import_page) {
  trakvist::SimFileReadContext context;
  context.import_page = import_page;
  context.disk_types = {"IBM Deskstar 75GXP", "Default", "Custom ..."};
  context.simulators = {"schedule", "schedule-old"};
  context.current_simulator = "schedule";
  return context;
}

// Two sets of results are the same when every metric they hold writes as
// the same number text, which is all a saved file keeps of it.
bool SameResults(const trakvist::SweepResults& a, const trakvist::SweepResults& b) {
  if (a.RunCount() != b.RunCount() || a.HasPercentiles() != b.HasPercentiles()) return false;
  const int metrics = a.HasPercentiles() ? trakvist::kMetricCount : trakvist::kBaseMetricCount;
  for (std::int32_t run = 1; run <= a.RunCount(); ++run) {
    for (int m = 0; m < metrics; ++m) {
      for (int algorithm = 1; algorithm <= trakvist::kAlgorithmCount; ++algorithm) {
        const Metric metric = trakvist::kAllMetrics[m];
        if (NumberText(a.Get(metric, algorithm, run)) != NumberText(b.Get(metric, algorithm, run))) {
          return false;
        }
      }
    }
  }
  return true;
}

// Two stores hold the same results when every value writes as the same
// number text, which is all a saved file keeps of it.
bool SameStore(const trakvist::ResultsStore& a, const trakvist::ResultsStore& b) {
  if (a.RunCount() != b.RunCount()) return false;
  if (a.ResultDistribution() != b.ResultDistribution()) return false;
  for (int p = 0; p < trakvist::kParameterCount; ++p) {
    const auto& x = a.ResultRanges()[p];
    const auto& y = b.ResultRanges()[p];
    if (NumberText(x.From) != NumberText(y.From) || NumberText(x.Step) != NumberText(y.Step) ||
        NumberText(x.To) != NumberText(y.To)) {
      return false;
    }
  }
  return SameResults(a.Results(), b.Results()) &&
         a.ResultReplications().plan == b.ResultReplications().plan &&
         SameResults(a.ResultReplications().runs, b.ResultReplications().runs);
}

// The main window's part that a file changes: the panel, the texts it does
// not hold, and the store.
struct Window {
  trakvist::ParametersPanel panel = trakvist::StartParametersPanel();
  trakvist::ResultsStore store;
  std::string manual_text;
  std::string simulator = "schedule";

  trakvist::PageHooks Hooks() {
    // Choosing a disk type only names it here: its figures are not known.
    return {[this](std::string_view text) { manual_text = std::string(text); },
            [this](std::string_view name) { panel.disk_list_text = std::string(name); },
            [this](std::string_view name) { simulator = std::string(name); }};
  }
  std::string Saved() const {
    return trakvist::SimFileText(trakvist::PageControlsOf(panel, manual_text, simulator),
                                 trakvist::ParameterTextsOf(panel), store);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool import_page = data[0] & 1;
  const std::string bytes(fuzz::AsText(data + 1, size - 1));

  // Open through the window's file operations, over an earlier file.
  fuzz::MemoryFiles files;
  files.files["/sims/new.sim"] = bytes;
  trakvist::SimFileState state;
  state.CurrentFilePath = "/sims/old.sim";
  state.window_title = "Trakvist - old.sim";
  const trakvist::OpenOutcome opened = trakvist::Open(
      &state, files, [] { return std::string("/sims/new.sim"); }, Context(import_page));
  if (!opened.content) {
    FUZZ_CHECK(!opened.messages.empty());
    FUZZ_CHECK(state.CurrentFilePath == "/sims/old.sim");
    FUZZ_CHECK(state.window_title == "Trakvist - old.sim");
    return 0;
  }
  FUZZ_CHECK(state.CurrentFilePath == "/sims/new.sim");

  Window window;
  trakvist::ApplySimFile(*opened.content, &window.panel, &window.store, window.Hooks());
  FUZZ_CHECK(window.store.RunCount() == opened.content->results.RunCount());
  if (window.store.RunCount() == 0) return 0;  // a store without runs is never saved

  // Saved and opened again: the same results, ranges and page.
  const std::string saved = window.Saved();
  const trakvist::SimFileRead again = trakvist::ReadSimFile(saved, Context(true));
  FUZZ_CHECK(again.content.has_value());
  Window reopened;
  trakvist::ApplySimFile(*again.content, &reopened.panel, &reopened.store, reopened.Hooks());
  FUZZ_CHECK(SameStore(window.store, reopened.store));
  FUZZ_CHECK(trakvist::ParameterTextsOf(reopened.panel) ==
             trakvist::ParameterTextsOf(window.panel));
  FUZZ_CHECK(reopened.manual_text == window.manual_text);
  // Saving what was opened again gives the same bytes.
  if (std::getenv("FUZZ_DEBUG") != nullptr) {
    std::FILE* a = std::fopen("/tmp/saved1.txt", "wb");
    std::fwrite(saved.data(), 1, saved.size(), a);
    std::fclose(a);
    const std::string again_saved = reopened.Saved();
    std::FILE* b = std::fopen("/tmp/saved2.txt", "wb");
    std::fwrite(again_saved.data(), 1, again_saved.size(), b);
    std::fclose(b);
  }
  FUZZ_CHECK(reopened.Saved() == saved);
  return 0;
}
