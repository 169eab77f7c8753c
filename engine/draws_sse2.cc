// The large generator's block work four words at a time (SSE2).
#include "engine/draw_paths.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include "engine/mt19937.h"

#define SCHEDULE_TARGET __attribute__((target("sse2")))

namespace schedule {

namespace {

using mt19937::kFarAhead;
using mt19937::kShift;
using mt19937::kSize;
using Vec = __m128i;
constexpr int kLanes = 4;

SCHEDULE_TARGET inline Vec Load(const uint32_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const Vec*>(p));
}
SCHEDULE_TARGET inline void Store(uint32_t* p, Vec v) {
  _mm_storeu_si128(reinterpret_cast<Vec*>(p), v);
}
SCHEDULE_TARGET inline Vec Splat(uint32_t word) { return _mm_set1_epi32(static_cast<int>(word)); }

SCHEDULE_TARGET inline Vec Twist(Vec word, Vec next, Vec far) {
  Vec y = _mm_or_si128(_mm_and_si128(word, Splat(mt19937::kUpperMask)),
                       _mm_and_si128(next, Splat(mt19937::kLowerMask)));
  Vec odd = _mm_srai_epi32(_mm_slli_epi32(y, 31), 31);
  Vec matrix = _mm_and_si128(odd, Splat(mt19937::kMatrixA));
  return _mm_xor_si128(_mm_xor_si128(far, _mm_srli_epi32(y, 1)), matrix);
}

SCHEDULE_TARGET inline Vec Temper(Vec y) {
  y = _mm_xor_si128(y, _mm_srli_epi32(y, 11));
  y = _mm_xor_si128(y, _mm_and_si128(_mm_slli_epi32(y, 7), Splat(mt19937::kTemperB)));
  y = _mm_xor_si128(y, _mm_and_si128(_mm_slli_epi32(y, 15), Splat(mt19937::kTemperC)));
  return _mm_xor_si128(y, _mm_srli_epi32(y, 18));
}

// Words i to i + 3, whose far words start at `far`.
SCHEDULE_TARGET inline void TwistLanes(uint32_t* state, uint32_t* output, int i, int far) {
  Vec twisted = Twist(Load(state + i), Load(state + i + 1), Load(state + far));
  Store(state + i, twisted);
  Store(output + i, Temper(twisted));
}

SCHEDULE_TARGET void Refill(uint32_t* state, uint32_t* output) {
  int i = 0;
  for (; i + kLanes <= kFarAhead; i += kLanes) TwistLanes(state, output, i, i + kShift);
  for (; i < kFarAhead; ++i) mt19937::TwistWord(state, output, i);
  // The last word's next word is the new first one.
  for (; i + kLanes <= kSize - 1; i += kLanes) TwistLanes(state, output, i, i - kFarAhead);
  for (; i < kSize; ++i) mt19937::TwistWord(state, output, i);
}

// Lanes below the threshold, as bits. Both sides are offset by 2^31 so that
// the signed comparison orders them as unsigned numbers.
SCHEDULE_TARGET inline int BelowBits(Vec numbers, Vec offset_threshold) {
  Vec offset = _mm_xor_si128(numbers, Splat(0x80000000u));
  return _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(offset_threshold, offset)));
}

// Sixteen numbers a round; the round with a hit is searched lane by lane.
template <bool kBelow>
SCHEDULE_TARGET int Find(const uint32_t* numbers, int count, uint32_t threshold) {
  const Vec t = Splat(threshold ^ 0x80000000u);
  constexpr int kAll = (1 << kLanes) - 1;
  int i = 0;
  for (; i + 4 * kLanes <= count; i += 4 * kLanes) {
    int hits = 0;
    for (int k = 0; k < 4; ++k) {
      int below = BelowBits(Load(numbers + i + k * kLanes), t);
      hits |= (kBelow ? below : below ^ kAll) << (k * kLanes);
    }
    if (hits != 0) return i + __builtin_ctz(static_cast<unsigned>(hits));
  }
  for (; i < count; ++i) {
    if ((numbers[i] < threshold) == kBelow) return i;
  }
  return count;
}

SCHEDULE_TARGET int FindAtOrAbove(const uint32_t* numbers, int count, uint32_t threshold) {
  return Find<false>(numbers, count, threshold);
}
SCHEDULE_TARGET int FindBelow(const uint32_t* numbers, int count, uint32_t threshold) {
  return Find<true>(numbers, count, threshold);
}

}  // namespace

const DrawKernels* Sse2DrawKernels() {
  static const DrawKernels kernels{DrawPath::kSse2, Refill, FindAtOrAbove, FindBelow};
  return &kernels;
}

}  // namespace schedule

#else

namespace schedule {
const DrawKernels* Sse2DrawKernels() { return nullptr; }
}  // namespace schedule

#endif
