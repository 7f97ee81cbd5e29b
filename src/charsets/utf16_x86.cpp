#include "charsets/fast_paths.h"

#if defined(__x86_64__)

#include <array>
#include <cstdint>

#include "charsets/window_x86.h"
#include "codec/simd_x86.h"

namespace vortane::charsets_detail {
namespace {

// Four units of UTF-8 bytes packed one to a 32-bit lane: the units of two or
// more bytes in bits 0..3 of the key and those of three in bits 4..7.
constexpr window_x86::Compaction kUnitCompaction = window_x86::MakeCompaction(
    [](unsigned key, unsigned unit) { return 1 + (key >> unit & 1) + (key >> (unit + 4) & 1); });

// For 8 16-bit lanes: the byte shuffle that keeps the lanes whose bits are
// set in the key, in order, each with its bytes swapped when `swap`.
constexpr std::array<std::array<std::uint8_t, 16>, 256> MakeUnitPacking(bool swap) {
  std::array<std::array<std::uint8_t, 16>, 256> table{};
  for (unsigned key = 0; key < 256; ++key) {
    unsigned at = 0;
    for (unsigned lane = 0; lane < 8; ++lane) {
      if ((key >> lane & 1) != 0) {
        table[key][at++] = static_cast<std::uint8_t>(2 * lane + (swap ? 1 : 0));
        table[key][at++] = static_cast<std::uint8_t>(2 * lane + (swap ? 0 : 1));
      }
    }
    for (; at < 16; ++at) {
      table[key][at] = 0x80;
    }
  }
  return table;
}

constexpr auto kLittleUnits = MakeUnitPacking(false);
constexpr auto kBigUnits = MakeUnitPacking(true);

}  // namespace

VORTANE_AVX2 void DecodeUtf16WindowsAvx2(const unsigned char* p, std::size_t n, bool little,
                                         std::size_t& i, char*& o) {
  const __m256i low6 = _mm256_set1_epi32(0x3F);
  while (i + 16 <= n) {
    __m128i units;
    const Utf16Window window = ReadUtf16Window(p + i, little, units);
    if (window == Utf16Window::Surrogate) {
      return;
    }
    if (window == Utf16Window::Ascii) {
      _mm_storel_epi64(reinterpret_cast<__m128i*>(o), _mm_packus_epi16(units, units));
      o += 8;
      i += 16;
      continue;
    }
    // Each unit's one, two and three bytes of UTF-8 in its lane, first byte lowest.
    const __m256i u = _mm256_cvtepu16_epi32(units);
    const __m256i last = _mm256_or_si256(_mm256_set1_epi32(0x80), _mm256_and_si256(u, low6));
    const __m256i middle =
        _mm256_or_si256(_mm256_set1_epi32(0x80), _mm256_and_si256(_mm256_srli_epi32(u, 6), low6));
    const __m256i two =
        _mm256_or_si256(_mm256_or_si256(_mm256_set1_epi32(0xC0), _mm256_srli_epi32(u, 6)),
                        _mm256_slli_epi32(last, 8));
    const __m256i three =
        _mm256_or_si256(_mm256_or_si256(_mm256_set1_epi32(0xE0), _mm256_srli_epi32(u, 12)),
                        _mm256_or_si256(_mm256_slli_epi32(middle, 8), _mm256_slli_epi32(last, 16)));
    const __m256i isTwo = _mm256_cmpgt_epi32(u, _mm256_set1_epi32(0x7F));
    const __m256i isThree = _mm256_cmpgt_epi32(u, _mm256_set1_epi32(0x7FF));
    const __m256i bytes = _mm256_blendv_epi8(_mm256_blendv_epi8(u, two, isTwo), three, isThree);
    const auto twos = static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(isTwo)));
    const auto threes = static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(isThree)));
    o = window_x86::PutCompacted(o, bytes, kUnitCompaction, (twos & 0xF) | (threes & 0xF) << 4,
                                 (twos >> 4) | (threes >> 4) << 4);
    i += 16;
  }
}

VORTANE_AVX2 void EncodeUtf16WindowsAvx2(const unsigned char* p, std::size_t n, bool little,
                                         std::size_t& i, char*& o) {
  const auto& packing = little ? kLittleUnits : kBigUnits;
  window_x86::Utf8Window w;
  while (i + 16 <= n && window_x86::ReadUtf8Window(p + i, w)) {
    const unsigned key0 = w.starts & 0xFF;
    const unsigned key1 = w.starts >> 8;
    const __m256i shuffle =
        _mm256_set_m128i(_mm_loadu_si128(reinterpret_cast<const __m128i*>(packing[key1].data())),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(packing[key0].data())));
    const __m256i packed = _mm256_shuffle_epi8(w.values, shuffle);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm256_castsi256_si128(packed));
    o += 2 * __builtin_popcount(key0);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm256_extracti128_si256(packed, 1));
    o += 2 * __builtin_popcount(key1);
    i += w.used;
  }
}

}  // namespace vortane::charsets_detail

#endif  // __x86_64__
