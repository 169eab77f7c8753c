#include "frontend/model/plans/plan_collect.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "frontend/model/files/sim_file_reader.h"
#include "frontend/model/plans/plan_file.h"
#include "frontend/model/plans/run_plan.h"
#include "frontend/model/results/percentile_rows.h"
#include "frontend/model/runs/engine_runs.h"
#include "frontend/model/runs/run_rows.h"

namespace trakvist {
namespace {

constexpr std::size_t kProblemsShown = 5;

std::string InFolder(const std::string& folder, std::string_view name) {
  return folder + std::string(name);
}

std::string NotAPlan(const std::string& folder, std::string_view why) {
  const std::string where = folder.empty() ? std::string("This folder") : folder;
  return where + " does not hold a plan that can be collected: " + std::string(why) +
         " Plans are made by Trakvist --run ... --plan DIR.";
}

// The number of runs runs.txt holds, one per line; a failure message
// otherwise.
std::optional<std::int64_t> CountRuns(const FileAccess& files, const std::string& folder,
                                      std::string* failure) {
  const FileRead read = files.ReadFile(InFolder(folder, kPlanRunsFile));
  if (read.status != FileReadStatus::kRead) {
    *failure = NotAPlan(folder, read.status == FileReadStatus::kMissing
                                    ? "it has no runs.txt."
                                    : "its runs.txt could not be read.");
    return std::nullopt;
  }
  const std::string& text = read.content;
  const std::int64_t lines = std::count(text.begin(), text.end(), '\n');
  if (lines == 0 || text.back() != '\n' || lines > kMaxPlanRuns) {
    *failure = NotAPlan(folder, "its runs.txt does not hold one line per run.");
    return std::nullopt;
  }
  return lines;
}

// sweep.txt, checked to be the simulation file of a sweep of `run_count`
// runs; a failure message otherwise.
std::optional<std::string> ReadPlanFile(const FileAccess& files, const std::string& folder,
                                        std::int64_t run_count, std::string* failure) {
  const FileRead read = files.ReadFile(InFolder(folder, kPlanSweepFile));
  if (read.status != FileReadStatus::kRead) {
    *failure = NotAPlan(folder, read.status == FileReadStatus::kMissing
                                    ? "it has no sweep.txt."
                                    : "its sweep.txt could not be read.");
    return std::nullopt;
  }
  const std::optional<std::string> sized =
      FillPlanSimFile(read.content, SweepResults(static_cast<std::int32_t>(run_count)));
  SimFileReadContext context;
  context.import_page = false;
  const SimFileRead sim = sized ? ReadSimFile(*sized, context) : SimFileRead{};
  if (!sim.content) {
    *failure = NotAPlan(folder, "its sweep.txt is not the simulation file of a plan.");
    return std::nullopt;
  }
  const ReplicationPlan replications = PlanRunSettingsOf(read.content)->replications;
  const std::int64_t combinations =
      EngineRunCount(sim.content->ranges, replications, kMaxPlanRuns + 1);
  if (combinations != run_count) {
    *failure = NotAPlan(folder, "its runs.txt holds " + std::to_string(run_count) +
                                    " runs, while the sweep in its sweep.txt has " +
                                    std::to_string(combinations) + ".");
    return std::nullopt;
  }
  return read.content;
}

bool AnyFileExists(const FileAccess& files, const RunRowPaths& paths) {
  return std::any_of(paths.begin(), paths.end(), [&files](const std::string& path) {
    return files.ReadFile(path).status != FileReadStatus::kMissing;
  });
}

// Reads the rows of every run into `rows`, noting the runs that have none
// or damaged ones.
void ReadAllRows(const FileAccess& files, const std::string& folder, PlanCollection* collection,
                 std::vector<RunRows>* rows) {
  for (std::int64_t run = 1; run <= collection->run_count; ++run) {
    RunRowPaths paths = PlanRowPaths(run);
    for (std::string& path : paths) path = folder + path;
    RunRowsRead read = ReadRunRows(files, paths);
    if (read.status == RunRowsStatus::kRead) {
      rows->push_back(std::move(read.rows));
      continue;
    }
    if (read.status == RunRowsStatus::kMissing && !AnyFileExists(files, paths)) {
      collection->missing.push_back(run);
      continue;
    }
    collection->damaged.push_back(run);
    if (collection->problems.size() < kProblemsShown) {
      collection->problems.push_back("Run " + std::to_string(run) + ": " + read.problem);
    }
  }
}

// The statistics every run wrote beside its rows, into `results`; what keeps
// them out otherwise.
std::string ReadPlanPercentiles(const FileAccess& files, const std::string& folder,
                                SweepResults* results) {
  std::string text;
  for (std::int64_t run = 1; run <= results->RunCount(); ++run) {
    const FileRead read = files.ReadFile(folder + PlanPercentilesPath(run));
    if (read.status != FileReadStatus::kRead) {
      return "Run " + std::to_string(run) +
             " wrote no waiting-time percentiles, so the results hold the other metrics only.";
    }
    text += read.content;
  }
  std::string problem;
  if (ReadPercentileRows(text, results, &problem)) return {};
  return "The waiting-time percentiles of the runs are not usable (" + problem +
         "), so the results hold the other metrics only.";
}

// "1 run of 20 has", "3 runs of 20 have".
std::string RunsOf(std::size_t count, std::int64_t run_count) {
  return std::to_string(count) + (count == 1 ? " run" : " runs") + " of " +
         std::to_string(run_count) + (count == 1 ? " has" : " have");
}

}  // namespace

PlanCollection CollectPlan(const FileAccess& files, const std::string& folder) {
  PlanCollection collection;
  const std::optional<std::int64_t> run_count = CountRuns(files, folder, &collection.failure);
  if (!run_count) return collection;
  collection.run_count = *run_count;
  const std::optional<std::string> plan_file =
      ReadPlanFile(files, folder, collection.run_count, &collection.failure);
  if (!plan_file) return collection;
  std::vector<RunRows> rows;
  rows.reserve(static_cast<std::size_t>(collection.run_count));
  ReadAllRows(files, folder, &collection, &rows);
  if (!collection.missing.empty() || !collection.damaged.empty()) return collection;
  SweepResults results = JoinRunRows(rows);
  if (PlanRunSettingsOf(*plan_file)->percentiles) {
    collection.note = ReadPlanPercentiles(files, folder, &results);
  }
  collection.sim_file = *FillPlanSimFile(*plan_file, results);
  return collection;
}

std::vector<std::string> CollectionMessages(const PlanCollection& collection) {
  if (!collection.failure.empty()) return {collection.failure};
  std::vector<std::string> messages;
  if (!collection.missing.empty()) {
    messages.push_back(RunsOf(collection.missing.size(), collection.run_count) +
                       " written no results yet: " + FormatRunList(collection.missing) + ".");
  }
  if (!collection.damaged.empty()) {
    messages.push_back(RunsOf(collection.damaged.size(), collection.run_count) +
                       " damaged results: " + FormatRunList(collection.damaged) + ".");
    messages.insert(messages.end(), collection.problems.begin(), collection.problems.end());
  }
  const std::string list = RunsToRunAgain(collection);
  if (list.empty()) return messages;
  std::string again = "Run them again in the plan folder with: sh run-one.sh --runs " + list;
  const std::int64_t highest = std::max(collection.missing.empty() ? 0 : collection.missing.back(),
                                        collection.damaged.empty() ? 0 : collection.damaged.back());
  if (highest <= kSlurmArrayPiece) again += " (or: sbatch --array=" + list + " slurm.sbatch)";
  messages.push_back(again + "; then collect again. Nothing was opened or saved.");
  return messages;
}

std::string RunsToRunAgain(const PlanCollection& collection) {
  std::vector<std::int64_t> runs = collection.missing;
  runs.insert(runs.end(), collection.damaged.begin(), collection.damaged.end());
  std::sort(runs.begin(), runs.end());
  return FormatRunList(runs);
}

}  // namespace trakvist
