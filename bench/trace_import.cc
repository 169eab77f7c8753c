// Importing a real workload: a blkparse trace of 1,000,000 queued requests
// (200 a second on the start-up disk, 1 TU = 1E-05 s) converted into a
// requests file, then that file run by the engine program as Trakvist runs
// it. The trace is made once, in a temporary folder, before the first
// benchmark.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "frontend/model/traces/trace_import.h"

namespace trakvist {
namespace {

constexpr int kRequests = 1000000;
constexpr double kPerSecond = 200;
constexpr std::int64_t kDiskBlocks = 1000 * 600 * 4;
constexpr TraceDisk kStartDisk{1E-05, 512, 1000, 600, 4};

struct Files {
  std::filesystem::path folder;
  std::string trace;
  std::string requests;
};

const Files& BenchFiles() {
  static const Files files = [] {
    Files made;
    made.folder = std::filesystem::temp_directory_path() / ("trace_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(made.folder);
    made.trace = (made.folder / "server.blkparse").string();
    made.requests = (made.folder / "server.requests.txt").string();
    std::mt19937_64 random(21);
    std::exponential_distribution<double> gap(kPerSecond);
    std::uniform_int_distribution<std::int64_t> block(0, kDiskBlocks - 1);
    std::ofstream out(made.trace);
    double seconds = 0;
    char line[128];
    for (int i = 1; i <= kRequests; ++i) {
      seconds += gap(random);
      std::snprintf(line, sizeof line, "  8,0    %d %8d %14.9f  4242  Q   %c %lld + 8 [server]\n",
                    i % 2, i, seconds, random() % 3 == 0 ? 'W' : 'R',
                    static_cast<long long>(block(random)));
      out << line;
    }
    return made;
  }();
  return files;
}

void BM_ConvertTrace(benchmark::State& state) {
  const Files& files = BenchFiles();
  DiskFileAccess disk;
  TraceImport import;
  for (auto _ : state) {
    import = ImportTrace(disk, files.trace, kStartDisk, {});
    disk.ReplaceFile(files.requests, import.requests_file);
  }
  state.counters["requests"] = static_cast<double>(import.report.kept);
  state.counters["span_TU"] = static_cast<double>(import.report.span_tu);
  if (!import.error.empty()) state.SkipWithError(import.error.c_str());
}
BENCHMARK(BM_ConvertTrace)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// The engine with the arguments the front end passes for its start-up page.
void BM_EngineRun(benchmark::State& state) {
  const Files& files = BenchFiles();
  if (!std::filesystem::exists(files.requests)) {
    DiskFileAccess disk;
    disk.ReplaceFile(files.requests, ImportTrace(disk, files.trace, kStartDisk, {}).requests_file);
  }
  const std::string row = (files.folder / "row.csv").string();
  const std::string in = "-in:" + files.requests;
  const std::string out = "-s:" + row;
  for (auto _ : state) {
    const pid_t child = fork();
    if (child == 0) {
      std::freopen("/dev/null", "w", stdout);
      execl(SCHEDULE_PROGRAM, SCHEDULE_PROGRAM, "-t:0", "-a:60", "-n:0", "-tu:1E-05", "-r:600",
            "-wc:0", "-f:1", "-o:1000", "-x:30", "-b:2", "-bpt:600", "-e:1", "-st:600", "-m:1000",
            "-i:0", "-hd:4", "-rw:3", "-rb:n", "-rs:y", "-id", out.c_str(), in.c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the engine failed");
  }
  std::ifstream rows(row);
  std::string last;
  for (std::string line; std::getline(rows, line);) last = line;
  std::printf("total seek times by the engine: %s\n", last.c_str());
}
BENCHMARK(BM_EngineRun)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace trakvist

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(trakvist::BenchFiles().folder);
  return 0;
}
