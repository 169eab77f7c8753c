#include "frontend/model/runs/engine_limits.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "frontend/model/common/number_text.h"
#include "frontend/model/panel/parameters.h"

namespace trakvist {
namespace {

constexpr int kBlockTime = 8;
constexpr int kSeekTime = 9;
constexpr int kCylinders = 10;
constexpr int kInitialHead = 11;
constexpr int kSettleTime = 14;

// A range holding more values than this is judged by its first and last
// ones (ranges that long are whole numbers, which the engine reads in
// order).
constexpr std::int64_t kValuesChecked = 1'000'000;

struct Extremes {
  std::int64_t least = std::numeric_limits<std::int64_t>::max();
  std::int64_t most = std::numeric_limits<std::int64_t>::min();
};

void Include(Extremes* extremes, double value) {
  const std::int64_t read = EngineInteger(value);
  extremes->least = std::min(extremes->least, read);
  extremes->most = std::max(extremes->most, read);
}

// The least and largest value of the range as the engine reads them.
Extremes EngineExtremes(const ParamRange& range) {
  Extremes extremes;
  std::int64_t seen = 0;
  ForEachValue(range, [&](double value) {
    Include(&extremes, value);
    return ++seen < kValuesChecked;
  });
  if (seen == kValuesChecked) {
    Include(&extremes, range.From);
    Include(&extremes, range.To);
  }
  return extremes;
}

std::string Name(int index) { return std::string(kParameterTable[index].label); }

std::string Refused(int index, std::int64_t value, const std::string& rule) {
  return Name(index) + " is " + std::to_string(value) + " in this simulation, but " + rule + ".";
}

}  // namespace

std::int32_t EngineInteger(double value) {
  const std::string text = NumberText(value);
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::int64_t number = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    number = std::min<std::int64_t>(number * 10 + (text[i] - '0'), std::int64_t{1} << 32);
  }
  if (negative) number = -number;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      number, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::optional<std::string> CheckEngineLimits(const SweepRanges& ranges) {
  const Extremes block = EngineExtremes(ranges[kBlockTime]);
  if (block.least < 1) return Refused(kBlockTime, block.least, "it must be at least 1");
  if (block.most > 65535) return Refused(kBlockTime, block.most, "it must be at most 65535");
  const Extremes seek = EngineExtremes(ranges[kSeekTime]);
  if (seek.least < 1) return Refused(kSeekTime, seek.least, "it must be at least 1");
  const Extremes settle = EngineExtremes(ranges[kSettleTime]);
  if (settle.least < 0) return Refused(kSettleTime, settle.least, "it must not be negative");
  if (seek.most + settle.most > std::numeric_limits<std::int32_t>::max()) {
    return Refused(kSettleTime, settle.most,
                   "with " + Name(kSeekTime) + " " + std::to_string(seek.most) +
                       " the two together must be at most 2147483647");
  }
  const Extremes cylinders = EngineExtremes(ranges[kCylinders]);
  if (cylinders.least < 1) return Refused(kCylinders, cylinders.least, "it must be at least 1");
  const Extremes head = EngineExtremes(ranges[kInitialHead]);
  if (head.least < 0) return Refused(kInitialHead, head.least, "it must not be negative");
  if (head.most > cylinders.least - 1) {
    return Refused(kInitialHead, head.most,
                   "with " + Name(kCylinders) + " " + std::to_string(cylinders.least) +
                       " it must be from 0 to " + std::to_string(cylinders.least - 1));
  }
  return std::nullopt;
}

}  // namespace trakvist
