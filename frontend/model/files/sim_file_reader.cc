#include "frontend/model/files/sim_file_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "frontend/model/common/number_text.h"
#include "frontend/model/common/text.h"
#include "frontend/model/panel/distribution.h"
#include "frontend/model/panel/panel_texts.h"
#include "frontend/model/results/results_store.h"
#include "frontend/model/runs/param_range.h"

namespace trakvist {
namespace {

// Versions that lack a part of the current model.
constexpr int kFirstVersionWithBlocksPerTrackRange = 2;
constexpr int kFirstVersionWithSettleTime = 3;  // also the maximum waiting times
constexpr int kFirstVersionWithSlookResetText = 4;
constexpr int kFirstVersionWithSimulator = 5;

constexpr int kSlookResetPosition = 6;
constexpr int kDiskListPosition = 13;
constexpr int kSimListPosition = 15;

constexpr long long kMaxRunCount = std::numeric_limits<std::int32_t>::max();
// Whole numbers beyond this are not held exactly by a double.
constexpr long long kLargestWhole = 1LL << 53;

// Walks the file's bytes forward, by whole lines or by fields.
class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

  // The text up to the next line end, which is consumed. Nothing at the end.
  std::optional<std::string_view> Line() {
    if (pos_ >= bytes_.size()) return std::nullopt;
    const std::size_t end = std::min(bytes_.find_first_of("\r\n", pos_), bytes_.size());
    const std::string_view line = bytes_.substr(pos_, end - pos_);
    pos_ = end;
    SkipLineEnd();
    return line;
  }

  // The text up to the next comma or line end, which is consumed. Nothing
  // at the end.
  std::optional<std::string_view> Field() {
    if (pos_ >= bytes_.size()) return std::nullopt;
    const std::size_t end = std::min(bytes_.find_first_of(",\r\n", pos_), bytes_.size());
    const std::string_view field = bytes_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < bytes_.size() && bytes_[pos_] == ',') {
      ++pos_;
    } else {
      SkipLineEnd();
    }
    return field;
  }

  // Passes over lines up to and including one exactly equal to `header`.
  bool FindSection(std::string_view header) {
    for (auto line = Line(); line; line = Line()) {
      if (*line == header) return true;
    }
    return false;
  }

 private:
  // CR LF, LF or CR.
  void SkipLineEnd() {
    if (pos_ < bytes_.size() && bytes_[pos_] == '\r') ++pos_;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// A field holding a whole number within [min, max], blanks around it
// ignored.
std::optional<long long> WholeNumber(std::string_view field, long long min, long long max) {
  const std::optional<double> value = FullNumber(field);
  if (!value || std::trunc(*value) != *value) return std::nullopt;
  if (*value < static_cast<double>(min) || *value > static_cast<double>(max)) return std::nullopt;
  return static_cast<long long>(*value);
}

bool ReadCheckBox(std::string_view line, int* value) {
  const std::optional<long long> number = WholeNumber(line, 0, 1);
  if (!number) return false;
  *value = static_cast<int>(*number);
  return true;
}

bool ReadChoice(std::string_view line, bool* value) {
  const std::string_view text = Trim(line);
  if (text != kTrueText && text != kFalseText) return false;
  *value = text == kTrueText;
  return true;
}

// A drop-down list accepts only one of its entries.
template <typename Items>
bool ReadListEntry(const Items& items, std::string_view line, std::string* value) {
  if (std::find(items.begin(), items.end(), line) == items.end()) return false;
  *value = std::string(line);
  return true;
}

bool Contains(const std::vector<std::string>& list, std::string_view entry) {
  return std::find(list.begin(), list.end(), entry) != list.end();
}

// Reads the whole file into a content, or stops at the first failure.
class SimFileParser {
 public:
  SimFileParser(std::string_view bytes, const SimFileReadContext& context)
      : cursor_(bytes), context_(context) {
    content_.ranges = context.current_ranges;
  }

  SimFileRead Parse() {
    const std::optional<long long> version = ReadVersion();
    if (!version) return Failure(kSimFileNotProperFormatMessage);
    if (*version > kSimFileVersion) return Failure(kHigherVersionMessage);
    content_.version = static_cast<int>(*version);
    if (context_.import_page && !(ReadPage() && ReadParameterTexts())) {
      return Failure(kSimFileNotProperFormatMessage);
    }
    if (!ReadRanges()) return Failure(kSimFileNotProperFormatMessage);
    Upgrade();
    if (!ReadOther() || !ReadResults(kSeekSection, Metric::kTotalSeekTime) ||
        !ReadResults(kAvgWaitSection, Metric::kAverageWaitingTime)) {
      return Failure(kSimFileNotProperFormatMessage);
    }
    // Older files have no maximum waiting times: they stay 0.
    if (content_.version >= kFirstVersionWithSettleTime &&
        !ReadResults(kMaxWaitSection, Metric::kMaximumWaitingTime)) {
      return Failure(kSimFileNotProperFormatMessage);
    }
    if (!ReadAddedSections()) return Failure(kSimFileNotProperFormatMessage);
    return SimFileRead{std::move(content_), {}};
  }

 private:
  static SimFileRead Failure(std::string_view message) {
    return SimFileRead{std::nullopt, std::string(message)};
  }

  // The first number of the file, ended by a blank, a comma or the line's
  // end; the rest of its line goes with it (" 5 saved by hand" is 5).
  std::optional<long long> ReadVersion() {
    const std::optional<std::string_view> line = cursor_.Line();
    if (!line) return std::nullopt;
    const std::size_t start = std::min(line->find_first_not_of(" \t"), line->size());
    const std::string_view rest = line->substr(start);
    return WholeNumber(rest.substr(0, rest.find_first_of(" \t,")), 1,
                       std::numeric_limits<int>::max());
  }

  // The sections after the format's last one, in any order. Each may be
  // missing; one that is there must be whole. Other lines are passed over.
  bool ReadAddedSections() {
    std::array<bool, kMetricCount> means{};         // statistics sections read
    std::array<bool, kMetricCount> replicated{};   // replication sections read
    for (auto line = cursor_.Line(); line; line = cursor_.Line()) {
      if (*line == kHeadDirectionSection && !ReadHeadDirection()) return false;
      if (*line == kReplicationsSection && !ReadReplicationPlan()) return false;
      for (std::size_t m = 0; m < kAllMetrics.size(); ++m) {
        const Metric metric = kAllMetrics[m];
        if (IsPercentileMetric(metric) && *line == MetricSection(metric, false)) {
          if (means[m] || !ReadAddedTable(metric, &content_.results)) return false;
          means[m] = true;
        }
        if (*line == MetricSection(metric, true)) {
          if (replicated[m] || !content_.replications.Replicated() ||
              !ReadAddedTable(metric, &content_.replications.runs)) {
            return false;
          }
          replicated[m] = true;
        }
      }
    }
    return AddedResultsWhole(means, replicated);
  }

  // Every statistic or none; with replications, every base metric, and the
  // statistics exactly when the means have them.
  bool AddedResultsWhole(const std::array<bool, kMetricCount>& means,
                         const std::array<bool, kMetricCount>& replicated) {
    const auto all = [](const std::array<bool, kMetricCount>& read, std::size_t from) {
      return std::all_of(read.begin() + static_cast<std::ptrdiff_t>(from), read.end(),
                         [](bool b) { return b; });
    };
    const auto none = [](const std::array<bool, kMetricCount>& read, std::size_t from) {
      return std::none_of(read.begin() + static_cast<std::ptrdiff_t>(from), read.end(),
                          [](bool b) { return b; });
    };
    if (!all(means, kBaseMetricCount) && !none(means, kBaseMetricCount)) return false;
    if (!content_.replications.Replicated()) return true;
    const bool statistics = content_.results.HasPercentiles();
    return std::all_of(replicated.begin(), replicated.begin() + kBaseMetricCount,
                       [](bool b) { return b; }) &&
           (statistics ? all(replicated, kBaseMetricCount) : none(replicated, kBaseMetricCount));
  }

  // K from 2 up, then the drawn seeds: none or K of them.
  bool ReadReplicationPlan() {
    if (content_.replications.Replicated()) return false;  // a second one
    const std::optional<long long> count = Count(2, kMaxReplications);
    if (!count) return false;
    const std::optional<long long> seeds = Count(0, *count);
    if (!seeds || (*seeds != 0 && *seeds != *count)) return false;
    ReplicationPlan plan;
    plan.count = static_cast<int>(*count);
    for (long long k = 0; k < *seeds; ++k) {
      const std::optional<long long> seed = Count(1, 0xFFFFFFFFLL);
      if (!seed) return false;
      plan.drawn_seeds.push_back(static_cast<std::uint32_t>(*seed));
    }
    const long long runs = static_cast<long long>(content_.results.RunCount()) * plan.count;
    if (runs > kMaxRunCount) return false;
    content_.replications.plan = std::move(plan);
    content_.replications.runs = SweepResults(static_cast<std::int32_t>(runs));
    return true;
  }

  // A section of an added metric: its row count (the runs of `target` and
  // the header row), the header row, and one row per run of a leading comma
  // and nine numbers, nothing else.
  bool ReadAddedTable(Metric metric, SweepResults* target) {
    const std::optional<long long> rows = Count(1, kMaxRunCount);
    if (!rows || *rows != static_cast<long long>(target->RunCount()) + 1) return false;
    const std::optional<std::string_view> header = cursor_.Line();
    if (!header || *header != kResultHeaderRow) return false;
    if (IsPercentileMetric(metric)) target->EnablePercentiles();
    for (std::int32_t run = 1; run <= target->RunCount(); ++run) {
      const std::optional<std::string_view> line = cursor_.Line();
      if (!line || !ReadAddedRow(*line, metric, run, target)) return false;
    }
    return true;
  }

  static bool ReadAddedRow(std::string_view line, Metric metric, std::int32_t run,
                           SweepResults* target) {
    if (!line.starts_with(',')) return false;
    line.remove_prefix(1);
    for (int a = 1; a <= kAlgorithmCount; ++a) {
      const std::size_t comma = line.find(',');
      if ((comma == std::string_view::npos) != (a == kAlgorithmCount)) return false;
      const std::optional<double> value = FullNumber(line.substr(0, comma));
      if (!value) return false;
      target->Set(metric, a, run, *value);
      line.remove_prefix(comma == std::string_view::npos ? line.size() : comma + 1);
    }
    return true;
  }

  // "Up" or "Down"; it belongs to the page.
  bool ReadHeadDirection() {
    const std::optional<std::string_view> line = cursor_.Line();
    if (!line || (*line != kHeadDownText && *line != kHeadUpText)) return false;
    if (context_.import_page) content_.page.values.head_down = *line == kHeadDownText;
    return true;
  }

  std::optional<long long> Count(long long min, long long max) {
    const std::optional<std::string_view> field = cursor_.Field();
    if (!field) return std::nullopt;
    return WholeNumber(*field, min, max);
  }

  bool ReadPage() {
    if (!cursor_.FindSection(kPageSection)) return false;
    const std::optional<long long> count = Count(0, kPageControlCount);
    if (!count) return false;
    for (int position = 1; position <= *count; ++position) {
      const std::optional<std::string_view> line = cursor_.Line();
      if (!line || !ReadPageLine(position, *line)) return false;
      content_.page.count = position;
    }
    return true;
  }

  // Checked in this order: the disk type, the S-LOOK reset number of older
  // files, the simulator, then the control's own values.
  bool ReadPageLine(int position, std::string_view line) {
    SavedPage& page = content_.page;
    PageControls& values = page.values;
    if (position == kDiskListPosition) {
      page.disk_type_known = Contains(context_.disk_types, line);
      if (page.disk_type_known) values.DiskList = std::string(line);
      if (!page.disk_type_known) content_.messages.push_back(UnknownDiskMessage(line));
      return true;
    }
    if (position == kSlookResetPosition && content_.version < kFirstVersionWithSlookResetText) {
      const std::optional<double> method = FullNumber(line);
      if (!method) return false;
      values.SLOOK_Reset = std::string(*method == 1.0 ? kSlookResetItems[0] : kSlookResetItems[1]);
      return true;
    }
    if (position == kSimListPosition) {
      page.simulator_known = Contains(context_.simulators, line);
      if (page.simulator_known) values.SimList = std::string(line);
      if (!page.simulator_known) content_.messages.push_back(UnknownSimulatorMessage(line));
      return true;
    }
    return ReadControlValue(position, line, &values);
  }

  static bool ReadControlValue(int position, std::string_view line, PageControls* values) {
    switch (position) {
      case 1:
        values->Manual = std::string(line);
        return true;
      case 2:
        return ReadCheckBox(line, &values->Rtimer);
      case 3:
        return ReadChoice(line, &values->Option1);
      case 4:
        return ReadChoice(line, &values->Option2);
      case 5:
        return ReadChoice(line, &values->Option3);
      case 6:
        return ReadListEntry(kSlookResetItems, line, &values->SLOOK_Reset);
      case 7:
        return ReadCheckBox(line, &values->BOPATH_Reset);
      case 8:
        return ReadCheckBox(line, &values->BOPATH_Swap);
      case 9:
        return ReadCheckBox(line, &values->Disprog);
      case 10:
        return ReadCheckBox(line, &values->OFCFS);
      case 11:
        return ReadCheckBox(line, &values->SkipIdle);
      case 12:
        return ReadListEntry(kDistributionItems, line, &values->DistList);
      case 14:
        return ReadCheckBox(line, &values->isLBA);
    }
    return false;
  }

  bool ReadParameterTexts() {
    if (!cursor_.FindSection(kPageParametersSection)) return false;
    const std::optional<long long> count = Count(0, kParameterCount);
    if (!count) return false;
    for (int index = 0; index < *count; ++index) {
      const std::optional<std::string_view> line = cursor_.Line();
      if (!line) return false;
      content_.parameter_texts[index] = std::string(*line);
    }
    return true;
  }

  bool ReadRanges() {
    if (!cursor_.FindSection(kRangesSection)) return false;
    const std::optional<long long> count = Count(0, kParameterCount);
    if (!count) return false;
    for (int index = 0; index < *count; ++index) {
      std::array<double, 3> values{};
      for (double& value : values) {
        const std::optional<std::string_view> field = cursor_.Field();
        const std::optional<double> number = field ? FullNumber(*field) : std::nullopt;
        if (!number) return false;
        value = *number;
      }
      // A zero step has no next value; no range the front end makes has one.
      if (values[1] == 0.0) return false;
      content_.ranges[index] = ParamRange{values[0], values[1], values[2]};
    }
    return true;
  }

  std::string_view SimulatorAfterApply() const {
    const SavedPage& page = content_.page;
    if (page.count >= kSimListPosition && page.simulator_known) return page.values.SimList;
    return context_.current_simulator;
  }

  // Brings the ranges and fields of older files up to the current model.
  void Upgrade() {
    const int version = content_.version;
    if (version < kFirstVersionWithBlocksPerTrackRange) {
      content_.ranges_from_fields[kBlocksPerTrackParameter] = true;
    }
    if (version < kFirstVersionWithSettleTime) {
      // Files from before the settle time had none: it becomes 0.
      const std::string settle_time = "0";
      content_.parameter_texts[kSettleTimeParameter] = settle_time;
      content_.ranges[kSettleTimeParameter] = ParseParamRange(settle_time);
    }
    if (version < kFirstVersionWithSimulator) {
      content_.ranges_from_fields[kHeadsParameter] = true;
      content_.clear_is_lba = true;
      content_.messages.push_back(OlderVersionMessage(SimulatorAfterApply()));
    }
  }

  // A value count (not used), the values per result row and the
  // distribution.
  bool ReadOther() {
    if (!cursor_.FindSection(kOtherSection)) return false;
    const std::optional<long long> value_count = Count(-kLargestWhole, kLargestWhole);
    const std::optional<long long> row_values =
        value_count ? Count(0, kResultRowValues) : std::nullopt;
    const std::optional<long long> distribution =
        row_values ? Count(std::numeric_limits<std::int16_t>::min(),
                           std::numeric_limits<std::int16_t>::max())
                   : std::nullopt;
    if (!distribution) return false;
    values_per_row_ = static_cast<int>(*row_values);
    content_.distribution = static_cast<std::int16_t>(*distribution);
    return true;
  }

  // One result section: its count (the header row and one row per run),
  // the header row, then for each run an unused field and the row's values.
  // The first section sets the number of runs; the others must agree, as
  // the store holds one shape for all three metrics.
  bool ReadResults(std::string_view header, Metric metric) {
    if (!cursor_.FindSection(header)) return false;
    const std::optional<long long> count = Count(2, kMaxRunCount + 1);
    if (!count) return false;
    const auto runs = static_cast<std::int32_t>(*count - 1);
    if (metric == Metric::kTotalSeekTime) {
      content_.results = SweepResults(runs);
    } else if (runs != content_.results.RunCount()) {
      return false;
    }
    if (!cursor_.Line()) return false;  // the header row
    for (std::int32_t run = 1; run <= runs; ++run) {
      if (!cursor_.Field()) return false;
      for (int algorithm = 1; algorithm <= values_per_row_; ++algorithm) {
        const std::optional<std::string_view> field = cursor_.Field();
        if (!field) return false;
        content_.results.Set(metric, algorithm, run, LeadingNumber(*field));
      }
    }
    return true;
  }

  Cursor cursor_;
  const SimFileReadContext& context_;
  SimFileContent content_;
  int values_per_row_ = kResultRowValues;
};

}  // namespace

SimFileRead ReadSimFile(std::string_view bytes, const SimFileReadContext& context) {
  return SimFileParser(bytes, context).Parse();
}

}  // namespace trakvist
