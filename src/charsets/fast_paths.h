// The codecs' fast paths (SSE2, the x86-64 baseline): runs of ASCII 16 bytes
// at a time, each double-byte code or BMP character with one table read and
// one store, UTF-16 units 8 at a time. Each path stops where the text needs
// more than that and leaves the rest to the plain loop of its codec, which
// gives the same bytes; with SimdLevel::Plain the paths are not used at all.
// At SimdLevel::Avx2 (chosen at run time) UTF-16 both ways and double-byte
// codes both ways take the wider paths declared at the end (the *_x86.cpp
// files).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "codec/simd_level.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vortane::charsets_detail {

// Whether the fast paths are built in (x86-64, and other SSE2 machines).
#if defined(__SSE2__)
inline constexpr bool kHaveFastPaths = true;
#else
inline constexpr bool kHaveFastPaths = false;
#endif

// Whether a step at `level` takes the fast paths.
[[nodiscard]] constexpr bool UseFastPaths(SimdLevel level) {
  return kHaveFastPaths && level != SimdLevel::Plain;
}

// A character's bytes packed for one four-byte store: the bytes first to last
// from the lowest, their count in the top byte (0: not for the fast paths).
inline constexpr std::uint32_t kPackedLengthShift = 24;

// `point` (in the BMP, not a surrogate) as packed UTF-8.
[[nodiscard]] constexpr std::uint32_t PackUtf8(char32_t point) {
  if (point < 0x80) {
    return point | 1u << kPackedLengthShift;
  }
  if (point < 0x800) {
    return (0xC0 | point >> 6) | (0x80 | (point & 0x3F)) << 8 | 2u << kPackedLengthShift;
  }
  return (0xE0 | point >> 12) | (0x80 | (point >> 6 & 0x3F)) << 8 | (0x80 | (point & 0x3F)) << 16 |
         3u << kPackedLengthShift;
}

// Writes packed bytes (four stored, the count kept); returns the end.
inline char* PutPacked(char* o, std::uint32_t packed) {
  std::memcpy(o, &packed, 4);
  return o + (packed >> kPackedLengthShift);
}

// 1 when `point` (below 0x10000) is at least `floor`, else 0: arithmetic
// only, which compilers do not turn into a jump the way they may a compare.
template <std::uint32_t floor>
[[nodiscard]] constexpr std::uint32_t AtLeast(std::uint32_t point) {
  return (point + (0x10000 - floor)) >> 16;
}

// The number of bytes of a code packed high first (1 to 4; 1 for 0), without
// a branch.
[[nodiscard]] inline std::uint32_t CodeLength(std::uint32_t code) {
  return static_cast<std::uint32_t>(39 - __builtin_clz(code | 1)) >> 3;
}

// Writes `point` (in the BMP, not a surrogate) as UTF-8 without a branch on
// its size; stores four bytes, returns the end of the one to three written.
inline char* PutBmpUtf8(char* o, std::uint32_t point) {
  const std::uint32_t two = 0u - AtLeast<0x80>(point);
  const std::uint32_t three = 0u - AtLeast<0x800>(point);
  const std::uint32_t b1 = point;
  const std::uint32_t b2 = (0xC0 | point >> 6) | (0x80 | (point & 0x3F)) << 8;
  const std::uint32_t b3 =
      (0xE0 | point >> 12) | (0x80 | (point >> 6 & 0x3F)) << 8 | (0x80 | (point & 0x3F)) << 16;
  const std::uint32_t bytes = (b1 & ~two) | (b2 & two & ~three) | (b3 & three);
  std::memcpy(o, &bytes, 4);
  return o + 1 + (two & 1) + (three & 1);
}

#if defined(__SSE2__)

namespace window_detail {

inline __m128i Load(const unsigned char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline std::uint32_t HighBits(__m128i v) { return static_cast<unsigned>(_mm_movemask_epi8(v)); }

}  // namespace window_detail

// Double-byte codes (GB 18030's two-byte codes, Big5) to UTF-8, from p[i] on
// (a character start) while 17 bytes remain: runs of ASCII are copied 16
// bytes at a time, each code is one read of `pairs`, which holds at
// (lead - 0x80) * 256 + trail the packed UTF-8 of the code, 0 for any code
// the plain loop must read (four-byte codes, codes that name nothing or more
// than one BMP character). Stops before such a code; i and o move past what
// was read and written. Stores up to 16 bytes past o and never writes more
// than 3 bytes per 2 bytes read.
inline void DecodeDoubleBytes(const unsigned char* p, std::size_t n, std::size_t& i, char*& o,
                              const std::uint32_t* pairs) {
  using namespace window_detail;
  while (i + 17 <= n) {
    const std::uint32_t lead = p[i];
    if (lead < 0x80) {
      const __m128i v = Load(p + i);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o), v);
      const std::uint32_t high = HighBits(v);
      const std::size_t run = high == 0 ? 16 : static_cast<std::size_t>(__builtin_ctz(high));
      o += run;
      i += run;
      continue;
    }
    const std::uint32_t packed = pairs[(lead & 0x7F) << 8 | p[i + 1]];
    if (packed == 0) {
      return;
    }
    o = PutPacked(o, packed);
    i += 2;
  }
}

// Writes the `n` ASCII bytes at p as UTF-16 units (`little` the byte order)
// at o, 16 at a time while `readable` bytes from p allow (n <= readable);
// returns the end (o + 2n). Stores nothing past o + 2 * readable.
inline char* WidenAscii(const unsigned char* p, std::size_t n, std::size_t readable, bool little,
                        char* o) {
  using namespace window_detail;
  const __m128i zero = _mm_setzero_si128();
  std::size_t i = 0;
  for (; i < n && i + 16 <= readable; i += 16) {
    const __m128i v = Load(p + i);
    auto* to = reinterpret_cast<__m128i*>(o + 2 * i);
    _mm_storeu_si128(to, little ? _mm_unpacklo_epi8(v, zero) : _mm_unpacklo_epi8(zero, v));
    _mm_storeu_si128(to + 1, little ? _mm_unpackhi_epi8(v, zero) : _mm_unpackhi_epi8(zero, v));
  }
  for (; i < n; ++i) {
    o[2 * i] = static_cast<char>(little ? p[i] : 0);
    o[2 * i + 1] = static_cast<char>(little ? 0 : p[i]);
  }
  return o + 2 * n;
}

// What a window of 8 UTF-16 units holds, for the decoders' vector paths.
enum class Utf16Window { Surrogate, Ascii, Other };

// Reads the 16 bytes at p as units of byte order `little` into `units` (host
// order) and says what they hold.
inline Utf16Window ReadUtf16Window(const unsigned char* p, bool little, __m128i& units) {
  units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  if (!little) {
    units = _mm_or_si128(_mm_slli_epi16(units, 8), _mm_srli_epi16(units, 8));
  }
  const __m128i surrogate = _mm_set1_epi16(static_cast<short>(0xD800));
  if (_mm_movemask_epi8(_mm_cmpeq_epi16(
          _mm_and_si128(units, _mm_set1_epi16(static_cast<short>(0xF800))), surrogate)) != 0) {
    return Utf16Window::Surrogate;
  }
  const __m128i nonAscii = _mm_and_si128(units, _mm_set1_epi16(static_cast<short>(0xFF80)));
  return _mm_movemask_epi8(_mm_cmpeq_epi16(nonAscii, _mm_setzero_si128())) == 0xFFFF
             ? Utf16Window::Ascii
             : Utf16Window::Other;
}

// UTF-16 to UTF-8 from p[i] on (a unit start) while a window remains, for
// windows without surrogates; `little` is the byte order. Stops at the first
// window with one; i and o move past what was read and written. Stores up to
// 4 bytes past o and never writes more than 3 bytes per unit.
inline void DecodeUtf16Windows(const unsigned char* p, std::size_t n, bool little, std::size_t& i,
                               char*& o) {
  using namespace window_detail;
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
    alignas(16) std::uint16_t each[8];
    _mm_store_si128(reinterpret_cast<__m128i*>(each), units);
    for (const std::uint16_t unit : each) {
      o = PutBmpUtf8(o, unit);
    }
    i += 16;
  }
}

#endif  // __SSE2__

#if defined(__x86_64__)
// DecodeUtf16Windows with AVX2 (utf16_x86.cpp): the UTF-8 of 8 units made and
// packed together in vectors. Call only when DetectSimdLevel() says Avx2. May
// store 16 bytes at o, and 16 after the bytes of the first 4 units.
void DecodeUtf16WindowsAvx2(const unsigned char* p, std::size_t n, bool little, std::size_t& i,
                            char*& o);

// UTF-8 to UTF-16 with AVX2 (utf16_x86.cpp), from p[i] on (a character start)
// while 16 bytes remain, for windows of ASCII and three-byte sequences (lead
// bytes E1..EC, EE, EF): the values at the characters' starts made in vectors
// and packed with one byte shuffle. Stops at the first window with anything
// else; i and o move past what was read and written. Stores up to 32 bytes at
// o and never writes more than 2 bytes per byte read. Call only when
// DetectSimdLevel() says Avx2.
void EncodeUtf16WindowsAvx2(const unsigned char* p, std::size_t n, bool little, std::size_t& i,
                            char*& o);

// UTF-8 to a double-byte code with AVX2 (double_byte_x86.cpp), from p[i] on (a
// character start) while 16 bytes remain, for windows of ASCII and three-byte
// sequences (lead bytes E1..EC, EE, EF): the characters' values made in
// vectors, their codes gathered from `codes` (a two-byte code by code point,
// 0 for none) and packed high byte first with one byte shuffle. Stops before
// the first character without a two-byte code and at the first window with
// anything else; i and o move past what was read and written. Stores up to 32
// bytes at o and never writes more bytes than it reads. Call only when
// DetectSimdLevel() says Avx2.
void EncodeDoubleBytesAvx2(const unsigned char* p, std::size_t n, const std::uint16_t* codes,
                           std::size_t& i, char*& o);

// DecodeDoubleBytes with AVX2 (double_byte_x86.cpp): the lead bytes of a
// window of 16 found at once, their codes read with two gathers, the UTF-8
// packed with byte shuffles. Stops where DecodeDoubleBytes stops. May store
// up to 40 bytes past o, never more than 3 bytes per 2 bytes read. Call only
// when DetectSimdLevel() says Avx2.
void DecodeDoubleBytesAvx2(const unsigned char* p, std::size_t n, std::size_t& i, char*& o,
                           const std::uint32_t* pairs);
#endif

#if defined(__SSE2__)
// The double-byte decoders' fast path: DecodeDoubleBytes, or its AVX2 form
// at that level.
inline void DecodeDoubleBytesAt(SimdLevel simd, const unsigned char* p, std::size_t n,
                                std::size_t& i, char*& o, const std::uint32_t* pairs) {
#if defined(__x86_64__)
  if (simd == SimdLevel::Avx2) {
    DecodeDoubleBytesAvx2(p, n, i, o, pairs);
    return;
  }
#endif
  DecodeDoubleBytes(p, n, i, o, pairs);
}
#endif

// The double-byte encoders' wider path (a sink's Windows, see
// EncodeUtf8Fast): EncodeDoubleBytesAvx2 when `avx2`, else nothing.
inline void EncodeDoubleByteWindows(bool avx2, const unsigned char* p, std::size_t n,
                                    const std::uint16_t* codes, std::size_t& i, char*& o) {
#if defined(__x86_64__)
  if (avx2) {
    EncodeDoubleBytesAvx2(p, n, codes, i, o);
  }
#else
  (void)avx2;
  (void)p;
  (void)n;
  (void)codes;
  (void)i;
  (void)o;
#endif
}

}  // namespace vortane::charsets_detail
