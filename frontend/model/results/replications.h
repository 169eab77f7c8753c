#ifndef TRAKVIST_FRONTEND_MODEL_RESULTS_REPLICATIONS_H_
#define TRAKVIST_FRONTEND_MODEL_RESULTS_REPLICATIONS_H_

#include <cstdint>
#include <random>
#include <vector>

#include "frontend/model/results/sweep_results.h"

namespace trakvist {

// How often each combination of a sweep runs: replication k (0-based) of a
// combination whose seed is s runs with seed s + k, or, with "Randomize By
// Timer", with the k-th of seeds drawn once for the sweep.
inline constexpr int kMinReplications = 1;
inline constexpr int kMaxReplications = 1000;

struct ReplicationPlan {
  int count = 1;
  // One seed per replication when they were drawn; empty otherwise.
  std::vector<std::uint32_t> drawn_seeds;

  friend bool operator==(const ReplicationPlan&, const ReplicationPlan&) = default;
};

// `count` seeds from `source`, each from 1 to 2^31 - 1 (0 would give the
// engine's Poisson arrivals no chance).
std::vector<std::uint32_t> DrawSeeds(int count, std::random_device& source);

// The seed of replication `k` of a combination whose own seed is
// `combination_seed`.
double ReplicationSeed(const ReplicationPlan& plan, double combination_seed, int k);

// Engine run of replication k (0-based) of combination `combination`
// (from 1): the replications of a combination run one after the other.
std::int64_t EngineRunOf(std::int64_t combination, int k, int count);

// The replications of a stored sweep: the plan and the results of every
// engine run, numbered as EngineRunOf numbers them. Without replications
// (count 1) `runs` stays empty: the stored results are the runs.
struct Replications {
  ReplicationPlan plan;
  SweepResults runs;

  bool Replicated() const { return plan.count > 1; }
  friend bool operator==(const Replications&, const Replications&) = default;
};

// The mean over the `count` replications of each combination of `runs`,
// for every metric `runs` holds.
SweepResults ReplicationMeans(const SweepResults& runs, int count);

// Half-width of the 95 % confidence interval of the mean of metric
// `metric` of `algorithm` in `combination`: t(0.975, K - 1) · s / √K, with
// s the sample standard deviation of the K replications. 0 without
// replications or outside the results.
double HalfWidth(const Replications& replications, Metric metric, int algorithm,
                 std::int32_t combination);

// The 0.975 quantile of Student's t distribution with `degrees` degrees of
// freedom (1 or more).
double StudentT975(int degrees);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_RESULTS_REPLICATIONS_H_
