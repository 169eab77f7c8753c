// Manual requests on both sides: the front end's scan of typed requests and
// of requests files, with the check made at every start (the file may be
// edited between two starts), and the engine's reader of the requests file
// the front end writes. Input: a flags byte, then the typed text (or the
// file) and the file as edited before the second start, cut at a NUL.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/manual_requests.h"
#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/requests/manual_requests.h"
#include "frontend/model/requests/manual_scan.h"
#include "fuzz/fuzz_support.h"

namespace {

constexpr char kTempPath[] = "/app/man_tmp$$~1.txt";
constexpr char kFilePath[] = "/data/requests.txt";
constexpr std::int32_t kHeads = 4;
constexpr std::int32_t kBlocksPerTrack = 600;

struct Window {
  trakvist::ParametersPanel panel = trakvist::StartParametersPanel();
  trakvist::ManualRequestsState state;
  fuzz::MemoryFiles files;
  bool answer_yes = false;

  Window() { trakvist::Option3_Click(&panel); }

  trakvist::ManualStartCheck Start() {
    return trakvist::CheckManualRequests(&panel, &state, files, kTempPath,
                                         [this](std::string_view) { return answer_yes; });
  }
};

void CheckScan(std::string_view text, std::optional<std::int64_t> lba) {
  const auto scan = trakvist::ScanManualRequests(text, lba);
  if (!scan) return;
  FUZZ_CHECK(scan->count >= 0);
  FUZZ_CHECK((scan->count == 0) == (scan->max_cylinder == -1));
}

// Whether `text` holds only what both readers take alike: digits, blanks,
// commas and line ends.
bool PlainRequests(std::string_view text) {
  return text.find_first_not_of("0123456789 ,\t\r\n") == std::string_view::npos;
}

// The engine reads the requests file the front end wrote: it must find the
// same number of requests and the same largest cylinder.
void CheckEngineReads(const std::string& file, std::int32_t count, std::int32_t max_cylinder) {
  std::FILE* in = fmemopen(const_cast<char*>(file.data()), file.size(), "r");
  std::FILE* out = std::fopen("/dev/null", "w");
  FUZZ_CHECK(in != nullptr && out != nullptr);
  schedule::ManualList list;
  const auto read = schedule::ReadManualRequests({in, out, false, kHeads, kBlocksPerTrack}, &list);
  std::fclose(in);
  std::fclose(out);
  FUZZ_CHECK(read.ok);
  FUZZ_CHECK(list.request_count == count);
  std::int32_t highest = -1;
  for (std::int32_t entry : list.entries) highest = std::max(highest, entry);
  FUZZ_CHECK(highest == max_cylinder);
}

// The engine's own reader of a list typed at its prompts: what it keeps
// hands out every request once, batch after batch, in time order.
void CheckEngineList(const std::string& text, bool console) {
  std::FILE* in = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
  if (text.empty()) in = std::fopen("/dev/null", "r");
  std::FILE* out = std::fopen("/dev/null", "w");
  FUZZ_CHECK(in != nullptr && out != nullptr);
  schedule::ManualList list;
  const auto read = schedule::ReadManualRequests(
      {in, out, console, kHeads, console ? kBlocksPerTrack : 0}, &list);
  std::fclose(in);
  std::fclose(out);
  if (!read.ok) {
    FUZZ_CHECK(read.lba_with_blocks || !read.error.empty());
    return;
  }
  FUZZ_CHECK(list.request_count >= 0);
  schedule::ManualArrivals arrivals(list.entries);
  std::uint64_t tick = 0;
  std::uint64_t last_tick = 0;
  std::int32_t count = 0;
  std::int64_t delivered = 0;
  bool first = true;
  while (arrivals.NextBatch(&tick, &count)) {
    FUZZ_CHECK(count > 0);
    FUZZ_CHECK(first || tick > last_tick);
    first = false;
    last_tick = tick;
    for (std::int32_t i = 0; i < count; ++i) FUZZ_CHECK(arrivals.NextCylinder() >= 0);
    delivered += count;
    FUZZ_CHECK(delivered <= list.request_count);
  }
  FUZZ_CHECK(delivered == list.request_count);
}

void CheckTyped(const std::string& text, bool lba, bool answer_yes) {
  Window window;
  window.answer_yes = answer_yes;
  trakvist::SetIsLba(&window.panel, lba);
  trakvist::SetManualText(&window.panel, text);
  const trakvist::ManualStartCheck check = window.Start();
  if (!check.input) {
    // Only the user's No to the cylinder question ends a start without a word.
    if (check.message.empty()) FUZZ_CHECK(!answer_yes);
    if (trakvist::IsFilePath(text)) return;
    // A refused start writes no requests file.
    FUZZ_CHECK(window.files.files.count(kTempPath) == 0);
    return;
  }
  FUZZ_CHECK(check.input->request_count > 0);
  FUZZ_CHECK(check.input->request_count == window.state.manual_req_count);
  if (trakvist::IsFilePath(text)) return;
  FUZZ_CHECK(check.input->in_path == kTempPath);
  const std::string& written = window.files.files[kTempPath];
  FUZZ_CHECK(written == trakvist::RequestsFileContents(lba ? "1" : "0", text + " "));
  if (PlainRequests(text)) {
    CheckEngineReads(written, check.input->request_count, window.state.manual_max_cylinder);
  }
}

// A requests file named in the box, edited between two starts: the second
// start sees the edited file exactly as a first start would.
void CheckEditedFile(const std::string& first, const std::string& edited, bool answer_yes) {
  Window window;
  window.answer_yes = answer_yes;
  window.files.files[kFilePath] = first;
  trakvist::SetManualText(&window.panel, kFilePath);
  const trakvist::ManualStartCheck before = window.Start();
  if (before.input) FUZZ_CHECK(before.input->in_path == kFilePath);
  FUZZ_CHECK(window.files.files[kFilePath] == first);  // never written

  window.files.files[kFilePath] = edited;
  const auto fields = window.panel.cparam;
  const trakvist::ManualStartCheck after = window.Start();

  Window fresh;
  fresh.answer_yes = answer_yes;
  fresh.panel.cparam = fields;
  fresh.files.files[kFilePath] = edited;
  trakvist::SetManualText(&fresh.panel, kFilePath);
  const trakvist::ManualStartCheck expected = fresh.Start();
  FUZZ_CHECK(after.input.has_value() == expected.input.has_value());
  FUZZ_CHECK(after.message == expected.message);
  if (after.input) FUZZ_CHECK(after.input->request_count == expected.input->request_count);
  FUZZ_CHECK(window.files.files.count(kTempPath) == 0);
}

// Importing a requests file: on success the box names the file and
// nothing is left to scan; on failure the box keeps what it held.
void CheckImport(const std::string& contents) {
  Window window;
  window.files.files[kFilePath] = contents;
  trakvist::SetManualText(&window.panel, "10 20");
  const auto message =
      trakvist::Import_Click(&window.panel, &window.state, window.files, kFilePath);
  if (message) {
    FUZZ_CHECK(!message->empty());
    FUZZ_CHECK(window.panel.manual_text == "10 20");
    return;
  }
  FUZZ_CHECK(window.panel.manual_text == kFilePath);
  FUZZ_CHECK(!window.panel.manual_req_changed);
  FUZZ_CHECK(window.state.manual_req_valid);
  FUZZ_CHECK(window.state.manual_file_stamp.has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int flags = data[0];
  const auto parts = fuzz::SplitParts(fuzz::AsText(data + 1, size - 1), '\0');
  const std::string& text = parts[0];
  CheckScan(text, std::nullopt);
  CheckScan(text, std::int64_t{flags % 7} - 1);
  if (const auto file = trakvist::SplitRequestsFile(text)) {
    FUZZ_CHECK(file->configuration_line.size() + file->requests.size() < text.size() + 1);
    FUZZ_CHECK(file->configuration_line.find_first_of("\r\n") == std::string::npos);
    trakvist::ConfigurationIsLba(file->configuration_line);
  }
  CheckEngineList(text, flags & 4);
  CheckTyped(text, flags & 1, flags & 2);
  CheckEditedFile(text, fuzz::PartOrEmpty(parts, 1), flags & 2);
  CheckImport(text);
  return 0;
}
