#include "engine/options.h"

#include <cctype>
#include <cerrno>
#include <cstring>

#include "engine/number_reading.h"

namespace schedule {

namespace {

// The upper-cased character at `index`, or 0 past the end.
char Upper(const std::string& argument, size_t index) {
  if (index >= argument.size()) return 0;
  return static_cast<char>(std::toupper(static_cast<unsigned char>(argument[index])));
}

// The value part of an argument: everything from `offset` on, where offset
// is the length of the option's name including its colon.
std::string_view ValueAt(const std::string& argument, size_t offset) {
  if (offset >= argument.size()) return {};
  return std::string_view(argument).substr(offset);
}

// Opens a result file for appending and reading. A file that cannot be
// opened counts as not given.
void OpenResultFile(ResultFile& result, std::string_view path) {
  result.file.reset(std::fopen(std::string(path).c_str(), "a+"));
}

TriState YesNo(const std::string& argument) {
  char c = Upper(argument, 4);
  return c == 'Y' ? TriState::kYes : TriState::kNo;
}

class Parser {
 public:
  Parser(RunConfig& config, const ParseEffects& effects, std::string* error)
      : config_(config), effects_(effects), error_(error) {}

  ParseOutcome Parse(const std::string& argument);

 private:
  ParseOutcome ParseH(const std::string& argument);
  ParseOutcome ParseI(const std::string& argument);
  ParseOutcome ParseU(const std::string& argument);
  ParseOutcome ParseL(const std::string& argument);
  ParseOutcome ParseQ(const std::string& argument);
  void ParseR(const std::string& argument);
  void ParseM(const std::string& argument);

  RunConfig& config_;
  const ParseEffects& effects_;
  std::string* error_;
};

ParseOutcome Parser::Parse(const std::string& a) {
  auto integer = [&a](size_t offset) { return ReadInteger(ValueAt(a, offset)); };
  auto real = [&a](size_t offset) { return ReadReal(ValueAt(a, offset)); };
  switch (Upper(a, 1)) {
    case '?':
    case 'H':
      return ParseH(a);
    case 'A':
      config_.arrival_rate = real(3);
      break;
    case 'B':
      if (Upper(a, 2) == 'P' && Upper(a, 3) == 'T') {
        config_.blocks_per_track = integer(5);
      } else {
        config_.block_time = integer(3);
      }
      break;
    case 'C':
      switch (Upper(a, 2)) {
        case 'W':
          config_.wait_file.first_column = std::string(ValueAt(a, 4));
          break;
        case 'S':
          config_.seek_file.first_column = std::string(ValueAt(a, 4));
          break;
        case 'X':
          config_.max_wait_file.first_column = std::string(ValueAt(a, 4));
          break;
        default:
          config_.chunk = integer(3);
          effects_.link->SetChunk(config_.chunk);
      }
      break;
    case 'D':
      config_.no_labels = true;
      break;
    case 'E':
      config_.seek_time = integer(3);
      break;
    case 'F':
      if (Upper(a, 2) == 'C' && Upper(a, 3) == 'F' && Upper(a, 4) == 'S') {
        config_.skip_fcfs = true;
      } else {
        config_.slook_factor = integer(3);
      }
      break;
    case 'I':
      return ParseI(a);
    case 'L':
      return ParseL(a);
    case 'M':
      ParseM(a);
      break;
    case 'N':
      config_.max_per_tu = integer(3);
      break;
    case 'O':
      config_.bopath_threshold = integer(3);
      break;
    case 'P':
      config_.probability = real(3);
      break;
    case 'Q':
      return ParseQ(a);
    case 'R':
      ParseR(a);
      break;
    case 'S':
      if (Upper(a, 2) == 'T') {
        config_.settle_time = integer(4);
      } else {
        OpenResultFile(config_.seek_file, ValueAt(a, 3));
      }
      break;
    case 'U':
      return ParseU(a);
    case 'T':
      if (Upper(a, 2) == 'U') {
        config_.seconds_per_tu = real(4);
      } else {
        config_.total = integer(3);
      }
      break;
    case 'W':
      if (Upper(a, 2) == 'C') {
        config_.slook_constant = integer(4);
      } else {
        OpenResultFile(config_.wait_file, ValueAt(a, 3));
      }
      break;
    case 'X':
      if (Upper(a, 2) == 'W') {
        OpenResultFile(config_.max_wait_file, ValueAt(a, 4));
      } else {
        config_.bopath_depth = integer(3);
      }
      break;
    default:
      break;  // a digit or an unknown letter: ignored
  }
  return ParseOutcome::kContinue;
}

ParseOutcome Parser::ParseH(const std::string& a) {
  switch (Upper(a, 2)) {
    case 'W':
      config_.window = ReadInteger(ValueAt(a, 4));
      config_.window_given = true;
      effects_.link->Connect(config_.window);
      return ParseOutcome::kContinue;
    case 'D':
      config_.heads = ReadInteger(ValueAt(a, 4));
      return ParseOutcome::kContinue;
    default:
      return ParseOutcome::kShowUsage;
  }
}

ParseOutcome Parser::ParseI(const std::string& a) {
  switch (Upper(a, 2)) {
    case 'N': {
      std::string path(ValueAt(a, 4));
      config_.input_file.reset(std::fopen(path.c_str(), "r"));
      if (!config_.input_file) {
        *error_ = "cannot open the input file \"" + path + "\": " + std::strerror(errno);
        return ParseOutcome::kFailed;
      }
      break;
    }
    case 'D':
      config_.skip_idle = true;
      break;
    default:
      config_.initial_head = ReadInteger(ValueAt(a, 3));
  }
  return ParseOutcome::kContinue;
}

// -u:1 starts every sweeping head upwards (the default), -u:0 downwards.
// Nothing else is taken: a mistyped direction must not pass for the default.
ParseOutcome Parser::ParseU(const std::string& a) {
  if (Upper(a, 2) == ':' && (ValueAt(a, 3) == "0" || ValueAt(a, 3) == "1")) {
    config_.start_down = ValueAt(a, 3) == "0";
    return ParseOutcome::kContinue;
  }
  *error_ = "the initial direction must be given as -u:1 (up) or -u:0 (down), not \"" + a + "\"";
  return ParseOutcome::kFailed;
}

// -l:FILE names the head-path log.
ParseOutcome Parser::ParseL(const std::string& a) {
  if (Upper(a, 2) == ':' && !ValueAt(a, 3).empty()) {
    config_.path_log = std::string(ValueAt(a, 3));
    return ParseOutcome::kContinue;
  }
  *error_ = "the head-path log must be given as -l:FILE, not \"" + a + "\"";
  return ParseOutcome::kFailed;
}

// -q:FILE names the file of waiting-time statistics rows. It is opened at
// once, like a result file, but one that cannot be opened is refused: its
// rows would otherwise be lost without a word.
ParseOutcome Parser::ParseQ(const std::string& a) {
  if (Upper(a, 2) != ':' || ValueAt(a, 3).empty()) {
    *error_ = "the waiting-time statistics file must be given as -q:FILE, not \"" + a + "\"";
    return ParseOutcome::kFailed;
  }
  config_.statistics_path = std::string(ValueAt(a, 3));
  OpenResultFile(config_.statistics_file, config_.statistics_path);
  if (!config_.statistics_file.is_open()) {
    *error_ = "cannot open the waiting-time statistics file \"" + config_.statistics_path +
              "\": " + std::strerror(errno);
    return ParseOutcome::kFailed;
  }
  return ParseOutcome::kContinue;
}

void Parser::ParseR(const std::string& a) {
  switch (Upper(a, 2)) {
    case 'W':
      config_.slook_reset = static_cast<int16_t>(ReadInteger(ValueAt(a, 4)));
      break;
    case 'B':
      config_.bopath_reset = YesNo(a);
      break;
    case 'S':
      config_.bopath_swap = YesNo(a);
      break;
    default:
      config_.seed = static_cast<uint32_t>(ReadInteger(ValueAt(a, 3)));
      effects_.generators->Seed(*config_.seed);
  }
}

void Parser::ParseM(const std::string& a) {
  if (Upper(a, 2) == 'T') {
    std::fputs("You should #define RLATENCY to use -mt option.\n", effects_.out);
    config_.latency_method = ReadInteger(ValueAt(a, 4));
    config_.latency_given = true;
  } else {
    // Cylinders 0 to n - 1; computed in 64 bits so -m: of the smallest
    // integer cannot overflow.
    int64_t highest = int64_t{ReadInteger(ValueAt(a, 3))} - 1;
    config_.highest_cylinder = static_cast<int32_t>(std::max<int64_t>(highest, INT32_MIN));
  }
}

}  // namespace

ParseOutcome ParseOptions(std::span<const std::string> arguments, RunConfig& config,
                          const ParseEffects& effects, std::string* error) {
  Parser parser(config, effects, error);
  for (const std::string& argument : arguments) {
    ParseOutcome outcome = parser.Parse(argument);
    if (outcome != ParseOutcome::kContinue) return outcome;
  }
  return ParseOutcome::kContinue;
}

}  // namespace schedule
