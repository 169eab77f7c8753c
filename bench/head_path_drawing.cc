// How long the "Head Path" tab takes to draw a large run: the head-path log
// of 100,000 requests for seven algorithms read, then drawn as the small
// multiples onto a 1600 x 1000 picture, with and without the playback
// cursor.
//
//   head_path_bench
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <random>
#include <string>

#include "frontend/model/path/head_path.h"
#include "frontend/model/path/path_view.h"
#include "frontend/ui/head_path/head_path_renderer.h"

namespace trakvist {
namespace {

constexpr int kRequests = 100000;
constexpr int kCylinders = 1000;
constexpr const char* kAlgorithms[] = {"SSTF",   "SCAN",   "C-SCAN", "LOOK",
                                       "C-LOOK", "S-LOOK", "FCFS"};

// A log as the engine writes it: requests arriving about one per 3 TU, each
// served after a move from the last one, seek 1 TU per cylinder, block 2 TU.
std::string LargeLog() {
  std::string log = "algorithm,tu,cylinder,event,request,arrival\n";
  for (const char* name : kAlgorithms) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> cylinder(0, kCylinders - 1);
    const std::string prefix = std::string(name) + ",";
    std::int64_t tu = 0;
    std::int64_t at = 500;
    log += prefix + "0,500,start,,\n";
    for (int r = 0; r < kRequests; ++r) {
      const std::int64_t target = cylinder(random);
      const std::int64_t arrival = std::max<std::int64_t>(0, tu - (r % 97) * 3);
      log += prefix + std::to_string(tu) + "," + std::to_string(at) + ",move,,\n";
      tu += std::abs(target - at);
      at = target;
      log += prefix + std::to_string(tu) + "," + std::to_string(at) + ",arrive,,\n";
      log += prefix + std::to_string(tu) + "," + std::to_string(at) + ",serve," +
             std::to_string(r) + "," + std::to_string(arrival) + "\n";
      tu += 2;
    }
    log += prefix + std::to_string(tu) + "," + std::to_string(at) + ",end,,\n";
  }
  return log;
}

struct Drawing {
  HeadPath path;
  PathPicture picture;
};

const Drawing& LargeDrawing() {
  static const Drawing* drawing = [] {
    auto* made = new Drawing;
    made->path = *ReadHeadPath(LargeLog()).path;
    PathRunChoice choice;
    for (int a = 1; a <= 9; ++a) choice.algorithms.push_back(a);
    choice.cylinders = kCylinders;
    made->picture = MakePathPicture(made->path, choice, SweepResults());
    return made;
  }();
  return *drawing;
}

void BM_ReadLog(benchmark::State& state) {
  const std::string log = LargeLog();
  for (auto _ : state) benchmark::DoNotOptimize(ReadHeadPath(log));
  state.counters["bytes"] = static_cast<double>(log.size());
}
BENCHMARK(BM_ReadLog)->Unit(benchmark::kMillisecond);

void BM_Draw(benchmark::State& state) {
  const Drawing& drawing = LargeDrawing();
  HeadPathRenderer renderer(&drawing.picture);
  if (state.range(0) != 0) renderer.SetCursor(drawing.picture.last_tu / 2);
  QImage image(1600, 1000, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&image);
    renderer.Render(&painter, QRectF(0, 0, 1600, 1000));
  }
  state.counters["panels"] = renderer.PanelCount();
}
BENCHMARK(BM_Draw)->Arg(0)->Arg(1)->ArgName("cursor")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trakvist

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
