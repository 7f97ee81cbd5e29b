#include "cjk/utf8_kernels.h"

#if defined(__x86_64__)

#include <algorithm>

#include "codec/simd_x86.h"

namespace vortane {
namespace {

constexpr unsigned kWindow = 16;

// The forms of a window of 16 bytes that the vector paths decode: where they
// start, which are ASCII and which three-byte forms, and where they stop (0
// when the window's first form is of another kind). A window that holds
// forms to its end moves on by its width, and the continuation bytes its last
// form takes from the next are that window's `skipped`, so where the next
// window starts never waits for this one's masks.
struct FormWindow {
  unsigned starts;
  unsigned ascii;
  unsigned leads;
  unsigned stop;
  unsigned skipNext;  // bits of the next window's first bytes this one's forms take
};

// `bytes`, `next` and `afterNext` are the window loaded from p, p + 1, p + 2;
// `skipped` the bits of its first bytes the window before took.
inline FormWindow FindForms(__m128i bytes, __m128i next, __m128i afterNext, unsigned skipped) {
  const auto bitsOf = [](__m128i v, char mask, char value) {
    return static_cast<unsigned>(_mm_movemask_epi8(
        _mm_cmpeq_epi8(_mm_and_si128(v, _mm_set1_epi8(mask)), _mm_set1_epi8(value))));
  };
  const unsigned ascii = ~static_cast<unsigned>(_mm_movemask_epi8(bytes)) & 0xFFFF;
  const unsigned leads = bitsOf(bytes, static_cast<char>(0xF0), static_cast<char>(0xE0));
  const unsigned followed = bitsOf(next, static_cast<char>(0xC0), static_cast<char>(0x80)) &
                            bitsOf(afterNext, static_cast<char>(0xC0), static_cast<char>(0x80));
  // A byte no form covers (a lone continuation byte, the lead of another
  // form) or a lead byte without two continuation bytes ends the window.
  const unsigned covered = ascii | leads | (leads << 1) | (leads << 2) | skipped;
  const unsigned stopBits = (~covered & 0xFFFF) | (leads & ~followed);
  const unsigned stop = stopBits != 0 ? static_cast<unsigned>(__builtin_ctz(stopBits)) : kWindow;
  const unsigned below = (1u << stop) - 1;
  return {(ascii | leads) & below, ascii & below, leads & below, stop,
          stop == kWindow ? ((leads << 1) | (leads << 2)) >> kWindow : 0};
}

// The input bytes `skipped` stands for.
constexpr unsigned SkippedCount(unsigned skipped) {
  return skipped == 0 ? 0 : skipped == 1 ? 1 : 2;
}

// The code points of eight forms (16-bit lanes of a window's bytes from p,
// p + 1, p + 2): an ASCII byte itself, a three-byte form its 16 bits.
inline __m128i CodePointsSse2(__m128i b0, __m128i b1, __m128i b2) {
  const __m128i three =
      _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_and_si128(b0, _mm_set1_epi16(0x0F)), 12),
                                _mm_slli_epi16(_mm_and_si128(b1, _mm_set1_epi16(0x3F)), 6)),
                   _mm_and_si128(b2, _mm_set1_epi16(0x3F)));
  const __m128i isAscii = _mm_cmplt_epi16(b0, _mm_set1_epi16(0x80));
  return _mm_or_si128(_mm_and_si128(isAscii, b0), _mm_andnot_si128(isAscii, three));
}

VORTANE_AVX2 inline __m256i CodePointsAvx2(__m128i bytes, __m128i next, __m128i afterNext) {
  const __m256i b0 = _mm256_cvtepu8_epi16(bytes);
  const __m256i b1 = _mm256_cvtepu8_epi16(next);
  const __m256i b2 = _mm256_cvtepu8_epi16(afterNext);
  const __m256i three = _mm256_or_si256(
      _mm256_or_si256(_mm256_slli_epi16(_mm256_and_si256(b0, _mm256_set1_epi16(0x0F)), 12),
                      _mm256_slli_epi16(_mm256_and_si256(b1, _mm256_set1_epi16(0x3F)), 6)),
      _mm256_and_si256(b2, _mm256_set1_epi16(0x3F)));
  const __m256i isAscii = _mm256_cmpgt_epi16(_mm256_set1_epi16(0x80), b0);
  return _mm256_blendv_epi8(three, b0, isAscii);
}

// The code points of the window's sixteen positions, stored at `points`.
inline void StoreCodePointsSse2(__m128i bytes, __m128i next, __m128i afterNext,
                                std::uint16_t* points) {
  const __m128i zero = _mm_setzero_si128();
  _mm_store_si128(reinterpret_cast<__m128i*>(points),
                  CodePointsSse2(_mm_unpacklo_epi8(bytes, zero), _mm_unpacklo_epi8(next, zero),
                                 _mm_unpacklo_epi8(afterNext, zero)));
  _mm_store_si128(reinterpret_cast<__m128i*>(points + 8),
                  CodePointsSse2(_mm_unpackhi_epi8(bytes, zero), _mm_unpackhi_epi8(next, zero),
                                 _mm_unpackhi_epi8(afterNext, zero)));
}

}  // namespace

const unsigned char* DecodeUtf8UnitsSse2(const unsigned char* p, const unsigned char* end,
                                         char*& dst) {
  char* o = dst;
  alignas(16) std::uint16_t points[16];
  unsigned skipped = 0;
  while (end - p >= kWindow + 2) {
    const __m128i bytes = simd::Load16(p);
    const __m128i next = simd::Load16(p + 1);
    const __m128i afterNext = simd::Load16(p + 2);
    const FormWindow w = FindForms(bytes, next, afterNext, skipped);
    StoreCodePointsSse2(bytes, next, afterNext, points);
    for (unsigned starts = w.starts; starts != 0; starts &= starts - 1) {
      const std::uint16_t v = points[__builtin_ctz(starts)];
      o[0] = static_cast<char>(v >> 8);
      o[1] = static_cast<char>(v & 0xFF);
      o += 2;
    }
    if (w.stop < kWindow) {
      p += w.stop;
      skipped = 0;
      break;
    }
    skipped = w.skipNext;
    p += kWindow;
  }
  dst = o;
  return p + SkippedCount(skipped);
}

VORTANE_AVX2 const unsigned char* DecodeUtf8UnitsAvx2(const unsigned char* p,
                                                      const unsigned char* end, char*& dst) {
  char* o = dst;
  unsigned skipped = 0;
  while (end - p >= kWindow + 2) {
    const __m128i bytes = simd::Load16(p);
    const __m128i next = simd::Load16(p + 1);
    const __m128i afterNext = simd::Load16(p + 2);
    const FormWindow w = FindForms(bytes, next, afterNext, skipped);
    o = simd::PackSwappedLanes16(CodePointsAvx2(bytes, next, afterNext), w.starts, o);
    if (w.stop < kWindow) {
      p += w.stop;
      skipped = 0;
      break;
    }
    skipped = w.skipNext;
    p += kWindow;
  }
  dst = o;
  return p + SkippedCount(skipped);
}

const unsigned char* DecodeUtf8TextSse2(const unsigned char* p, const unsigned char* end,
                                        char*& dst, const std::uint16_t* codes) {
  char* o = dst;
  alignas(16) std::uint16_t points[16];
  unsigned skipped = 0;
  while (end - p >= kWindow + 2) {
    const __m128i bytes = simd::Load16(p);
    const __m128i next = simd::Load16(p + 1);
    const __m128i afterNext = simd::Load16(p + 2);
    const FormWindow w = FindForms(bytes, next, afterNext, skipped);
    StoreCodePointsSse2(bytes, next, afterNext, points);
    for (unsigned starts = w.starts; starts != 0; starts &= starts - 1) {
      const auto at = static_cast<unsigned>(__builtin_ctz(starts));
      // ASCII writes its one byte; a three-byte form its code, high byte first.
      const std::uint16_t code = codes[points[at]];
      const bool ascii = ((w.ascii >> at) & 1) != 0;
      o[0] = static_cast<char>(ascii ? points[at] : code >> 8);
      o[1] = static_cast<char>(code & 0xFF);
      o += ascii ? 1 : 2;
    }
    if (w.stop < kWindow) {
      p += w.stop;
      skipped = 0;
      break;
    }
    skipped = w.skipNext;
    p += kWindow;
  }
  dst = o;
  return p + SkippedCount(skipped);
}

VORTANE_AVX2 const unsigned char* DecodeUtf8TextAvx2(const unsigned char* p,
                                                     const unsigned char* end, char*& dst,
                                                     const std::uint16_t* codes) {
  char* o = dst;
  unsigned skipped = 0;
  while (end - p >= kWindow + 2) {
    const __m128i bytes = simd::Load16(p);
    const __m128i next = simd::Load16(p + 1);
    const __m128i afterNext = simd::Load16(p + 2);
    const FormWindow w = FindForms(bytes, next, afterNext, skipped);
    unsigned stop = w.stop;
    const __m256i points = CodePointsAvx2(bytes, next, afterNext);
    const __m256i first = _mm256_cvtepu8_epi16(bytes);
    const __m256i isAscii = _mm256_cmpgt_epi16(_mm256_set1_epi16(0x80), first);
    const __m256i isLead = _mm256_cmpeq_epi16(_mm256_and_si256(first, _mm256_set1_epi16(0xF0)),
                                              _mm256_set1_epi16(0xE0));
    // The gather reads four bytes per lane, two past the last code: a form of
    // U+FFFF is never gathered; it ends the window and goes the exact way.
    const __m256i isLast = _mm256_cmpeq_epi16(points, _mm256_set1_epi16(-1));
    const auto lastCode =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_and_si256(isLead, isLast)));
    if (lastCode != 0) {
      stop = std::min(stop, _tzcnt_u32(lastCode) / 2);
    }
    // Only the three-byte forms are looked up; other lanes read entry 0.
    const __m256i keys = _mm256_andnot_si256(isLast, _mm256_and_si256(isLead, points));
    const __m256i found = simd::Gather16(codes, keys);
    // High byte first; ASCII keeps only its low byte, now the second, and a
    // lane inside a form (or past the window's forms) keeps nothing.
    const __m256i values =
        _mm256_shuffle_epi8(_mm256_blendv_epi8(found, points, isAscii),
                            _mm256_setr_epi8(1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14,
                                             1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14));
    const __m256i kept = _mm256_or_si256(
        isLead, _mm256_and_si256(isAscii, _mm256_set1_epi16(static_cast<short>(0xFF00))));
    const std::uint64_t forms = (std::uint64_t{1} << (2 * stop)) - 1;
    const auto keep =
        static_cast<std::uint32_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(kept)) & forms);
    o = simd::PackBytes32(values, keep, o);
    if (stop < kWindow) {
      p += stop;
      skipped = 0;
      break;
    }
    skipped = w.skipNext;
    p += kWindow;
  }
  dst = o;
  return p + SkippedCount(skipped);
}

}  // namespace vortane

#endif  // __x86_64__
