#include "engine/draw_paths.h"

#include "engine/mt19937.h"

namespace schedule {

namespace {

bool ProcessorRuns(DrawPath path) {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_cpu_init();
  switch (path) {
    case DrawPath::kScalar:
      return true;
    case DrawPath::kSse2:
      return __builtin_cpu_supports("sse2");
    case DrawPath::kAvx2:
      return __builtin_cpu_supports("avx2");
    case DrawPath::kAvx512:
      return __builtin_cpu_supports("avx512f");
  }
  return false;
#else
  return path == DrawPath::kScalar;
#endif
}

const DrawKernels* KernelsOf(DrawPath path) {
  switch (path) {
    case DrawPath::kScalar:
      return ScalarDrawKernels();
    case DrawPath::kSse2:
      return Sse2DrawKernels();
    case DrawPath::kAvx2:
      return Avx2DrawKernels();
    case DrawPath::kAvx512:
      return Avx512DrawKernels();
  }
  return nullptr;
}

const DrawKernels* Best() {
  std::vector<DrawPath> paths = SupportedDrawPaths();
  return KernelsOf(paths.back());
}

const DrawKernels*& Active() {
  static const DrawKernels* active = Best();
  return active;
}

// The scalar version: the plain loops, which the compiler is not asked to
// vectorise on processors that have the versions below.
#if defined(__GNUC__) && !defined(__clang__) && (defined(__x86_64__) || defined(__i386__))
#define SCHEDULE_SCALAR __attribute__((optimize("no-tree-vectorize")))
#else
#define SCHEDULE_SCALAR
#endif

SCHEDULE_SCALAR void RefillScalar(uint32_t* state, uint32_t* output) {
  for (int i = 0; i < mt19937::kSize; ++i) mt19937::TwistWord(state, output, i);
}

SCHEDULE_SCALAR int FindAtOrAboveScalar(const uint32_t* numbers, int count, uint32_t threshold) {
  for (int i = 0; i < count; ++i) {
    if (numbers[i] >= threshold) return i;
  }
  return count;
}

SCHEDULE_SCALAR int FindBelowScalar(const uint32_t* numbers, int count, uint32_t threshold) {
  for (int i = 0; i < count; ++i) {
    if (numbers[i] < threshold) return i;
  }
  return count;
}

#undef SCHEDULE_SCALAR

}  // namespace

const DrawKernels* ScalarDrawKernels() {
  static const DrawKernels kernels{DrawPath::kScalar, RefillScalar, FindAtOrAboveScalar,
                                   FindBelowScalar};
  return &kernels;
}

const DrawKernels& ActiveDrawKernels() { return *Active(); }

DrawPath ActiveDrawPath() { return Active()->path; }

std::vector<DrawPath> SupportedDrawPaths() {
  std::vector<DrawPath> paths;
  for (DrawPath path : {DrawPath::kScalar, DrawPath::kSse2, DrawPath::kAvx2, DrawPath::kAvx512}) {
    if (KernelsOf(path) != nullptr && ProcessorRuns(path)) paths.push_back(path);
  }
  return paths;
}

bool UseDrawPath(DrawPath path) {
  if (KernelsOf(path) == nullptr || !ProcessorRuns(path)) return false;
  Active() = KernelsOf(path);
  return true;
}

const char* DrawPathName(DrawPath path) {
  switch (path) {
    case DrawPath::kScalar:
      return "scalar";
    case DrawPath::kSse2:
      return "SSE2";
    case DrawPath::kAvx2:
      return "AVX2";
    case DrawPath::kAvx512:
      return "AVX-512";
  }
  return "?";
}

}  // namespace schedule
