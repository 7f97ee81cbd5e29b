#include "codec/quoted_printable_kernels.h"

#if defined(__x86_64__)

#include <cstdint>

#include "codec/simd_x86.h"

namespace vortane {
namespace {

// Which bytes of a window are dropped, from the masks of its escapes and soft
// line breaks (an "=" at position i drops the two bytes after it; a soft
// break drops its "=" too) before `stop` (an "=" that ends the window early,
// or its width), and `skipped`, its first bytes that an escape of the window
// before took. Bits from `width` on are the next window's `skipped`: every
// window but the last moves on by its width, so where the next one starts
// never waits for this one's masks.
[[gnu::always_inline]] inline std::uint64_t DroppedBytes(std::uint64_t escapes,
                                                         std::uint64_t softBreaks, unsigned stop,
                                                         std::uint64_t skipped) {
  const std::uint64_t below = (std::uint64_t{1} << stop) - 1;
  escapes &= below;
  softBreaks &= below;
  return (escapes << 1) | (escapes << 2) | softBreaks | (softBreaks << 1) | (softBreaks << 2) |
         skipped;
}

// The input bytes that `skipped` stands for, taken past the window's end.
constexpr unsigned SkippedCount(std::uint64_t skipped) {
  return skipped == 0 ? 0 : skipped == 1 ? 1 : 2;
}

// Hexadecimal digit values of 16 bytes; `valid` marks the digits.
inline __m128i HexValuesSse2(__m128i c, __m128i& valid) {
  const __m128i digit = _mm_sub_epi8(c, _mm_set1_epi8('0'));
  const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(digit, _mm_set1_epi8(9)), digit);
  const __m128i letter = _mm_sub_epi8(_mm_or_si128(c, _mm_set1_epi8(0x20)), _mm_set1_epi8('a'));
  const __m128i isLetter = _mm_cmpeq_epi8(_mm_min_epu8(letter, _mm_set1_epi8(5)), letter);
  valid = _mm_or_si128(isDigit, isLetter);
  return _mm_or_si128(_mm_and_si128(isDigit, digit),
                      _mm_and_si128(isLetter, _mm_add_epi8(letter, _mm_set1_epi8(10))));
}

VORTANE_AVX2 inline __m256i HexValuesAvx2(__m256i c, __m256i& valid) {
  const __m256i digit = _mm256_sub_epi8(c, _mm256_set1_epi8('0'));
  const __m256i isDigit = _mm256_cmpeq_epi8(_mm256_min_epu8(digit, _mm256_set1_epi8(9)), digit);
  const __m256i letter =
      _mm256_sub_epi8(_mm256_or_si256(c, _mm256_set1_epi8(0x20)), _mm256_set1_epi8('a'));
  const __m256i isLetter = _mm256_cmpeq_epi8(_mm256_min_epu8(letter, _mm256_set1_epi8(5)), letter);
  valid = _mm256_or_si256(isDigit, isLetter);
  return _mm256_or_si256(_mm256_and_si256(isDigit, digit),
                         _mm256_and_si256(isLetter, _mm256_add_epi8(letter, _mm256_set1_epi8(10))));
}

}  // namespace

const unsigned char* DecodeQuotedPrintableSse2(const unsigned char* p, const unsigned char* end,
                                               char*& dst) {
  constexpr unsigned kWidth = 16;
  char* o = dst;
  std::uint64_t skipped = 0;
  while (end - p >= kWidth + 2) {
    const __m128i x = simd::Load16(p);
    const __m128i equals = _mm_cmpeq_epi8(x, _mm_set1_epi8('='));
    const auto equalsBits = static_cast<unsigned>(_mm_movemask_epi8(equals));
    if ((equalsBits | skipped) == 0) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o), x);
      o += kWidth;
      p += kWidth;
      continue;
    }
    const __m128i next = simd::Load16(p + 1);
    const __m128i afterNext = simd::Load16(p + 2);
    __m128i valid1;
    __m128i valid2;
    const __m128i high = HexValuesSse2(next, valid1);
    const __m128i low = HexValuesSse2(afterNext, valid2);
    const __m128i isEscape = _mm_and_si128(equals, _mm_and_si128(valid1, valid2));
    const auto escapes = static_cast<unsigned>(_mm_movemask_epi8(isEscape));
    const unsigned softBreaks =
        equalsBits & simd::BytesEqualSse2(next, '\r') & simd::BytesEqualSse2(afterNext, '\n');
    const unsigned others = equalsBits & ~(escapes | softBreaks);
    const unsigned stop = others != 0 ? static_cast<unsigned>(__builtin_ctz(others)) : kWidth;
    const std::uint64_t dropped = DroppedBytes(escapes, softBreaks, stop, skipped);
    const __m128i value = _mm_or_si128(_mm_slli_epi16(high, 4), low);
    const __m128i bytes =
        _mm_or_si128(_mm_and_si128(isEscape, value), _mm_andnot_si128(isEscape, x));
    o = simd::PackBytes16Sse2(bytes, static_cast<unsigned>(~dropped & ((1u << stop) - 1)), o);
    if (stop < kWidth) {
      // An "=" the exact rule must decide: it goes on from there.
      p += stop;
      skipped = 0;
      break;
    }
    skipped = dropped >> kWidth;
    p += kWidth;
  }
  dst = o;
  return p + SkippedCount(skipped);
}

VORTANE_AVX2 const unsigned char* DecodeQuotedPrintableAvx2(const unsigned char* p,
                                                            const unsigned char* end, char*& dst) {
  constexpr unsigned kWidth = 32;
  char* o = dst;
  std::uint64_t skipped = 0;
  while (end - p >= kWidth + 2) {
    const __m256i x = simd::Load32(p);
    const __m256i equals = _mm256_cmpeq_epi8(x, _mm256_set1_epi8('='));
    const auto equalsBits = static_cast<std::uint32_t>(_mm256_movemask_epi8(equals));
    if ((equalsBits | skipped) == 0) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(o), x);
      o += kWidth;
      p += kWidth;
      continue;
    }
    const __m256i next = simd::Load32(p + 1);
    const __m256i afterNext = simd::Load32(p + 2);
    __m256i valid1;
    __m256i valid2;
    const __m256i high = HexValuesAvx2(next, valid1);
    const __m256i low = HexValuesAvx2(afterNext, valid2);
    const __m256i isEscape = _mm256_and_si256(equals, _mm256_and_si256(valid1, valid2));
    const auto escapes = static_cast<std::uint32_t>(_mm256_movemask_epi8(isEscape));
    const std::uint32_t softBreaks =
        equalsBits & simd::BytesEqualAvx2(next, '\r') & simd::BytesEqualAvx2(afterNext, '\n');
    const std::uint32_t others = equalsBits & ~(escapes | softBreaks);
    const unsigned stop = others != 0 ? _tzcnt_u32(others) : kWidth;
    const std::uint64_t dropped = DroppedBytes(escapes, softBreaks, stop, skipped);
    const __m256i value = _mm256_or_si256(_mm256_slli_epi16(high, 4), low);
    o = simd::PackBytes32(_mm256_blendv_epi8(x, value, isEscape),
                          static_cast<std::uint32_t>(~dropped & ((std::uint64_t{1} << stop) - 1)),
                          o);
    if (stop < kWidth) {
      // An "=" the exact rule must decide: it goes on from there.
      p += stop;
      skipped = 0;
      break;
    }
    skipped = dropped >> kWidth;
    p += kWidth;
  }
  dst = o;
  return p + SkippedCount(skipped);
}

}  // namespace vortane

#endif  // __x86_64__
