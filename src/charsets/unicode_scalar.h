// Writing and reading one Unicode scalar value as UTF-8, for the hot loops of
// the codecs (inline, no checks beyond what the contracts say).
#pragma once

#include <cstddef>
#include <cstdint>

namespace vortane::charsets_detail {

inline constexpr char32_t kReplacement = 0xFFFD;

// Writes `point` (a scalar value, not a surrogate) as UTF-8 at `o`; returns
// the position after it. Writes at most four bytes.
inline char* PutUtf8(char* o, char32_t point) {
  if (point < 0x80) {
    *o++ = static_cast<char>(point);
  } else if (point < 0x800) {
    *o++ = static_cast<char>(0xC0 | point >> 6);
    *o++ = static_cast<char>(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    *o++ = static_cast<char>(0xE0 | point >> 12);
    *o++ = static_cast<char>(0x80 | (point >> 6 & 0x3F));
    *o++ = static_cast<char>(0x80 | (point & 0x3F));
  } else {
    *o++ = static_cast<char>(0xF0 | point >> 18);
    *o++ = static_cast<char>(0x80 | (point >> 12 & 0x3F));
    *o++ = static_cast<char>(0x80 | (point >> 6 & 0x3F));
    *o++ = static_cast<char>(0x80 | (point & 0x3F));
  }
  return o;
}

// Outcome of reading one UTF-8 sequence.
enum class Utf8Read : std::uint8_t {
  Scalar,  // a whole well-formed sequence: `point`, `length` bytes
  Bad,     // ill-formed: its longest well-formed start is `length` bytes (1..3),
           // read as one U+FFFD; reading goes on after it
  Short,   // the input ends inside a sequence that may still be well-formed
};

struct Utf8Step {
  Utf8Read kind;
  std::uint8_t length;
  char32_t point;
};

// Reads the sequence at p[0..n) (n >= 1, p[0] >= 0x80). Sequences are those of
// the Unicode standard: no overlong forms, no surrogates, nothing past U+10FFFF.
inline Utf8Step ReadUtf8(const unsigned char* p, std::size_t n) {
  const unsigned lead = p[0];
  std::size_t need;
  unsigned low = 0x80;
  unsigned high = 0xBF;
  char32_t point;
  if (lead >= 0xC2 && lead <= 0xDF) {
    need = 1;
    point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    need = 2;
    point = lead & 0x0F;
    if (lead == 0xE0) {
      low = 0xA0;
    } else if (lead == 0xED) {
      high = 0x9F;
    }
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    need = 3;
    point = lead & 0x07;
    if (lead == 0xF0) {
      low = 0x90;
    } else if (lead == 0xF4) {
      high = 0x8F;
    }
  } else {
    return {Utf8Read::Bad, 1, 0};
  }
  for (std::size_t i = 1; i <= need; ++i) {
    if (i >= n) {
      return {Utf8Read::Short, static_cast<std::uint8_t>(i), 0};
    }
    const unsigned c = p[i];
    // Only the first continuation byte has a narrower range.
    if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF)) {
      return {Utf8Read::Bad, static_cast<std::uint8_t>(i), 0};
    }
    point = point << 6 | (c & 0x3F);
  }
  return {Utf8Read::Scalar, static_cast<std::uint8_t>(need + 1), point};
}

}  // namespace vortane::charsets_detail
