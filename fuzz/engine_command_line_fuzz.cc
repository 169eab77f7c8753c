// The engine's outside input: its command line, the answers to its prompts
// and the -in: file. Input: the arguments (one a line), a NUL, the console's
// text, a NUL, the -in: file. Result and input files named by the arguments
// are put into a folder of the target's own. Runs too long for a fuzzer
// (many requests, a wide disk, rare arrivals) stop after their set-up.
// Whatever the input, the engine ends with 0 or with 1 and a message, and a
// result file holds whole rows only.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "engine/link_channel.h"
#include "engine/schedule_app.h"
#include "engine/simulation.h"
#include "engine/workload.h"
#include "fuzz/fuzz_support.h"

namespace {

constexpr std::int32_t kMostRequests = 300;
constexpr std::int32_t kHighestCylinder = 20000;
constexpr std::int32_t kLongestTime = 1000;
constexpr double kRarestArrival = 0.01;  // expected requests per TU

// A link that records what the engine posts and asks for a stop when told.
class FakeChannel : public schedule::LinkChannel {
 public:
  explicit FakeChannel(bool stop) : stop_(stop) {}
  void Open(std::int32_t) override {}
  void Post(std::uint32_t message, std::uint32_t, std::uint32_t) override {
    FUZZ_CHECK(message == schedule::kHelloMessage || message == schedule::kProgressMessage);
  }
  bool PollStop() override { return stop_; }
  std::uint32_t Tick() override { return tick_ += 150; }
  std::uint32_t ThreadId() override { return 7; }

 private:
  bool stop_;
  std::uint32_t tick_ = 0;
};

std::filesystem::path WorkFolder() {
  const auto folder =
      std::filesystem::temp_directory_path() / ("schedule_fuzz." + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  return folder;
}

char Upper(const std::string& argument, std::size_t index) {
  return index < argument.size()
             ? static_cast<char>(std::toupper(static_cast<unsigned char>(argument[index])))
             : 0;
}

// The file an argument names and where its name starts, as the engine's
// parser reads it; nothing for an argument that names no file.
std::optional<std::pair<std::string, std::size_t>> NamedFile(const std::string& a) {
  switch (Upper(a, 1)) {
    case 'S':
      if (Upper(a, 2) != 'T') return std::pair{std::string("s.csv"), std::size_t{3}};
      break;
    case 'W':
      if (Upper(a, 2) != 'C') return std::pair{std::string("w.csv"), std::size_t{3}};
      break;
    case 'X':
      if (Upper(a, 2) == 'W') return std::pair{std::string("xw.csv"), std::size_t{4}};
      break;
    case 'I':
      if (Upper(a, 2) == 'N') return std::pair{std::string("in.txt"), std::size_t{4}};
      break;
    case 'L':
      return std::pair{std::string("path.csv"), std::size_t{3}};
    case 'Q':
      return std::pair{std::string("q.csv"), std::size_t{3}};
    default:
      break;
  }
  return std::nullopt;
}

// Whether the clock may run the configuration within a fuzzer's patience.
bool SmallRun(const schedule::RunConfig& c) {
  if (c.total > kMostRequests || c.highest_cylinder > kHighestCylinder) return false;
  if (c.block_time > kLongestTime || c.seek_time > kLongestTime || c.settle_time > kLongestTime) {
    return false;
  }
  if (c.skip_idle) return false;
  switch (schedule::SelectMode(c)) {
    case schedule::WorkloadMode::kProbability:
      return c.probability >= kRarestArrival;
    case schedule::WorkloadMode::kPoisson:
      return c.arrival_rate * c.seconds_per_tu >= kRarestArrival;
    default:
      return true;
  }
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool HasCommaOrLineEnd(const std::string& text) {
  return text.find_first_of(",\r\n") != std::string::npos;
}

// Every line of a result file ends and holds the first column and nine
// algorithms (unless the caller put commas into the first column).
// With `statistics` (the -q: file) each line is the label row or one of
// the five statistics rows, and those come five at a time.
void CheckResultFile(const std::filesystem::path& path, bool statistics = false) {
  if (!std::filesystem::exists(path)) return;
  const std::string text = ReadAll(path);
  if (text.empty()) return;
  FUZZ_CHECK(text.back() == '\n');
  static const char* const kStatistics[] = {"p50,", "p90,", "p95,", "p99,", "sd,"};
  std::size_t rows = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end - start);
    FUZZ_CHECK(std::count(line.begin(), line.end(), ',') == 9);
    if (statistics && line[0] != ',') {
      FUZZ_CHECK(line.rfind(kStatistics[rows++ % 5], 0) == 0);
    }
    start = end + 1;
  }
  FUZZ_CHECK(rows % 5 == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = fuzz::SplitParts(fuzz::AsText(data, size), '\0');
  static const std::filesystem::path folder = WorkFolder();
  for (const char* name : {"s.csv", "w.csv", "xw.csv", "in.txt", "path.csv", "q.csv"}) {
    std::filesystem::remove(folder / name);
  }
  std::vector<std::string> arguments = fuzz::SplitParts(parts[0], '\n');
  bool stop = false;
  bool commas_in_columns = false;
  for (std::string& argument : arguments) {
    if (Upper(argument, 1) == 'C') {
      commas_in_columns = commas_in_columns || HasCommaOrLineEnd(argument.substr(2));
    }
    if (argument == "stop") stop = true;
    if (const auto named = NamedFile(argument)) {
      std::string option = argument.substr(0, std::min(named->second, argument.size()));
      option.resize(named->second, ':');
      argument = option + (folder / named->first).string();
    }
  }
  {
    std::ofstream in(folder / "in.txt", std::ios::binary);
    in << fuzz::PartOrEmpty(parts, 2);
  }
  const std::string console_text = fuzz::PartOrEmpty(parts, 1);
  std::FILE* console = fmemopen(const_cast<char*>(console_text.data()), console_text.size(), "r");
  if (console_text.empty()) console = std::fopen("/dev/null", "r");
  std::FILE* out = std::fopen("/dev/null", "w");
  char* error_text = nullptr;
  std::size_t error_size = 0;
  std::FILE* err = open_memstream(&error_text, &error_size);
  FUZZ_CHECK(console != nullptr && out != nullptr && err != nullptr);

  bool simulated = false;
  const schedule::ClockModel clock = [&](const schedule::RunConfig& config,
                                         schedule::Workload& workload,
                                         schedule::FrontEndLink* link) {
    if (!SmallRun(config)) {
      schedule::SimulationOutcome skipped;
      skipped.stopped = true;
      return skipped;
    }
    simulated = true;
    return schedule::RunClock(config, workload, link);
  };
  const int status = schedule::RunSchedule(arguments, {console, out, err},
                                           std::make_unique<FakeChannel>(stop), clock);
  std::fclose(console);
  std::fclose(out);
  std::fclose(err);
  const std::string errors(error_text, error_size);
  std::free(error_text);

  FUZZ_CHECK(status == 0 || status == 1);
  if (status == 0) FUZZ_CHECK(errors.empty());
  if (status == 1 && errors.empty()) {
    // The one refusal that speaks on the console: LBA requests with blocks.
    FUZZ_CHECK(!simulated);
  }
  if (!commas_in_columns) {
    for (const char* name : {"s.csv", "w.csv", "xw.csv"}) CheckResultFile(folder / name);
  }
  CheckResultFile(folder / "q.csv", true);
  return 0;
}
