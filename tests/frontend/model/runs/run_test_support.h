// Fakes of the file access and the engine runner for the run monitor's
// tests.
#ifndef TRAKVIST_TESTS_FRONTEND_MODEL_RUNS_RUN_TEST_SUPPORT_H_
#define TRAKVIST_TESTS_FRONTEND_MODEL_RUNS_RUN_TEST_SUPPORT_H_

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/model/common/file_access.h"
#include "frontend/model/runs/engine_runner.h"
#include "frontend/model/runs/run_files.h"

namespace trakvist {

// Files held in memory.
class FakeFiles : public FileAccess {
 public:
  void Remove(const std::string& path) override {
    if (!undeletable.count(path)) contents.erase(path);
  }
  std::unique_ptr<std::istream> OpenForReading(const std::string& path) const override {
    auto found = contents.find(path);
    if (found == contents.end()) return nullptr;
    return std::make_unique<std::istringstream>(found->second);
  }
  FileRead ReadFile(const std::string& path) const override {
    if (unreadable.count(path)) return {FileReadStatus::kFailed, ""};
    auto found = contents.find(path);
    if (found == contents.end()) return {FileReadStatus::kMissing, ""};
    return {FileReadStatus::kRead, found->second};
  }

  std::map<std::string, std::string> contents;
  std::set<std::string> undeletable;
  std::set<std::string> unreadable;
};

inline const std::string kLabelRow = ",FCFS,SSTF,SCAN,C-SCAN,LOOK,C-LOOK,S-LOOK,BO-PATH,SATF\n";

// A data row whose algorithm a holds base + a.
inline std::string DataRow(int base) {
  std::string row;
  for (int a = 1; a <= 9; ++a) row += "," + std::to_string(base + a);
  return row + "\n";
}

// Appends what an engine writes at the end of run `run`: the label row into
// empty files, then one row per file, with seek base 1000 * run, average
// waiting time base 100 * run and maximum waiting time base 10 * run.
inline void WriteRunRows(FakeFiles* files, const TemporaryFiles& paths, int run) {
  const std::pair<const std::string*, int> kFiles[] = {
      {&paths.seek, 1000}, {&paths.avg_wait, 100}, {&paths.max_wait, 10}};
  for (const auto& [path, scale] : kFiles) {
    std::string& text = files->contents[*path];
    if (text.empty()) text = kLabelRow;
    text += DataRow(scale * run);
  }
}

// Records what the monitor asks of the runner.
class FakeRunner : public EngineRunner {
 public:
  struct Started {
    EngineRunId run;
    std::vector<std::string> arguments;
  };

  EngineStart Start(EngineRunId run, const std::vector<std::string>& arguments) override {
    starts.push_back({run, arguments});
    if (!start_errors.empty()) {
      const std::string error = start_errors.front();
      start_errors.pop_front();
      if (!error.empty()) return {false, error};
    }
    if (on_start) on_start(run);
    return {true, ""};
  }

  bool PostStop(EngineRunId run, std::uint32_t thread_id) override {
    posts.push_back({run, thread_id});
    if (post_results.empty()) return true;
    const bool delivered = post_results.front();
    post_results.pop_front();
    return delivered;
  }

  EngineRunId last_run() const { return starts.empty() ? 0 : starts.back().run; }

  std::vector<Started> starts;
  std::deque<std::string> start_errors;  // one per start; empty text: started
  std::deque<bool> post_results;         // one per post; delivered when none is left
  std::vector<std::pair<EngineRunId, std::uint32_t>> posts;
  std::function<void(EngineRunId)> on_start;  // reports from within Start()
};

}  // namespace trakvist

#endif  // TRAKVIST_TESTS_FRONTEND_MODEL_RUNS_RUN_TEST_SUPPORT_H_
