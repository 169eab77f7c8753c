// Engine speed, in one run: the random generator's floor on every
// instruction-set path; the tick-by-tick reference clock loop against the
// engine's event-driven clock on the workloads users run, beside the cost
// of the random draws each workload must make; how the cost grows
// with the number of requests; the peak memory of a large run; and how
// soon a stop takes effect. Prints a table.
//
//   engine_bench           everything (a few minutes)
//   engine_bench --quick   without the reference on the million-request runs
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/draw_paths.h"
#include "engine/link.h"
#include "engine/link_channel.h"
#include "engine/random.h"
#include "engine/run_config.h"
#include "engine/simulation.h"
#include "engine/workload.h"
#include "tests/engine/reference/simulation.h"

namespace schedule {
namespace {

using Clock = std::chrono::steady_clock;

// A reference run is not started when it would take longer than this; its
// time is then extrapolated from a run a tenth as large.
constexpr double kLongestReferenceRun = 600;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

RunConfig CommonConfig() {
  RunConfig config;
  config.initial_head = 0;
  config.slook_factor = 1;
  config.slook_constant = 0;
  config.slook_reset = 3;
  config.highest_cylinder = 999;
  return config;
}

// The parameters the front end starts with: Poisson arrivals, 60 requests
// per second at 10 microseconds per TU, a 600 TU settle, idle time skipped.
RunConfig DefaultWorkload(int32_t total) {
  RunConfig config = CommonConfig();
  config.total = total;
  config.max_per_tu = 0;
  config.arrival_rate = 60;
  config.seconds_per_tu = 0.00001;
  config.settle_time = 600;
  config.skip_idle = true;
  return config;
}

RunConfig AllAtTimeZero(int32_t total) {
  RunConfig config = CommonConfig();
  config.total = total;
  config.max_per_tu = 0;
  config.probability = 0;
  return config;
}

// One request in 400 TU on average, while FCFS needs about 335 TU for one:
// the queues stay short for most schedulers and grow long for FCFS.
RunConfig NearSaturation(int32_t total) {
  RunConfig config = CommonConfig();
  config.total = total;
  config.max_per_tu = 1;
  config.probability = 0.005;
  return config;
}

struct Measured {
  double seconds = 0;      // wall time
  double cpu_seconds = 0;  // processor time of this process over the same run
  uint64_t ticks = 0;
  uint64_t large_draws = 0;
  uint64_t small_draws = 0;
  bool extrapolated = false;
};

using Model = std::function<SimulationOutcome(const RunConfig&, Workload&, FrontEndLink*)>;

// Short runs are repeated for a quarter of a second; the time is the
// fastest of them.
constexpr double kShortestMeasurement = 0.25;

Measured Measure(const RunConfig& config, const Model& model) {
  Measured measured;
  Clock::time_point first = Clock::now();
  do {
    Generators generators;
    generators.Seed(600);
    Workload workload(config, generators, ManualList{});
    Clock::time_point start = Clock::now();
    std::clock_t cpu_start = std::clock();
    SimulationOutcome outcome = model(config, workload, nullptr);
    double seconds = Seconds(start);
    double cpu_seconds = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    benchmark::DoNotOptimize(outcome.accounts.data());
    if (measured.ticks == 0 || seconds < measured.seconds) {
      measured.seconds = seconds;
      measured.cpu_seconds = cpu_seconds;
    }
    measured.ticks = outcome.clock;
    measured.large_draws = generators.large.draws();
    measured.small_draws = generators.small.draws();
  } while (Seconds(first) < kShortestMeasurement);
  return measured;
}

using MakeConfig = RunConfig (*)(int32_t total);

// The reference, or its time extrapolated from a tenth of the requests
// (its cost grows at least linearly) when it would run too long.
Measured MeasureReference(MakeConfig make, int32_t total) {
  if (total >= 100000) {
    Measured small = Measure(make(total / 10), reference::RunClock);
    if (small.seconds * 10 > kLongestReferenceRun) {
      small.seconds *= 10;
      small.cpu_seconds *= 10;
      small.ticks *= 10;
      small.extrapolated = true;
      return small;
    }
  }
  return Measure(make(total), reference::RunClock);
}

// Draws `count` numbers from the large generator a block at a time, as the
// workload's search for the next arrival does, searching them for one that
// almost never comes (2^32 - 1).
uint32_t SearchDraws(MersenneTwister& large, uint64_t count) {
  uint32_t hit = 0;
  while (count > 0) {
    uint64_t skipped = large.SkipBelow(count, 0xFFFFFFFFu, &hit);
    count -= skipped < count ? skipped + 1 : skipped;
  }
  return hit;
}

// The fastest of repeated runs of `draw` for a quarter of a second.
double Fastest(const std::function<void()>& draw) {
  double fastest = 0;
  Clock::time_point first = Clock::now();
  do {
    Clock::time_point start = Clock::now();
    draw();
    double seconds = Seconds(start);
    if (fastest == 0 || seconds < fastest) fastest = seconds;
  } while (Seconds(first) < kShortestMeasurement);
  return fastest;
}

// The floor of a workload: making its `large` draws a block at a time on
// the path in use, and its `small` draws, and nothing else.
double DrawSeconds(uint64_t large, uint64_t small) {
  return Fastest([=] {
    Generators generators;
    generators.Seed(600);
    uint32_t sink = SearchDraws(generators.large, large);
    for (uint64_t i = 0; i < small; ++i) sink += generators.small.Next();
    benchmark::DoNotOptimize(sink);
  });
}

// MT19937 numbers per second on every path this processor runs: one call
// of Next() per number, and a block at a time with the search for the next
// arrival.
void DrawFloor() {
  const uint64_t count = 100000000;
  const DrawPath best = ActiveDrawPath();
  std::printf("Draw floor, MT19937 numbers per second (%llu drawn):\n",
              static_cast<unsigned long long>(count));
  std::printf("%-8s %14s %14s\n", "path", "Next() each", "block search");
  for (DrawPath path : SupportedDrawPaths()) {
    UseDrawPath(path);
    double each = Fastest([=] {
      MersenneTwister large;
      large.Seed(600);
      uint32_t sink = 0;
      for (uint64_t i = 0; i < count; ++i) sink += large.Next();
      benchmark::DoNotOptimize(sink);
    });
    double block = Fastest([=] {
      MersenneTwister large;
      large.Seed(600);
      benchmark::DoNotOptimize(SearchDraws(large, count));
    });
    std::printf("%-8s %14.3g %14.3g\n", DrawPathName(path), count / each, count / block);
  }
  UseDrawPath(best);
  std::printf("The workloads below use %s.\n\n", DrawPathName(best));
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  double one = 0, five = 0, fifteen = 0;
  in >> one >> five >> fifteen;
  char text[64];
  std::snprintf(text, sizeof text, "%.2f %.2f %.2f", one, five, fifteen);
  return text;
}

void PrintRow(const char* name, int32_t requests, const Measured* reference, const Measured& engine,
              double draws) {
  char ref[64] = "skipped";
  char speedup[16] = "-";
  if (reference != nullptr) {
    std::snprintf(ref, sizeof ref, "%8.2f%s %8.2f %8.3g", reference->seconds,
                  reference->extrapolated ? "*" : " ", reference->cpu_seconds,
                  reference->ticks / reference->seconds);
    std::snprintf(speedup, sizeof speedup, "%.1f", reference->seconds / engine.seconds);
  }
  std::printf("%-28s %8d %10.4g | %-30s | %7.3f %7.3f %8.3g | %7s | %7.3f %5.2f\n", name, requests,
              static_cast<double>(engine.ticks), ref, engine.seconds, engine.cpu_seconds,
              engine.ticks / engine.seconds, speedup, draws, engine.seconds / draws);
  std::fflush(stdout);
}

void CompareWorkloads(bool quick) {
  std::printf("%-28s %8s %10s | %-30s | %-24s | %7s | %s\n", "workload", "requests", "TU",
              "reference: wall s, cpu s, TU/s", "engine: wall s, cpu, TU/s", "speedup",
              "draws s, ratio");
  const struct {
    const char* name;
    MakeConfig make;
    int32_t total;
    bool long_reference;
  } kWorkloads[] = {
      {"default front end", DefaultWorkload, 500, false},
      {"all at time zero", AllAtTimeZero, 100000, false},
      {"all at time zero", AllAtTimeZero, 1000000, true},
      {"default, a million requests", DefaultWorkload, 1000000, true},
      {"probability near saturation", NearSaturation, 100000, false},
  };
  for (const auto& w : kWorkloads) {
    Measured engine = Measure(w.make(w.total), RunClock);
    double draws = DrawSeconds(engine.large_draws, engine.small_draws);
    if (quick && w.long_reference) {
      PrintRow(w.name, w.total, nullptr, engine, draws);
      continue;
    }
    Measured reference = MeasureReference(w.make, w.total);
    if (!reference.extrapolated &&
        (reference.ticks != engine.ticks || reference.large_draws != engine.large_draws)) {
      std::printf("  (the two clocks disagree on this workload)\n");
    }
    PrintRow(w.name, w.total, &reference, engine, draws);
  }
  std::printf(
      "* extrapolated from a run a tenth as large. draws: the same random numbers "
      "drawn and searched a block at a time and nothing else; ratio: the engine's wall time "
      "over that floor\n");
}

void Growth() {
  std::printf("\nGrowth, all seven schedulers, every request at time zero:\n");
  std::printf("%10s %10s %16s %22s\n", "requests", "engine s", "us per request",
              "s / (n log2 n) x 1e9");
  for (int32_t total : {10000, 100000, 1000000}) {
    Measured engine = Measure(AllAtTimeZero(total), RunClock);
    double n = total;
    std::printf("%10d %10.3f %16.3f %22.3f\n", total, engine.seconds, engine.seconds / n * 1e6,
                engine.seconds / (n * std::log2(n)) * 1e9);
  }
}

// A field of /proc/self/status, in kB.
long StatusKilobytes(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(field, 0) == 0)
      return std::strtol(line.c_str() + std::strlen(field), nullptr, 10);
  }
  return -1;
}

// Runs `run` in a child process and returns how far its resident memory
// rose above where it started, in kB.
long PeakGrowth(const std::function<void()>& run) {
  int channel[2];
  if (pipe(channel) != 0) return -1;
  pid_t child = fork();
  if (child == 0) {
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
    long start = StatusKilobytes("VmRSS:");
    run();
    long growth = StatusKilobytes("VmHWM:") - start;
    ssize_t written = write(channel[1], &growth, sizeof growth);
    _exit(written == sizeof growth ? 0 : 1);
  }
  long growth = -1;
  if (read(channel[0], &growth, sizeof growth) != sizeof growth) growth = -1;
  waitpid(child, nullptr, 0);
  close(channel[0]);
  close(channel[1]);
  return growth;
}

void PeakMemory(bool quick) {
  const int32_t total = 1000000;
  std::printf("Peak memory of %d requests at time zero (growth of the resident set):\n", total);
  long engine = PeakGrowth([&] { Measure(AllAtTimeZero(total), RunClock); });
  std::printf("  engine:    %7.1f MB, %5.1f bytes per request\n", engine / 1024.0,
              engine * 1024.0 / total);
  if (!quick) {
    long reference = PeakGrowth([&] { Measure(AllAtTimeZero(total), reference::RunClock); });
    std::printf("  reference: %7.1f MB, %5.1f bytes per request\n", reference / 1024.0,
                reference * 1024.0 / total);
  }
  std::printf("\n");
}

// A link whose caller asks for a stop from a given moment on.
class TimedStopChannel : public LinkChannel {
 public:
  explicit TimedStopChannel(Clock::time_point stop_at) : stop_at_(stop_at) {}
  void Open(int32_t) override {}
  void Post(uint32_t, uint32_t, uint32_t) override {}
  bool PollStop() override { return Clock::now() >= stop_at_; }
  uint32_t Tick() override {
    auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch());
    return static_cast<uint32_t>(ms.count());
  }
  uint32_t ThreadId() override { return 1; }

 private:
  Clock::time_point stop_at_;
};

void StopLatency() {
  const int32_t total = 3000000;
  std::printf("\nStop sent to a run of %d requests at time zero (polls every 200 ms):\n", total);
  for (int delay_ms : {0, 300, 700, 1500, 3000}) {
    RunConfig config = AllAtTimeZero(total);
    Generators generators;
    generators.Seed(600);
    Clock::time_point start = Clock::now();
    Clock::time_point stop_at = start + std::chrono::milliseconds(delay_ms);
    FrontEndLink link(std::make_unique<TimedStopChannel>(stop_at));
    link.Connect(1);
    Workload workload(config, generators, ManualList{});
    SimulationOutcome outcome = RunClock(config, workload, &link);
    Clock::time_point end = Clock::now();
    if (!outcome.stopped) {
      std::printf("  sent after %4d ms: the run had ended (%.2f s)\n", delay_ms, Seconds(start));
      continue;
    }
    std::printf("  sent after %4d ms: stopped %4.0f ms later\n", delay_ms,
                std::chrono::duration<double, std::milli>(end - stop_at).count());
  }
}

}  // namespace
}  // namespace schedule

int main(int argc, char** argv) {
  bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  std::printf("Engine benchmark; load average before: %s\n\n", schedule::LoadAverage().c_str());
  // Peak memory first, before this process has a heap of its own to lend
  // the child.
  schedule::PeakMemory(quick);
  schedule::DrawFloor();
  schedule::CompareWorkloads(quick);
  schedule::Growth();
  schedule::StopLatency();
  std::printf("\nLoad average after: %s\n", schedule::LoadAverage().c_str());
  return 0;
}
