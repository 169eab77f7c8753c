#ifndef SCHEDULE_ENGINE_DRAW_PATHS_H_
#define SCHEDULE_ENGINE_DRAW_PATHS_H_

#include <cstdint>
#include <vector>

// The large generator's block work in one version per instruction set: the
// twist of the whole state with the tempering of its 624 numbers, and the
// search of a block for the first number on the far side of a threshold.
// Every version gives the same numbers; the best one the processor runs is
// chosen when first needed.
namespace schedule {

enum class DrawPath { kScalar, kSse2, kAvx2, kAvx512 };

struct DrawKernels {
  DrawPath path;
  // Twists the 624 words of `state` in place and writes them, tempered,
  // into `output`.
  void (*refill)(uint32_t* state, uint32_t* output);
  // The index of the first of the `count` numbers that is at or above
  // `threshold` (FindAtOrAbove) or below it (FindBelow); `count` if none.
  int (*find_at_or_above)(const uint32_t* numbers, int count, uint32_t threshold);
  int (*find_below)(const uint32_t* numbers, int count, uint32_t threshold);
};

// The kernels in use.
const DrawKernels& ActiveDrawKernels();
DrawPath ActiveDrawPath();
// The paths this processor can run, plainest first.
std::vector<DrawPath> SupportedDrawPaths();
// Makes `path` the one in use (for the tests and benchmarks; the engine
// keeps the best). False, and nothing changed, when the processor cannot
// run it. Not for use while another thread draws.
bool UseDrawPath(DrawPath path);
const char* DrawPathName(DrawPath path);

// The versions, for the dispatch above; null where this build or this
// processor's family has none.
const DrawKernels* ScalarDrawKernels();
const DrawKernels* Sse2DrawKernels();
const DrawKernels* Avx2DrawKernels();
const DrawKernels* Avx512DrawKernels();

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_DRAW_PATHS_H_
