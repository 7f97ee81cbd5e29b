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

}  // namespace

// The loops below find where the stretches of ordinary text and the runs of
// a window begin and end from bit masks of the window and the vector after
// it: the "+", the "-" and the Alphabet bytes. Each stretch then costs a few
// bit operations and a vector store, and the next one need not wait for it.

const unsigned char* DecodeUtf7Sse2(const unsigned char* p, const unsigned char* end, char*& dst,
                                    bool& inRun) {
  constexpr unsigned kWidth = 16;
  char* o = dst;
  const __m128i zero = _mm_setzero_si128();
  // The window, the vector after it (a stretch begun in the window reaches
  // into it), and the vector a stretch at the window's end loads.
  while (end - p >= 3 * kWidth) {
    const __m128i first = simd::Load16(p);
    const __m128i second = simd::Load16(p + kWidth);
    unsigned notAlphabetFirst = 0;
    unsigned notAlphabetSecond = 0;
    (void)simd::Base64ValuesSse2(first, notAlphabetFirst);
    (void)simd::Base64ValuesSse2(second, notAlphabetSecond);
    const std::uint32_t plus = simd::BytesEqualSse2(first, '+') | simd::BytesEqualSse2(second, '+')
                                                                      << kWidth;
    const std::uint32_t dash = simd::BytesEqualSse2(first, '-') | simd::BytesEqualSse2(second, '-')
                                                                      << kWidth;
    const std::uint32_t notAlphabet = notAlphabetFirst | notAlphabetSecond << kWidth;
    unsigned at = 0;
    while (at < kWidth) {
      if (!inRun) {
        const std::uint32_t ahead = plus >> at;
        const unsigned next =
            ahead != 0 ? at + static_cast<unsigned>(__builtin_ctz(ahead)) : 2 * kWidth;
        const unsigned stop = next < kWidth ? next : kWidth;
        const __m128i x = simd::Load16(p + at);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_unpacklo_epi8(zero, x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 16), _mm_unpackhi_epi8(zero, x));
        o += 2 * (stop - at);
        at = stop;
        if (at == kWidth) {
          break;
        }
        if (((dash >> (at + 1)) & 1) != 0) {
          o[0] = 0;
          o[1] = '+';
          o += 2;
          at += 2;
          continue;
        }
        ++at;
        inRun = true;
        if (at >= kWidth) {
          break;
        }
      }
      const std::uint32_t ahead = notAlphabet >> at;
      const unsigned length = ahead != 0 ? static_cast<unsigned>(__builtin_ctz(ahead)) : 2 * kWidth;
      unsigned ignored = 0;
      simd::StoreBase64GroupsSse2(simd::Base64ValuesSse2(simd::Load16(p + at), ignored), o);
      if (length >= kWidth) {
        o += 12;
        at += kWidth;
        break;
      }
      o += RunBytes(length);
      at += length;
      at += (dash >> at) & 1;
      inRun = false;
    }
    p += at;
  }
  dst = o;
  return p;
}

VORTANE_AVX2 const unsigned char* DecodeUtf7Avx2(const unsigned char* p, const unsigned char* end,
                                                 char*& dst, bool& inRun) {
  constexpr unsigned kWidth = 32;
  char* o = dst;
  const __m256i zero = _mm256_setzero_si256();
  while (end - p >= 3 * kWidth) {
    const __m256i first = simd::Load32(p);
    const __m256i second = simd::Load32(p + kWidth);
    std::uint32_t notAlphabetFirst = 0;
    std::uint32_t notAlphabetSecond = 0;
    (void)simd::Base64ValuesAvx2(first, notAlphabetFirst);
    (void)simd::Base64ValuesAvx2(second, notAlphabetSecond);
    const std::uint64_t plus = simd::BytesEqualAvx2(first, '+') |
                               std::uint64_t{simd::BytesEqualAvx2(second, '+')} << kWidth;
    const std::uint64_t dash = simd::BytesEqualAvx2(first, '-') |
                               std::uint64_t{simd::BytesEqualAvx2(second, '-')} << kWidth;
    const std::uint64_t notAlphabet = notAlphabetFirst | std::uint64_t{notAlphabetSecond} << kWidth;
    unsigned at = 0;
    while (at < kWidth) {
      if (!inRun) {
        const std::uint64_t ahead = plus >> at;
        const unsigned next =
            ahead != 0 ? at + static_cast<unsigned>(_tzcnt_u64(ahead)) : 2 * kWidth;
        const unsigned stop = next < kWidth ? next : kWidth;
        const __m256i x = simd::Load32(p + at);
        const __m256i low = _mm256_unpacklo_epi8(zero, x);
        const __m256i high = _mm256_unpackhi_epi8(zero, x);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(o),
                            _mm256_permute2x128_si256(low, high, 0x20));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(o + 32),
                            _mm256_permute2x128_si256(low, high, 0x31));
        o += 2 * (stop - at);
        at = stop;
        if (at == kWidth) {
          break;
        }
        if (((dash >> (at + 1)) & 1) != 0) {
          o[0] = 0;
          o[1] = '+';
          o += 2;
          at += 2;
          continue;
        }
        ++at;
        inRun = true;
        if (at >= kWidth) {
          break;
        }
      }
      const std::uint64_t ahead = notAlphabet >> at;
      const unsigned length = ahead != 0 ? static_cast<unsigned>(_tzcnt_u64(ahead)) : 2 * kWidth;
      std::uint32_t ignored = 0;
      simd::StoreBase64GroupsAvx2(simd::Base64ValuesAvx2(simd::Load32(p + at), ignored), o);
      if (length >= kWidth) {
        o += 24;
        at += kWidth;
        break;
      }
      o += RunBytes(length);
      at += length;
      at += static_cast<unsigned>((dash >> at) & 1);
      inRun = false;
    }
    p += at;
  }
  dst = o;
  return p;
}

}  // namespace vortane

#endif  // __x86_64__
