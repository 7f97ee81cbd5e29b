#include "cjk/utf7_kernels.h"

#if defined(__x86_64__)

#include <cstdint>

#include "codec/base64_x86.h"
#include "codec/simd_x86.h"

namespace vortane {
namespace {

// Bytes written for the first `taken` values of a run's last group: whatever
// full bytes those values hold (3 per 4 values).
constexpr unsigned RunBytes(unsigned taken) { return taken * 3 / 4; }

// At a "+" in ordinary text with the byte after it in reach: "+-" writes 00 2B
// and stays in text; any other byte opens a run.
inline void TakePlus(const unsigned char*& p, char*& o, bool& inRun) {
  if (p[1] == '-') {
    o[0] = 0;
    o[1] = '+';
    o += 2;
    p += 2;
  } else {
    p += 1;
    inRun = true;
  }
}

// After a run's vector whose first non-Alphabet byte is at `length`: the run
// ends there, and a "-" ending it is dropped.
inline void EndRun(unsigned length, const unsigned char*& p, char*& o, bool& inRun) {
  o += RunBytes(length);
  p += length;
  if (*p == '-') {
    ++p;
  }
  inRun = false;
}

}  // namespace

const unsigned char* DecodeUtf7Sse2(const unsigned char* p, const unsigned char* end, char*& dst,
                                    bool& inRun) {
  constexpr long kWidth = 16;
  char* o = dst;
  const __m128i zero = _mm_setzero_si128();
  while (end - p >= kWidth) {
    const __m128i x = simd::Load16(p);
    if (!inRun) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_unpacklo_epi8(zero, x));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 16), _mm_unpackhi_epi8(zero, x));
      const unsigned plus = simd::BytesEqualSse2(x, '+');
      if (plus == 0) {
        p += kWidth;
        o += 2 * kWidth;
        continue;
      }
      const auto at = static_cast<unsigned>(__builtin_ctz(plus));
      p += at;
      o += 2 * at;
      if (end - p < 2) {
        break;
      }
      TakePlus(p, o, inRun);
      continue;
    }
    unsigned notAlphabet = 0;
    simd::StoreBase64GroupsSse2(simd::Base64ValuesSse2(x, notAlphabet), o);
    if (notAlphabet == 0) {
      p += kWidth;
      o += 12;
      continue;
    }
    EndRun(static_cast<unsigned>(__builtin_ctz(notAlphabet)), p, o, inRun);
  }
  dst = o;
  return p;
}

VORTANE_AVX2 const unsigned char* DecodeUtf7Avx2(const unsigned char* p, const unsigned char* end,
                                                 char*& dst, bool& inRun) {
  constexpr long kWidth = 32;
  char* o = dst;
  const __m256i zero = _mm256_setzero_si256();
  while (end - p >= kWidth) {
    const __m256i x = simd::Load32(p);
    if (!inRun) {
      const __m256i low = _mm256_unpacklo_epi8(zero, x);
      const __m256i high = _mm256_unpackhi_epi8(zero, x);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(o),
                          _mm256_permute2x128_si256(low, high, 0x20));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(o + 32),
                          _mm256_permute2x128_si256(low, high, 0x31));
      const std::uint32_t plus = simd::BytesEqualAvx2(x, '+');
      if (plus == 0) {
        p += kWidth;
        o += 2 * kWidth;
        continue;
      }
      const unsigned at = _tzcnt_u32(plus);
      p += at;
      o += 2 * at;
      if (end - p < 2) {
        break;
      }
      TakePlus(p, o, inRun);
      continue;
    }
    std::uint32_t notAlphabet = 0;
    simd::StoreBase64GroupsAvx2(simd::Base64ValuesAvx2(x, notAlphabet), o);
    if (notAlphabet == 0) {
      p += kWidth;
      o += 24;
      continue;
    }
    EndRun(_tzcnt_u32(notAlphabet), p, o, inRun);
  }
  dst = o;
  return p;
}

}  // namespace vortane

#endif  // __x86_64__
