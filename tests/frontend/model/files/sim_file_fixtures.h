#ifndef TRAKVIST_TESTS_FRONTEND_MODEL_FILES_SIM_FILE_FIXTURES_H_
#define TRAKVIST_TESTS_FRONTEND_MODEL_FILES_SIM_FILE_FIXTURES_H_

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "frontend/model/files/sim_file_reader.h"
#include "frontend/model/files/sim_file_writer.h"
#include "frontend/model/panel/parameters.h"
#include "frontend/model/results/results_store.h"

namespace trakvist {

// A file of tests/frontend/model/files/data, byte for byte.
inline std::string DataFile(std::string_view name) {
  std::ifstream in(std::string(TRAKVIST_SIM_FILE_TEST_DATA) + "/" + std::string(name),
                   std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// `bytes` with the first `old_text` replaced by `new_text`.
inline std::string Edit(std::string bytes, std::string_view old_text, std::string_view new_text) {
  const std::size_t at = bytes.find(old_text);
  EXPECT_NE(at, std::string::npos) << old_text;
  if (at != std::string::npos) bytes.replace(at, old_text.size(), new_text);
  return bytes;
}

inline ParameterTexts DefaultTexts() {
  ParameterTexts texts;
  for (int i = 0; i < kParameterCount; ++i) texts[i] = std::string(kParameterTable[i].default_text);
  return texts;
}

// The page and results of three_runs.txt: parameter 0 swept over 100, 200
// and 300.
inline PageControls ThreeRunPage() {
  PageControls page;
  page.Manual = "10 20 30";
  page.SLOOK_Reset = "Ping Pong";
  page.BOPATH_Reset = 0;
  page.BOPATH_Swap = 1;
  page.Disprog = 0;
  page.OFCFS = 1;
  page.SkipIdle = 1;
  page.DistList = "Generic";
  page.DiskList = "IBM Deskstar 75GXP";
  page.SimList = "schedule";
  return page;
}

inline ParameterTexts ThreeRunTexts() {
  ParameterTexts texts = DefaultTexts();
  texts[0] = "100,100,300";
  return texts;
}

inline SweepRanges RangesOf(const ParameterTexts& texts) {
  SweepRanges ranges;
  for (int i = 0; i < kParameterCount; ++i) ranges[i] = ParseParamRange(texts[i]);
  return ranges;
}

inline SweepResults ThreeRunResults() {
  SweepResults results(3);
  for (int run = 1; run <= 3; ++run) {
    for (int a = 1; a <= 7; ++a) {
      results.Set(Metric::kTotalSeekTime, a, run, 1000 * run + a);
      results.Set(Metric::kAverageWaitingTime, a, run, run + a / 4.0);
      results.Set(Metric::kMaximumWaitingTime, a, run, 10 * run + a);
    }
  }
  // Values whose text needs the number text rules: 15 significant digits.
  results.Set(Metric::kTotalSeekTime, 7, 3, 12345678901234567.0);
  results.Set(Metric::kAverageWaitingTime, 1, 3, 0.1 + 0.2);
  return results;
}

inline ResultsStore ThreeRunStore() {
  ResultsStore store;
  store.ReplaceResults(ThreeRunResults(), RangesOf(ThreeRunTexts()), 1);
  return store;
}

// The three runs with two replications each (engine runs 1 to 6), their
// waiting-time statistics and two drawn seeds; values that their number
// text holds exactly.
inline ResultsStore ReplicatedStore() {
  SweepResults runs(6);
  runs.EnablePercentiles();
  for (int run = 1; run <= 6; ++run) {
    for (Metric metric : kAllMetrics) {
      for (int a = 1; a <= 7; ++a) runs.Set(metric, a, run, 100 * run + 10 * a + 0.5 * (run % 2));
    }
  }
  ResultsStore store;
  store.ReplaceResults(ReplicationMeans(runs, 2), RangesOf(ThreeRunTexts()), 1,
                       Replications{ReplicationPlan{2, {7, 4294967295u}}, runs});
  return store;
}

// The main window's lists and texts the reading tests open files with.
inline SimFileReadContext TestContext() {
  SimFileReadContext context;
  context.disk_types = {"Default", "IBM Deskstar 75GXP", "Custom ..."};
  context.simulators = {"schedule", "schedule_fast"};
  context.current_simulator = "schedule_fast";
  context.current_ranges.fill(ParamRange{7, 1, 7});
  return context;
}

}  // namespace trakvist

#endif  // TRAKVIST_TESTS_FRONTEND_MODEL_FILES_SIM_FILE_FIXTURES_H_
