// Engine speed: simulated time units per second on the front end's default
// workload, on a long sparse probability run and on a large queue where every
// request arrives at time zero. Each runs without and with a caller link
// (argument 1), which shows what the stop poll costs.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "engine/link.h"
#include "engine/link_channel.h"
#include "engine/random.h"
#include "engine/run_config.h"
#include "engine/simulation.h"
#include "engine/workload.h"

namespace schedule {
namespace {

RunConfig CommonConfig() {
  RunConfig config;
  config.initial_head = 0;
  config.slook_factor = 1;
  config.slook_constant = 0;
  config.slook_reset = 3;
  return config;
}

// The parameters the front end starts with: Poisson arrivals, 60 requests
// per second at 10 microseconds per TU, a 600 TU settle, idle time skipped.
RunConfig DefaultWorkload() {
  RunConfig config = CommonConfig();
  config.total = 500;
  config.max_per_tu = 0;
  config.arrival_rate = 60;
  config.seconds_per_tu = 0.00001;
  config.settle_time = 600;
  config.highest_cylinder = 999;
  config.skip_idle = true;
  return config;
}

// A hundred thousand requests queued at once, FCFS left out.
RunConfig AllAtTimeZero() {
  RunConfig config = CommonConfig();
  config.total = 100000;
  config.max_per_tu = 0;
  config.probability = 0;
  config.highest_cylinder = 999;
  config.skip_fcfs = true;
  return config;
}

// Rare arrivals and no idle skip: millions of passes with little to do,
// where a costly stop poll would show most.
RunConfig SparseProbability() {
  RunConfig config = CommonConfig();
  config.total = 100;
  config.max_per_tu = 1;
  config.probability = 0.00002;
  config.highest_cylinder = 999;
  return config;
}

void RunEngine(benchmark::State& state, const RunConfig& config) {
  const bool linked = state.range(0) != 0;
  uint64_t ticks = 0;
  for (auto _ : state) {
    Generators generators;
    generators.Seed(600);
    Workload workload(config, generators, ManualList{});
    // A link to a caller that is not listening: posts fail silently, and
    // the clock loop polls for a stop as it does under the front end.
    FrontEndLink link(MakePlatformLinkChannel());
    if (linked) link.Connect(0x7FFFFFF0);
    Simulation simulation(config, workload, linked ? &link : nullptr);
    SimulationOutcome outcome = simulation.Run();
    benchmark::DoNotOptimize(outcome.accounts.data());
    ticks += outcome.clock;
  }
  state.counters["TU/s"] = benchmark::Counter(static_cast<double>(ticks),
                                              benchmark::Counter::kIsRate);
  state.counters["TU"] = benchmark::Counter(static_cast<double>(ticks),
                                            benchmark::Counter::kAvgIterations);
}

void BM_DefaultWorkload(benchmark::State& state) { RunEngine(state, DefaultWorkload()); }
void BM_SparseProbability(benchmark::State& state) { RunEngine(state, SparseProbability()); }
void BM_HundredThousandAtTimeZero(benchmark::State& state) { RunEngine(state, AllAtTimeZero()); }

BENCHMARK(BM_DefaultWorkload)->ArgName("linked")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SparseProbability)->ArgName("linked")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HundredThousandAtTimeZero)
    ->ArgName("linked")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace schedule
