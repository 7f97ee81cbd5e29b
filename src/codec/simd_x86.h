// Building blocks of the x86-64 fast paths: the attribute that lets a
// function use AVX2 although the rest of the program is built for the SSE2
// baseline, and packing the kept bytes of a vector together. Include only
// where __x86_64__ is defined; call the AVX2 parts only when DetectSimdLevel()
// says Avx2.
#pragma once

#if defined(__x86_64__)

#include <immintrin.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Marks a function that may use AVX2, BMI1, BMI2 and POPCNT instructions.
#define VORTANE_AVX2 __attribute__((target("avx2,bmi,bmi2,popcnt")))

namespace vortane::simd {

// For each 8-bit mask: the indexes of its set bits, in order, one per byte
// (the rest 0x80, which a byte shuffle turns into 0), each plus `base`.
constexpr std::array<std::uint64_t, 256> MakePackIndexes(unsigned base) {
  std::array<std::uint64_t, 256> table{};
  for (unsigned mask = 0; mask < 256; ++mask) {
    std::uint64_t indexes = 0;
    int count = 0;
    for (unsigned bit = 0; bit < 8; ++bit) {
      if ((mask >> bit) & 1) {
        indexes |= static_cast<std::uint64_t>(base + bit) << (8 * count++);
      }
    }
    for (; count < 8; ++count) {
      indexes |= std::uint64_t{0x80} << (8 * count);
    }
    table[mask] = indexes;
  }
  return table;
}

// The indexes of the low and the high half of a 16-byte vector.
inline constexpr std::array<std::uint64_t, 256> kPackLowIndexes = MakePackIndexes(0);
inline constexpr std::array<std::uint64_t, 256> kPackHighIndexes = MakePackIndexes(8);

// Stores the bytes of `v` whose bits are set in `keep` (16 bits) at dst, in
// order, and returns the end of them. Stores 16 bytes from dst whatever the
// count.
VORTANE_AVX2 inline char* PackBytes16(__m128i v, unsigned keep, char* dst) {
  const unsigned low = keep & 0xFF;
  const unsigned high = (keep >> 8) & 0xFF;
  const __m128i indexes = _mm_unpacklo_epi64(
      _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&kPackLowIndexes[low])),
      _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&kPackHighIndexes[high])));
  const __m128i packed = _mm_shuffle_epi8(v, indexes);
  const auto lowCount = static_cast<std::size_t>(_mm_popcnt_u32(low));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), packed);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + lowCount), _mm_unpackhi_epi64(packed, packed));
  return dst + lowCount + static_cast<std::size_t>(_mm_popcnt_u32(high));
}

// The 16-bit entries of `table` at the sixteen 16-bit `keys`, in their lanes.
// Each gather reads four bytes per key, so the table must have one entry more
// than the largest key (or the caller keeps the largest key out).
VORTANE_AVX2 inline __m256i Gather16(const std::uint16_t* table, __m256i keys) {
  const auto* const words = reinterpret_cast<const int*>(table);
  const __m256i mask16 = _mm256_set1_epi32(0xFFFF);
  const __m256i low = _mm256_and_si256(
      _mm256_i32gather_epi32(words, _mm256_cvtepu16_epi32(_mm256_castsi256_si128(keys)), 2),
      mask16);
  const __m256i high = _mm256_and_si256(
      _mm256_i32gather_epi32(words, _mm256_cvtepu16_epi32(_mm256_extracti128_si256(keys, 1)), 2),
      mask16);
  return _mm256_permute4x64_epi64(_mm256_packus_epi32(low, high), 0xD8);
}

// The same for the 32 bytes of `v` and a 32-bit `keep`.
VORTANE_AVX2 inline char* PackBytes32(__m256i v, std::uint32_t keep, char* dst) {
  dst = PackBytes16(_mm256_castsi256_si128(v), keep & 0xFFFF, dst);
  return PackBytes16(_mm256_extracti128_si256(v, 1), keep >> 16, dst);
}

// For each 8-bit mask of 16-bit lanes: the byte indexes that gather the set
// lanes, in order, with each lane's two bytes swapped (0x80 for the rest).
struct LaneIndexes {
  std::array<std::uint8_t, 16> bytes;
};

constexpr std::array<LaneIndexes, 256> MakeSwappedLaneIndexes() {
  std::array<LaneIndexes, 256> table{};
  for (unsigned mask = 0; mask < 256; ++mask) {
    auto& bytes = table[mask].bytes;
    for (auto& b : bytes) {
      b = 0x80;
    }
    unsigned count = 0;
    for (unsigned lane = 0; lane < 8; ++lane) {
      if ((mask >> lane) & 1) {
        bytes[2 * count] = static_cast<std::uint8_t>(2 * lane + 1);
        bytes[2 * count + 1] = static_cast<std::uint8_t>(2 * lane);
        ++count;
      }
    }
  }
  return table;
}

inline constexpr std::array<LaneIndexes, 256> kSwappedLaneIndexes = MakeSwappedLaneIndexes();

// Stores the 16-bit lanes of `v` whose bits are set in `keep` (8 bits) at dst,
// in order and each high byte first, and returns the end of them. Stores 16
// bytes from dst whatever the count.
VORTANE_AVX2 inline char* PackSwappedLanes8(__m128i v, unsigned keep, char* dst) {
  const __m128i indexes =
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(kSwappedLaneIndexes[keep].bytes.data()));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_shuffle_epi8(v, indexes));
  return dst + 2 * _mm_popcnt_u32(keep);
}

// The same for the sixteen lanes of `v` and a 16-bit `keep`.
VORTANE_AVX2 inline char* PackSwappedLanes16(__m256i v, unsigned keep, char* dst) {
  dst = PackSwappedLanes8(_mm256_castsi256_si128(v), keep & 0xFF, dst);
  return PackSwappedLanes8(_mm256_extracti128_si256(v, 1), (keep >> 8) & 0xFF, dst);
}

// SSE2 has no byte shuffle: the kept bytes of `v` are moved one by one.
inline char* PackBytes16Sse2(__m128i v, unsigned keep, char* dst) {
  alignas(16) unsigned char bytes[16];
  _mm_store_si128(reinterpret_cast<__m128i*>(bytes), v);
  while (keep != 0) {
    *dst++ = static_cast<char>(bytes[__builtin_ctz(keep)]);
    keep &= keep - 1;
  }
  return dst;
}

// Bits of the bytes of `v` equal to `c`.
inline unsigned BytesEqualSse2(__m128i v, char c) {
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c))));
}

VORTANE_AVX2 inline std::uint32_t BytesEqualAvx2(__m256i v, char c) {
  return static_cast<std::uint32_t>(
      _mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_set1_epi8(c))));
}

inline __m128i Load16(const unsigned char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

VORTANE_AVX2 inline __m256i Load32(const unsigned char* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

}  // namespace vortane::simd

#endif  // __x86_64__
