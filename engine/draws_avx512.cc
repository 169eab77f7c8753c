// The large generator's block work sixteen words at a time (AVX-512F).
#include "engine/draw_paths.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include "engine/mt19937.h"

#define SCHEDULE_TARGET __attribute__((target("avx512f")))

namespace schedule {

namespace {

using mt19937::kFarAhead;
using mt19937::kShift;
using mt19937::kSize;
using Vec = __m512i;
using Mask = __mmask16;
constexpr int kLanes = 16;
constexpr Mask kAllLanes = 0xFFFF;
// vpternlogd truth tables for (a, b, c): a ? b : c, and a ^ (b & c).
constexpr int kSelect = 0xCA;
constexpr int kXorAnd = 0x78;

SCHEDULE_TARGET inline Vec Load(const uint32_t* p, Mask lanes) {
  return _mm512_maskz_loadu_epi32(lanes, p);
}
SCHEDULE_TARGET inline void Store(uint32_t* p, Vec v, Mask lanes) {
  _mm512_mask_storeu_epi32(p, lanes, v);
}
SCHEDULE_TARGET inline Vec Splat(uint32_t word) {
  return _mm512_set1_epi32(static_cast<int>(word));
}
// (The zeroing forms: GCC 12 warns about the plain ones' undefined source.)
template <unsigned kBits>
SCHEDULE_TARGET inline Vec ShiftRight(Vec v) {
  return _mm512_maskz_srli_epi32(kAllLanes, v, kBits);
}
template <unsigned kBits>
SCHEDULE_TARGET inline Vec ShiftLeft(Vec v) {
  return _mm512_maskz_slli_epi32(kAllLanes, v, kBits);
}
inline Mask FirstLanes(int lanes) { return static_cast<Mask>((1u << lanes) - 1); }

SCHEDULE_TARGET inline Vec Twist(Vec word, Vec next, Vec far) {
  Vec y = _mm512_ternarylogic_epi32(Splat(mt19937::kUpperMask), word, next, kSelect);
  Mask odd = _mm512_test_epi32_mask(y, Splat(1));
  Vec x = _mm512_xor_si512(far, ShiftRight<1>(y));
  return _mm512_mask_xor_epi32(x, odd, x, Splat(mt19937::kMatrixA));
}

SCHEDULE_TARGET inline Vec Temper(Vec y) {
  y = _mm512_xor_si512(y, ShiftRight<11>(y));
  y = _mm512_ternarylogic_epi32(y, ShiftLeft<7>(y), Splat(mt19937::kTemperB), kXorAnd);
  y = _mm512_ternarylogic_epi32(y, ShiftLeft<15>(y), Splat(mt19937::kTemperC), kXorAnd);
  return _mm512_xor_si512(y, ShiftRight<18>(y));
}

// The words from i on in `lanes`, whose far words start at `far`; no other
// word is touched.
SCHEDULE_TARGET inline void TwistLanes(uint32_t* state, uint32_t* output, int i, int far,
                                       Mask lanes) {
  Vec twisted = Twist(Load(state + i, lanes), Load(state + i + 1, lanes), Load(state + far, lanes));
  Store(state + i, twisted, lanes);
  Store(output + i, Temper(twisted), lanes);
}

SCHEDULE_TARGET void Refill(uint32_t* state, uint32_t* output) {
  int i = 0;
  for (; i + kLanes <= kFarAhead; i += kLanes) TwistLanes(state, output, i, i + kShift, kAllLanes);
  TwistLanes(state, output, i, i + kShift, FirstLanes(kFarAhead - i));
  i = kFarAhead;
  // The last word's next word is the new first one.
  for (; i + kLanes <= kSize - 1; i += kLanes) {
    TwistLanes(state, output, i, i - kFarAhead, kAllLanes);
  }
  if (i < kSize - 1) TwistLanes(state, output, i, i - kFarAhead, FirstLanes(kSize - 1 - i));
  mt19937::TwistWord(state, output, kSize - 1);
}

template <bool kBelow>
SCHEDULE_TARGET inline Mask Hits(Vec numbers, Vec threshold, Mask lanes) {
  return kBelow ? _mm512_mask_cmplt_epu32_mask(lanes, numbers, threshold)
                : _mm512_mask_cmpge_epu32_mask(lanes, numbers, threshold);
}

// Thirty-two numbers a round, then the rest sixteen at a time.
template <bool kBelow>
SCHEDULE_TARGET int Find(const uint32_t* numbers, int count, uint32_t threshold) {
  const Vec t = Splat(threshold);
  int i = 0;
  for (; i + 2 * kLanes <= count; i += 2 * kLanes) {
    uint32_t low = Hits<kBelow>(Load(numbers + i, kAllLanes), t, kAllLanes);
    uint32_t high = Hits<kBelow>(Load(numbers + i + kLanes, kAllLanes), t, kAllLanes);
    uint32_t hits = low | high << kLanes;
    if (hits != 0) return i + __builtin_ctz(hits);
  }
  for (; i < count; i += kLanes) {
    const Mask lanes = count - i >= kLanes ? kAllLanes : FirstLanes(count - i);
    uint32_t hits = Hits<kBelow>(Load(numbers + i, lanes), t, lanes);
    if (hits != 0) return i + __builtin_ctz(hits);
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

const DrawKernels* Avx512DrawKernels() {
  static const DrawKernels kernels{DrawPath::kAvx512, Refill, FindAtOrAbove, FindBelow};
  return &kernels;
}

}  // namespace schedule

#else

namespace schedule {
const DrawKernels* Avx512DrawKernels() { return nullptr; }
}  // namespace schedule

#endif
