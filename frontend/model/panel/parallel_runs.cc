#include "frontend/model/panel/parallel_runs.h"

#include <algorithm>
#include <thread>

namespace trakvist {

int DefaultParallelRuns() {
  const long long cores = std::thread::hardware_concurrency();  // 0 when not known
  return static_cast<int>(std::clamp<long long>(cores, kMinParallelRuns, kMaxParallelRuns));
}

}  // namespace trakvist
