#include "frontend/model/files/sim_file_writer.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "frontend/model/common/number_text.h"
#include "frontend/model/files/sim_file_format.h"
#include "frontend/model/panel/distribution.h"
#include "frontend/model/panel/panel_texts.h"

namespace trakvist {
namespace {

// Collects the file's lines, each ended by CR LF.
class LineWriter {
 public:
  void Line(std::string_view text) {
    const std::size_t start = bytes_.size();
    bytes_.append(text);
    std::replace_if(
        bytes_.begin() + static_cast<std::ptrdiff_t>(start), bytes_.end(),
        [](char c) { return c == '\r' || c == '\n'; }, ' ');
    bytes_.append(kLineEnd);
  }
  void Number(long long value) { Line(PrintStyle(value)); }
  void Truth(bool value) { Line(value ? kTrueText : kFalseText); }

  std::string Take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

void WritePage(const PageControls& page, LineWriter* out) {
  out->Line(kPageSection);
  out->Number(kPageControlCount);
  out->Line(page.Manual);
  out->Number(page.Rtimer);
  out->Truth(page.Option1);
  out->Truth(page.Option2);
  out->Truth(page.Option3);
  out->Line(page.SLOOK_Reset);
  out->Number(page.BOPATH_Reset);
  out->Number(page.BOPATH_Swap);
  out->Number(page.Disprog);
  out->Number(page.OFCFS);
  out->Number(page.SkipIdle);
  out->Line(page.DistList);
  out->Line(page.DiskList);
  out->Number(page.isLBA);
  out->Line(page.SimList);
}

void WriteParameterTexts(const ParameterTexts& texts, LineWriter* out) {
  out->Line(kPageParametersSection);
  out->Number(kParameterCount);
  for (const std::string& text : texts) out->Line(text);
}

void WriteRanges(const SweepRanges& ranges, LineWriter* out) {
  out->Line(kRangesSection);
  out->Number(kParameterCount);
  for (const ParamRange& range : ranges) {
    out->Line(NumberText(range.From) + "," + NumberText(range.Step) + "," + NumberText(range.To));
  }
}

void WriteOther(std::int16_t distribution, LineWriter* out) {
  out->Line(kOtherSection);
  out->Number(2);  // the two values that follow
  out->Number(kResultRowValues);
  out->Number(distribution);
}

void WriteResults(std::string_view header, Metric metric, const SweepResults& results,
                  LineWriter* out) {
  out->Line(header);
  out->Number(static_cast<long long>(results.RunCount()) + 1);
  out->Line(kResultHeaderRow);
  for (std::int32_t run = 1; run <= results.RunCount(); ++run) {
    std::string row;
    for (int algorithm = 1; algorithm <= kAlgorithmCount; ++algorithm) {
      row += "," + NumberText(results.Get(metric, algorithm, run));
    }
    out->Line(row);
  }
}

// The metrics `results` holds beyond the base three.
std::span<const Metric> PercentileMetrics(const SweepResults& results) {
  if (!results.HasPercentiles()) return {};
  return std::span<const Metric>(kAllMetrics).subspan(kBaseMetricCount);
}

// The added sections of the statistics and of the replications, each only
// when the results have it.
void WriteAddedResults(const ResultsStore& store, LineWriter* out) {
  for (Metric metric : PercentileMetrics(store.Results())) {
    out->Line("");
    WriteResults(MetricSection(metric, false), metric, store.Results(), out);
  }
  const Replications& replications = store.ResultReplications();
  if (!replications.Replicated()) return;
  out->Line("");
  out->Line(kReplicationsSection);
  out->Number(replications.plan.count);
  out->Number(std::ssize(replications.plan.drawn_seeds));
  for (std::uint32_t seed : replications.plan.drawn_seeds) out->Number(seed);
  const std::size_t held =
      replications.runs.HasPercentiles() ? kAllMetrics.size() : kBaseMetricCount;
  for (std::size_t m = 0; m < held; ++m) {
    out->Line("");
    WriteResults(MetricSection(kAllMetrics[m], true), kAllMetrics[m], replications.runs, out);
  }
}

std::string EntryText(const auto& items, int index) {
  if (index < 0 || index >= static_cast<int>(items.size())) return {};
  return std::string(items[static_cast<std::size_t>(index)]);
}

}  // namespace

PageControls PageControlsOf(const ParametersPanel& panel, std::string_view manual_text,
                            std::string_view simulator) {
  PageControls page;
  page.Manual = std::string(manual_text);
  page.Rtimer = panel.rtimer ? 1 : 0;
  page.Option1 = panel.source == RequestSource::kDistribution;
  page.Option2 = panel.source == RequestSource::kAllAtTimeZero;
  page.Option3 = panel.source == RequestSource::kManual;
  page.SLOOK_Reset = EntryText(kSlookResetItems, panel.slook_reset);
  page.BOPATH_Reset = panel.bopath_reset ? 1 : 0;
  page.BOPATH_Swap = panel.bopath_swap ? 1 : 0;
  page.Disprog = panel.disprog ? 1 : 0;
  page.OFCFS = panel.ofcfs ? 1 : 0;
  page.SkipIdle = panel.skip_idle ? 1 : 0;
  page.DistList = EntryText(kDistributionItems, panel.dist_list);
  page.DiskList = panel.disk_list_text;
  page.isLBA = panel.is_lba ? 1 : 0;
  page.SimList = std::string(simulator);
  page.head_down = panel.head_down;
  return page;
}

ParameterTexts ParameterTextsOf(const ParametersPanel& panel) {
  ParameterTexts texts;
  for (int i = 0; i < kParameterCount; ++i) texts[i] = panel.cparam[i].text;
  return texts;
}

std::string SimFileText(const PageControls& page, const ParameterTexts& parameter_texts,
                        const ResultsStore& store) {
  LineWriter out;
  out.Number(kSimFileVersion);
  out.Line("");
  WritePage(page, &out);
  out.Line("");
  WriteParameterTexts(parameter_texts, &out);
  out.Line("");
  WriteRanges(store.ResultRanges(), &out);
  out.Line("");
  WriteOther(store.ResultDistribution(), &out);
  out.Line("");
  WriteResults(kSeekSection, Metric::kTotalSeekTime, store.Results(), &out);
  out.Line("");
  WriteResults(kAvgWaitSection, Metric::kAverageWaitingTime, store.Results(), &out);
  WriteResults(kMaxWaitSection, Metric::kMaximumWaitingTime, store.Results(), &out);
  if (page.head_down) {
    out.Line("");
    out.Line(kHeadDirectionSection);
    out.Line(kHeadDownText);
  }
  WriteAddedResults(store, &out);
  return out.Take();
}

}  // namespace trakvist
