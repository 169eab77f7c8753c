#include "frontend/model/runs/engine_runs.h"

#include <algorithm>
#include <random>
#include <utility>

#include "frontend/model/panel/parameters.h"

namespace trakvist {

EngineRunCursor::EngineRunCursor(const SweepRanges& ranges, ReplicationPlan plan)
    : combinations_(ranges), plan_(std::move(plan)) {
  plan_.count = std::max(plan_.count, 1);
  TakeValues();
}

void EngineRunCursor::Next() {
  if (Done()) return;
  if (++replication_ == plan_.count) {
    replication_ = 0;
    combinations_.Next();
  }
  TakeValues();
}

void EngineRunCursor::TakeValues() {
  values_ = combinations_.Values();
  values_[kSeedParameter] = ReplicationSeed(plan_, values_[kSeedParameter], replication_);
}

std::int64_t EngineRunCount(const SweepRanges& ranges, const ReplicationPlan& plan,
                            std::int64_t limit) {
  const std::int64_t count = std::max(plan.count, 1);
  const std::int64_t combinations = CombinationCount(ranges, limit / count + 1);
  return std::min(combinations * count, limit);
}

ReplicationPlan ReplicationPlanFromPanel(const ParametersPanel& panel) {
  ReplicationPlan plan;
  plan.count = std::clamp(panel.replications, kMinReplications, kMaxReplications);
  if (panel.rtimer && plan.count > 1) {
    std::random_device source;
    plan.drawn_seeds = DrawSeeds(plan.count, source);
  }
  return plan;
}

RunSettings LineSettings(RunSettings settings, const ReplicationPlan& plan) {
  if (!plan.drawn_seeds.empty()) settings.rtimer = false;
  return settings;
}

}  // namespace trakvist
