// The large generator's block work eight words at a time (AVX2).
#include "engine/draw_paths.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include "engine/mt19937.h"

#define SCHEDULE_TARGET __attribute__((target("avx2")))

namespace schedule {

namespace {

using mt19937::kFarAhead;
using mt19937::kShift;
using mt19937::kSize;
using Vec = __m256i;
constexpr int kLanes = 8;

SCHEDULE_TARGET inline Vec Load(const uint32_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const Vec*>(p));
}
SCHEDULE_TARGET inline void Store(uint32_t* p, Vec v) {
  _mm256_storeu_si256(reinterpret_cast<Vec*>(p), v);
}
SCHEDULE_TARGET inline Vec Splat(uint32_t word) {
  return _mm256_set1_epi32(static_cast<int>(word));
}
SCHEDULE_TARGET inline Vec MaskLoad(const uint32_t* p, Vec mask) {
  return _mm256_maskload_epi32(reinterpret_cast<const int*>(p), mask);
}
// All bits set in the first `lanes` lanes.
SCHEDULE_TARGET inline Vec FirstLanes(int lanes) {
  return _mm256_cmpgt_epi32(Splat(static_cast<uint32_t>(lanes)),
                            _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
}

SCHEDULE_TARGET inline Vec Twist(Vec word, Vec next, Vec far) {
  Vec y = _mm256_or_si256(_mm256_and_si256(word, Splat(mt19937::kUpperMask)),
                          _mm256_and_si256(next, Splat(mt19937::kLowerMask)));
  Vec odd = _mm256_srai_epi32(_mm256_slli_epi32(y, 31), 31);
  Vec matrix = _mm256_and_si256(odd, Splat(mt19937::kMatrixA));
  return _mm256_xor_si256(_mm256_xor_si256(far, _mm256_srli_epi32(y, 1)), matrix);
}

SCHEDULE_TARGET inline Vec Temper(Vec y) {
  y = _mm256_xor_si256(y, _mm256_srli_epi32(y, 11));
  y = _mm256_xor_si256(y, _mm256_and_si256(_mm256_slli_epi32(y, 7), Splat(mt19937::kTemperB)));
  y = _mm256_xor_si256(y, _mm256_and_si256(_mm256_slli_epi32(y, 15), Splat(mt19937::kTemperC)));
  return _mm256_xor_si256(y, _mm256_srli_epi32(y, 18));
}

// Words i to i + 7, whose far words start at `far`.
SCHEDULE_TARGET inline void TwistLanes(uint32_t* state, uint32_t* output, int i, int far) {
  Vec twisted = Twist(Load(state + i), Load(state + i + 1), Load(state + far));
  Store(state + i, twisted);
  Store(output + i, Temper(twisted));
}

// The same for the first `lanes` of them, touching no other word.
SCHEDULE_TARGET inline void TwistFirstLanes(uint32_t* state, uint32_t* output, int i, int far,
                                            int lanes) {
  const Vec mask = FirstLanes(lanes);
  Vec twisted =
      Twist(MaskLoad(state + i, mask), MaskLoad(state + i + 1, mask), MaskLoad(state + far, mask));
  _mm256_maskstore_epi32(reinterpret_cast<int*>(state + i), mask, twisted);
  _mm256_maskstore_epi32(reinterpret_cast<int*>(output + i), mask, Temper(twisted));
}

SCHEDULE_TARGET void Refill(uint32_t* state, uint32_t* output) {
  int i = 0;
  for (; i + kLanes <= kFarAhead; i += kLanes) TwistLanes(state, output, i, i + kShift);
  TwistFirstLanes(state, output, i, i + kShift, kFarAhead - i);
  i = kFarAhead;
  // The last word's next word is the new first one.
  for (; i + kLanes <= kSize - 1; i += kLanes) TwistLanes(state, output, i, i - kFarAhead);
  if (i < kSize - 1) TwistFirstLanes(state, output, i, i - kFarAhead, kSize - 1 - i);
  mt19937::TwistWord(state, output, kSize - 1);
}

// Lanes below the threshold, as bits. Both sides are offset by 2^31 so that
// the signed comparison orders them as unsigned numbers.
SCHEDULE_TARGET inline uint32_t BelowBits(Vec numbers, Vec offset_threshold) {
  Vec offset = _mm256_xor_si256(numbers, Splat(0x80000000u));
  return static_cast<uint32_t>(
      _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpgt_epi32(offset_threshold, offset))));
}

// Thirty-two numbers a round; the round with a hit is searched lane by lane.
template <bool kBelow>
SCHEDULE_TARGET int Find(const uint32_t* numbers, int count, uint32_t threshold) {
  const Vec t = Splat(threshold ^ 0x80000000u);
  constexpr uint32_t kAll = (1u << kLanes) - 1;
  int i = 0;
  for (; i + 4 * kLanes <= count; i += 4 * kLanes) {
    uint32_t hits = 0;
    for (int k = 0; k < 4; ++k) {
      uint32_t below = BelowBits(Load(numbers + i + k * kLanes), t);
      hits |= (kBelow ? below : below ^ kAll) << (k * kLanes);
    }
    if (hits != 0) return i + __builtin_ctz(hits);
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

const DrawKernels* Avx2DrawKernels() {
  static const DrawKernels kernels{DrawPath::kAvx2, Refill, FindAtOrAbove, FindBelow};
  return &kernels;
}

}  // namespace schedule

#else

namespace schedule {
const DrawKernels* Avx2DrawKernels() { return nullptr; }
}  // namespace schedule

#endif
