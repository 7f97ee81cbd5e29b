// Small helpers shared by the fast paths of the text and stream conversions:
// finding runs of ASCII bytes and widening them into big-endian units.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vortane::detail {

// Number of leading bytes of [p, p + n) that are below 0x80.
inline std::size_t AsciiRunLength(const unsigned char* p, std::size_t n) {
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const int mask = _mm_movemask_epi8(v);
    if (mask != 0) {
      return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    }
  }
#endif
  for (; i + 8 <= n; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, p + i, sizeof word);
    if ((word & 0x8080808080808080ull) != 0) {
      break;
    }
  }
  while (i < n && p[i] < 0x80) {
    ++i;
  }
  return i;
}

// Copies the leading bytes of [p, p + n) that are below 0x80 to `o` and
// returns their number. It copies 16 bytes at a time, so it may write bytes
// past the run, but never past o + n.
inline std::size_t CopyAsciiRun(const unsigned char* p, std::size_t n, char* o) {
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + i), v);
    const int mask = _mm_movemask_epi8(v);
    if (mask != 0) {
      return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    }
  }
#endif
  for (; i < n && p[i] < 0x80; ++i) {
    o[i] = static_cast<char>(p[i]);
  }
  return i;
}

// Writes each of the n bytes at `p` as the unit 00 b (high byte first) at `o`;
// returns the end of what was written (o + 2n).
inline char* WidenToUnits(const unsigned char* p, std::size_t n, char* o) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_unpacklo_epi8(zero, v));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 16), _mm_unpackhi_epi8(zero, v));
    o += 32;
  }
#endif
  for (; i < n; ++i) {
    *o++ = 0;
    *o++ = static_cast<char>(p[i]);
  }
  return o;
}

}  // namespace vortane::detail
