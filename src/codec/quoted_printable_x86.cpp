#include "codec/quoted_printable_kernels.h"

#if defined(__x86_64__)

#include <cstdint>

#include "codec/simd_x86.h"

namespace vortane {
namespace {

// Which bytes of a window are dropped, and how far the window reaches, from
// the masks of its escapes and soft line breaks (an "=" at position i drops
// the two bytes after it; a soft break drops its "=" too). `width` is the
// window's size, `stop` the position of an "=" that ends it early (or width).
struct WindowPlan {
  std::uint64_t keep;  // bits of the window's bytes that are written
  unsigned consumed;   // bytes of input the window uses up
};

WindowPlan PlanWindow(std::uint64_t escapes, std::uint64_t softBreaks, unsigned width,
                      unsigned stop) {
  const std::uint64_t below = (std::uint64_t{1} << stop) - 1;
  escapes &= below;
  softBreaks &= below;
  const std::uint64_t dropped =
      (escapes << 1) | (escapes << 2) | softBreaks | (softBreaks << 1) | (softBreaks << 2);
  unsigned consumed = stop;
  if (stop == width) {
    // An escape that begins in the last two bytes takes its digits from beyond.
    consumed = (dropped >> (width + 1)) & 1 ? width + 2
               : (dropped >> width) & 1     ? width + 1
                                            : width;
  }
  return {~dropped & below, consumed};
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
  while (end - p >= kWidth + 2) {
    const __m128i x = simd::Load16(p);
    const __m128i equals = _mm_cmpeq_epi8(x, _mm_set1_epi8('='));
    const auto equalsBits = static_cast<unsigned>(_mm_movemask_epi8(equals));
    if (equalsBits == 0) {
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
    if (stop == 0) {
      break;
    }
    const WindowPlan plan = PlanWindow(escapes, softBreaks, kWidth, stop);
    const __m128i value = _mm_or_si128(_mm_slli_epi16(high, 4), low);
    const __m128i bytes =
        _mm_or_si128(_mm_and_si128(isEscape, value), _mm_andnot_si128(isEscape, x));
    o = simd::PackBytes16Sse2(bytes, static_cast<unsigned>(plan.keep), o);
    p += plan.consumed;
  }
  dst = o;
  return p;
}

VORTANE_AVX2 const unsigned char* DecodeQuotedPrintableAvx2(const unsigned char* p,
                                                            const unsigned char* end, char*& dst) {
  constexpr unsigned kWidth = 32;
  char* o = dst;
  while (end - p >= kWidth + 2) {
    const __m256i x = simd::Load32(p);
    const __m256i equals = _mm256_cmpeq_epi8(x, _mm256_set1_epi8('='));
    const auto equalsBits = static_cast<std::uint32_t>(_mm256_movemask_epi8(equals));
    if (equalsBits == 0) {
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
    if (stop == 0) {
      break;
    }
    const WindowPlan plan = PlanWindow(escapes, softBreaks, kWidth, stop);
    const __m256i value = _mm256_or_si256(_mm256_slli_epi16(high, 4), low);
    o = simd::PackBytes32(_mm256_blendv_epi8(x, value, isEscape),
                          static_cast<std::uint32_t>(plan.keep), o);
    p += plan.consumed;
  }
  dst = o;
  return p;
}

}  // namespace vortane

#endif  // __x86_64__
