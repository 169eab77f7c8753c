#ifndef TRAKVIST_FRONTEND_MODEL_RUNS_ENGINE_RUNS_H_
#define TRAKVIST_FRONTEND_MODEL_RUNS_ENGINE_RUNS_H_

#include <cstdint>

#include "frontend/model/results/replications.h"
#include "frontend/model/runs/command_line.h"
#include "frontend/model/runs/sweep.h"

namespace trakvist {

// Walks the engine runs of a sweep: the combinations in run order, each run
// `plan.count` times in a row with its replication's seed. With one
// replication it walks exactly as SweepCursor does.
class EngineRunCursor {
 public:
  EngineRunCursor(const SweepRanges& ranges, ReplicationPlan plan);

  bool Done() const { return combinations_.Done(); }

  // Number of the current engine run, counted from 1.
  std::int64_t Run() const { return EngineRunOf(combinations_.Run(), replication_, plan_.count); }

  // Parameter values of the current run, its replication's seed in place.
  const CombinationValues& Values() const { return values_; }

  void Next();

 private:
  void TakeValues();

  SweepCursor combinations_;
  ReplicationPlan plan_;
  int replication_ = 0;
  CombinationValues values_{};
};

// Engine runs of the sweep, counted up to `limit` at most.
std::int64_t EngineRunCount(const SweepRanges& ranges, const ReplicationPlan& plan,
                            std::int64_t limit);

// The replications the panel asks for: "Replications" (held within 1 to
// 1000) and, with "Randomize By Timer" and more than one, the seeds drawn
// for them from the system's random source.
ReplicationPlan ReplicationPlanFromPanel(const ParametersPanel& panel);

// The settings an engine line is made with: when the replications' seeds
// were drawn, each run is passed its seed, "Randomize By Timer" or not.
RunSettings LineSettings(RunSettings settings, const ReplicationPlan& plan);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RUNS_ENGINE_RUNS_H_
