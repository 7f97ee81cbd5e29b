// Base64 on x86-64 vectors, shared by the Base64 file rule and the Base64
// runs of UTF-7: the values of 16 or 32 characters at once, and whole groups
// of four values turned into their three bytes. Include only where __x86_64__
// is defined.
#pragma once

#if defined(__x86_64__)

#include <cstdint>
#include <cstring>

#include "codec/simd_x86.h"

namespace vortane::simd {

// The values (0..63) of 16 characters; a character that is not Alphabet gets
// 0, and its bit is set in `notAlphabet`.
inline __m128i Base64ValuesSse2(__m128i c, unsigned& notAlphabet) {
  const auto between = [c](char low, char high) {
    return _mm_and_si128(_mm_cmpgt_epi8(c, _mm_set1_epi8(static_cast<char>(low - 1))),
                         _mm_cmplt_epi8(c, _mm_set1_epi8(static_cast<char>(high + 1))));
  };
  const __m128i upper = between('A', 'Z');
  const __m128i lower = between('a', 'z');
  const __m128i digit = between('0', '9');
  const __m128i plus = _mm_cmpeq_epi8(c, _mm_set1_epi8('+'));
  const __m128i slash = _mm_cmpeq_epi8(c, _mm_set1_epi8('/'));
  const __m128i offset =
      _mm_or_si128(_mm_or_si128(_mm_and_si128(upper, _mm_set1_epi8(-'A')),
                                _mm_and_si128(lower, _mm_set1_epi8(static_cast<char>(26 - 'a')))),
                   _mm_or_si128(_mm_and_si128(digit, _mm_set1_epi8(52 - '0')),
                                _mm_or_si128(_mm_and_si128(plus, _mm_set1_epi8(62 - '+')),
                                             _mm_and_si128(slash, _mm_set1_epi8(63 - '/')))));
  const __m128i valid =
      _mm_or_si128(_mm_or_si128(upper, lower), _mm_or_si128(digit, _mm_or_si128(plus, slash)));
  notAlphabet = ~static_cast<unsigned>(_mm_movemask_epi8(valid)) & 0xFFFF;
  return _mm_and_si128(_mm_add_epi8(c, offset), valid);
}

// Writes the low 24 bits of `group` high byte first; stores 4 bytes.
inline void PutGroupBytes(std::uint32_t group, char* dst) {
  const std::uint32_t bytes = __builtin_bswap32(group << 8);
  std::memcpy(dst, &bytes, 4);
}

// The 12 bytes of the four groups in `values` at dst; stores 13 bytes.
inline void StoreBase64GroupsSse2(__m128i values, char* dst) {
  // Each pair of values into 12 bits, then each pair of those into 24.
  const __m128i pairs = _mm_or_si128(
      _mm_slli_epi16(_mm_and_si128(values, _mm_set1_epi16(0x00FF)), 6), _mm_srli_epi16(values, 8));
  const __m128i groups = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00011000));
  const auto low = static_cast<std::uint64_t>(_mm_cvtsi128_si64(groups));
  const auto high =
      static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(groups, groups)));
  PutGroupBytes(static_cast<std::uint32_t>(low), dst);
  PutGroupBytes(static_cast<std::uint32_t>(low >> 32), dst + 3);
  PutGroupBytes(static_cast<std::uint32_t>(high), dst + 6);
  PutGroupBytes(static_cast<std::uint32_t>(high >> 32), dst + 9);
}

// The values of 32 characters, as Base64ValuesSse2. The class of a byte comes
// from its two halves: each high half allows a set of low halves.
VORTANE_AVX2 inline __m256i Base64ValuesAvx2(__m256i c, std::uint32_t& notAlphabet) {
  // Classes by high half: 0x01 "+/" row, 0x02 digits, 0x04 "@A-O" and "`a-o",
  // 0x08 "P-Z[" and "p-z{", 0x10 no Alphabet byte at all.
  const __m256i classOfHigh =
      _mm256_setr_epi8(0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10, 0x10, 0x10, 0x10,
                       0x10, 0x10, 0x10, 0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10,
                       0x10, 0x10, 0x10, 0x10, 0x10, 0x10);
  // For each low half, the classes in which it is not Alphabet.
  const __m256i refusedByLow =
      _mm256_setr_epi8(0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x13, 0x1A, 0x1B,
                       0x1B, 0x1B, 0x1A, 0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,
                       0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A);
  // What each high half adds to a byte to give its value ("/" is fixed below).
  const __m256i offsetOfHigh = _mm256_setr_epi8(
      0, 0, 62 - '+', 52 - '0', -'A', -'A', static_cast<char>(26 - 'a'),
      static_cast<char>(26 - 'a'), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 62 - '+', 52 - '0', -'A', -'A',
      static_cast<char>(26 - 'a'), static_cast<char>(26 - 'a'), 0, 0, 0, 0, 0, 0, 0, 0);
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  const __m256i high = _mm256_and_si256(_mm256_srli_epi16(c, 4), nibble);
  const __m256i low = _mm256_and_si256(c, nibble);
  const __m256i refused = _mm256_and_si256(_mm256_shuffle_epi8(classOfHigh, high),
                                           _mm256_shuffle_epi8(refusedByLow, low));
  const __m256i invalid = _mm256_cmpgt_epi8(refused, _mm256_setzero_si256());
  notAlphabet = static_cast<std::uint32_t>(_mm256_movemask_epi8(invalid));
  const __m256i slashFix = _mm256_and_si256(_mm256_cmpeq_epi8(c, _mm256_set1_epi8('/')),
                                            _mm256_set1_epi8((63 - '/') - (62 - '+')));
  const __m256i offset = _mm256_add_epi8(_mm256_shuffle_epi8(offsetOfHigh, high), slashFix);
  return _mm256_andnot_si256(invalid, _mm256_add_epi8(c, offset));
}

// The 24 bytes of the eight groups in `values` at dst; stores 32 bytes.
VORTANE_AVX2 inline void StoreBase64GroupsAvx2(__m256i values, char* dst) {
  const __m256i pairs = _mm256_maddubs_epi16(values, _mm256_set1_epi32(0x01400140));
  const __m256i groups = _mm256_madd_epi16(pairs, _mm256_set1_epi32(0x00011000));
  // Each group's three bytes high first, twelve to a 128-bit lane, then the
  // two lanes' twelve bytes side by side.
  const __m256i ordered = _mm256_shuffle_epi8(
      groups, _mm256_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1, 2, 1, 0, 6,
                               5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1));
  const __m256i packed =
      _mm256_permutevar8x32_epi32(ordered, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), packed);
}

}  // namespace vortane::simd

#endif  // __x86_64__
