// What the AVX2 paths of the codecs share (x86-64 only; include only in the
// *_x86.cpp files): reading a window of UTF-8 into the values of its
// characters, and writing lanes of packed bytes with their gaps closed.
#pragma once

#if defined(__x86_64__)

#include <array>
#include <cstdint>

#include "charsets/fast_paths.h"
#include "codec/simd_x86.h"

namespace vortane::charsets_detail::window_x86 {

// For four 32-bit lanes of bytes packed first byte lowest, 0 to 4 bytes
// each: the byte shuffle that closes the gaps and the bytes it keeps, by a
// key of 8 bits that a table's `lengthOf(key, lane)` reads the lane's length
// from.
struct Compaction {
  std::array<std::array<std::uint8_t, 16>, 256> shuffle;
  std::array<std::uint8_t, 256> length;
};

template <class LengthOf>
constexpr Compaction MakeCompaction(LengthOf lengthOf) {
  Compaction c{};
  for (unsigned key = 0; key < 256; ++key) {
    unsigned at = 0;
    for (unsigned lane = 0; lane < 4; ++lane) {
      const unsigned length = lengthOf(key, lane);
      for (unsigned b = 0; b < length; ++b) {
        c.shuffle[key][at++] = static_cast<std::uint8_t>(4 * lane + b);
      }
    }
    c.length[key] = static_cast<std::uint8_t>(at);
    for (; at < 16; ++at) {
      c.shuffle[key][at] = 0x80;
    }
  }
  return c;
}

// Lanes of 0 to 3 bytes: bit 0 of each lane's length in bits 0..3 of the key
// and bit 1 in bits 4..7.
inline constexpr Compaction kCompaction = MakeCompaction(
    [](unsigned key, unsigned lane) { return (key >> lane & 1) + 2 * (key >> (lane + 4) & 1); });

// Writes the eight lanes of `bytes` with the gaps closed, the first four by
// `key0` and the others by `key1` of `table`; returns the end. Stores up to
// 16 bytes past it.
VORTANE_AVX2 inline char* PutCompacted(char* o, __m256i bytes, const Compaction& table,
                                       unsigned key0, unsigned key1) {
  const __m256i shuffle = _mm256_set_m128i(
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(table.shuffle[key1].data())),
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(table.shuffle[key0].data())));
  const __m256i closed = _mm256_shuffle_epi8(bytes, shuffle);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm256_castsi256_si128(closed));
  o += table.length[key0];
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm256_extracti128_si256(closed, 1));
  return o + table.length[key1];
}

// Writes eight lanes of packed bytes (0 to 3 each, the count in the top
// byte), the gaps closed; returns the end. Stores up to 16 bytes past it.
VORTANE_AVX2 inline char* PutLanes(char* o, __m256i packed) {
  const auto bit0 =
      static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_slli_epi32(packed, 7))));
  const auto bit1 =
      static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_slli_epi32(packed, 6))));
  return PutCompacted(o, packed, kCompaction, (bit0 & 0xF) | (bit1 & 0xF) << 4,
                      (bit0 >> 4) | (bit1 >> 4) << 4);
}

// A window of 16 bytes of UTF-8 read for its characters.
struct Utf8Window {
  __m256i values;                 // at each character's first byte, its value (16-bit lanes)
  std::uint32_t starts;           // the bits of the characters' first bytes
  std::uint32_t threeByteStarts;  // those of three-byte sequences (at most five)
  std::uint32_t used;             // the bytes of those characters (14 to 16)
};

// Reads the 16 bytes at p, starting a character, when they hold only ASCII
// and three-byte sequences of lead bytes E1..EC, EE, EF (no range check
// needed); a sequence the window cuts off is left out. False otherwise.
VORTANE_AVX2 inline bool ReadUtf8Window(const unsigned char* p, Utf8Window& w) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // Signed compares: bytes 80..BF are -128..-65, E1..EF are -31..-17.
  const auto ascii = static_cast<std::uint32_t>(~_mm_movemask_epi8(v) & 0xFFFF);
  const auto continuation = static_cast<std::uint32_t>(
      _mm_movemask_epi8(_mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(0xC0)))));
  const auto leads = static_cast<std::uint32_t>(_mm_movemask_epi8(
      _mm_andnot_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(0xED))),
                       _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(static_cast<char>(0xE0))),
                                     _mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(0xF0)))))));
  const std::uint32_t taken = (leads << 1 | leads << 2) & 0xFFFF;
  if ((ascii | leads | continuation) != 0xFFFF || continuation != taken) {
    return false;
  }
  const std::uint32_t cut = leads & 0xC000;
  w.used = cut == 0 ? 16 : static_cast<std::uint32_t>(__builtin_ctz(cut));
  w.starts = (ascii | leads) & ((1u << w.used) - 1);
  w.threeByteStarts = leads & ((1u << w.used) - 1);
  const __m256i low4 = _mm256_set1_epi16(0x0F);
  const __m256i low6 = _mm256_set1_epi16(0x3F);
  const __m256i b0 = _mm256_cvtepu8_epi16(v);
  const __m256i b1 = _mm256_cvtepu8_epi16(_mm_srli_si128(v, 1));
  const __m256i b2 = _mm256_cvtepu8_epi16(_mm_srli_si128(v, 2));
  const __m256i three =
      _mm256_or_si256(_mm256_slli_epi16(_mm256_and_si256(b0, low4), 12),
                      _mm256_or_si256(_mm256_slli_epi16(_mm256_and_si256(b1, low6), 6),
                                      _mm256_and_si256(b2, low6)));
  w.values = _mm256_blendv_epi8(three, b0, _mm256_cmpgt_epi16(_mm256_set1_epi16(0x80), b0));
  return true;
}

// Each lane's bit of `bits` (lane j: bit j) as a lane mask.
VORTANE_AVX2 inline __m256i LaneMask(std::uint32_t bits) {
  const __m256i laneBits = _mm256_setr_epi32(1, 2, 4, 8, 16, 32, 64, 128);
  return _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_set1_epi32(static_cast<int>(bits)), laneBits),
                            laneBits);
}

}  // namespace vortane::charsets_detail::window_x86

#endif  // __x86_64__
