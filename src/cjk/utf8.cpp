#include "cjk/utf8.h"

#include <algorithm>
#include <cstdint>

#include "cjk/byte_scan.h"
#include "cjk/utf8_kernels.h"

namespace vortane {
namespace {

// Bytes a form takes, chosen by its first byte alone. A stray continuation
// byte (0x80-0xBF) starts a four-byte form; 0xFE and 0xFF stand alone.
constexpr std::size_t FormLength(unsigned char b) {
  if (b < 0x80) return 1;
  if (b < 0xC0) return 4;
  if (b < 0xE0) return 2;
  if (b < 0xF0) return 3;
  if (b < 0xF8) return 4;
  if (b < 0xFC) return 5;
  if (b < 0xFE) return 6;
  return 1;
}

constexpr std::size_t kLongestForm = 6;

// A continuation byte's contribution is its value minus 0x80. The arithmetic
// wraps in 32 bits, so a byte outside 0x80-0xBF still gives every written byte
// as the true result modulo 256.
constexpr std::uint32_t Payload(unsigned char c) { return static_cast<std::uint32_t>(c) - 0x80u; }

// The two bytes a three-byte form with code point v writes: v's low 16 bits
// under the file rule, the found code or those bits under the frame rule.
// Keys of 0x10000 and above (from bad continuation bytes) are never found.
struct NoLookup {
  std::uint32_t operator()(std::uint32_t v) const { return v & 0xFFFF; }
};
struct MapLookup {
  const CodeMap& codes;
  std::uint32_t operator()(std::uint32_t v) const { return v < 0x10000 ? codes[v] : v & 0xFFFF; }
};

const CodeMap& UnicodeMap(TextCode resultCode) {
  return SharedCodeMap(resultCode == TextCode::Big5 ? CodeRoute::UnicodeToBig5
                                                    : CodeRoute::UnicodeToGb);
}

inline char* Put(char* o, std::uint32_t byte) {
  *o = static_cast<char>(byte & 0xFF);
  return o + 1;
}

// Writes the low 24 bits of v, high byte first.
inline char* Put24(char* o, std::uint32_t v) {
  o = Put(o, v >> 16);
  o = Put(o, v >> 8);
  return Put(o, v);
}

constexpr std::uint32_t FourPayloads(const unsigned char* f) {
  return (Payload(f[0]) << 18) + (Payload(f[1]) << 12) + (Payload(f[2]) << 6) + Payload(f[3]);
}

constexpr std::uint32_t ThreeByteCodePoint(const unsigned char* f) {
  return ((f[0] & 0x0Fu) << 12) + (Payload(f[1]) << 6) + Payload(f[2]);
}

// Writes the form of more than one byte that starts at f (all FormLength(f[0])
// bytes readable) and returns the end of what was written. The frame rule
// (kFrame) leaves out zero high bytes where the file rule writes them.
template <bool kFrame, class Lookup>
char* WriteForm(const unsigned char* f, char* o, const Lookup& lookup) {
  const unsigned char b = f[0];
  if (b >= 0xC0 && b < 0xE0) {
    const std::uint32_t v = ((b & 0x1Fu) << 6) + Payload(f[1]);
    if (!kFrame || ((v >> 8) & 0xFF) != 0) {
      o = Put(o, v >> 8);
    }
    return Put(o, v);
  }
  if (b >= 0xE0 && b < 0xF0) {
    const std::uint32_t code = lookup(ThreeByteCodePoint(f));
    o = Put(o, code >> 8);
    return Put(o, code);
  }
  if (b < 0xF8) {  // 0x80-0xBF and 0xF0-0xF7
    return Put24(
        o, ((b & 0x07u) << 18) + (Payload(f[1]) << 12) + (Payload(f[2]) << 6) + Payload(f[3]));
  }
  if (b < 0xFC) {
    if (!kFrame || (b & 0x03) != 0) {
      o = Put(o, b & 0x03u);
    }
    return Put24(o, FourPayloads(f + 1));
  }
  if (b < 0xFE) {
    o = Put(o, ((b & 0x01u) << 6) + Payload(f[1]));
    return Put24(o, FourPayloads(f + 2));
  }
  return o;  // 0xFE, 0xFF: nothing
}

// Decodes the forms of [s + i, s + n) that lie wholly inside it, leaving i at
// the first form that the end cuts off (or at n). ASCII is copied (frame rule)
// or widened to units (file rule); runs of three-byte forms, the bulk of
// Chinese text, are decoded without going back to the ASCII scan.
// The vector path of the level: runs of ASCII and three-byte forms from i
// while a whole vector of input remains; returns where it stopped.
template <bool kFrame, class Lookup>
std::size_t DecodeVectorForms(SimdLevel level, const unsigned char* s, std::size_t n, std::size_t i,
                              char*& o, const Lookup& lookup) {
#if defined(__x86_64__)
  const unsigned char* p = s + i;
  switch (level) {
    case SimdLevel::Avx2:
      if constexpr (kFrame) {
        p = DecodeUtf8TextAvx2(p, s + n, o, lookup.codes.data());
      } else {
        p = DecodeUtf8UnitsAvx2(p, s + n, o);
      }
      break;
    case SimdLevel::Sse2:
      if constexpr (kFrame) {
        p = DecodeUtf8TextSse2(p, s + n, o, lookup.codes.data());
      } else {
        p = DecodeUtf8UnitsSse2(p, s + n, o);
      }
      break;
    case SimdLevel::Plain:
      break;
  }
  return static_cast<std::size_t>(p - s);
#else
  (void)level;
  (void)s;
  (void)n;
  (void)o;
  (void)lookup;
  return i;
#endif
}

template <bool kFrame, class Lookup>
char* DecodeWholeForms(SimdLevel level, const unsigned char* s, std::size_t n, std::size_t& i,
                       char* o, const Lookup& lookup) {
  while (i < n) {
    i = DecodeVectorForms<kFrame>(level, s, n, i, o, lookup);
    if (i >= n) {
      break;
    }
    if (kFrame) {
      const std::size_t run = detail::CopyAsciiRun(s + i, n - i, o);
      o += run;
      i += run;
    } else {
      const std::size_t run = detail::AsciiRunLength(s + i, n - i);
      o = detail::WidenToUnits(s + i, run, o);
      i += run;
    }
    while (i + 3 <= n && (s[i] & 0xF0) == 0xE0) {
      const std::uint32_t code = lookup(ThreeByteCodePoint(s + i));
      o = Put(o, code >> 8);
      o = Put(o, code);
      i += 3;
    }
    if (i >= n || s[i] < 0x80) {
      continue;
    }
    const std::size_t length = FormLength(s[i]);
    if (i + length > n) {
      break;
    }
    o = WriteForm<kFrame>(s + i, o, lookup);
    i += length;
  }
  return o;
}

// One block of a stream decoder: first completes the form kept from the last
// block, then decodes the whole forms, then keeps the form the block's end
// cuts off.
template <bool kFrame, class Lookup>
char* FeedForms(SimdLevel level, std::string_view block, char* o,
                std::array<unsigned char, 6>& partial, std::size_t& partialSize,
                const Lookup& lookup) {
  const auto* s = reinterpret_cast<const unsigned char*>(block.data());
  const std::size_t n = block.size();
  std::size_t i = 0;
  if (partialSize > 0) {
    const std::size_t length = FormLength(partial[0]);
    while (partialSize < length && i < n) {
      partial[partialSize++] = s[i++];
    }
    if (partialSize == length) {
      o = WriteForm<kFrame>(partial.data(), o, lookup);
      partialSize = 0;
    }
  }
  if (partialSize == 0) {
    o = DecodeWholeForms<kFrame>(level, s, n, i, o, lookup);
    partialSize = n - i;
    std::copy(s + i, s + n, partial.begin());
  }
  return o;
}

// Room a block of n bytes needs: ASCII at most doubles, every other form
// writes at most what it consumes, a completed kept form at most four bytes;
// the frame rule's run copy may write as far ahead as the input has bytes left.
constexpr std::size_t FormsOutput(std::size_t n) { return 2 * n + kLongestForm + kSimdSlack; }

// The end of a stream: a form still kept reads `fill` for its missing bytes.
template <bool kFrame, class Lookup>
void FinishForms(std::string& out, std::array<unsigned char, 6>& partial, std::size_t& partialSize,
                 unsigned char fill, const Lookup& lookup) {
  if (partialSize == 0) {
    return;
  }
  std::fill(partial.begin() + static_cast<std::ptrdiff_t>(partialSize), partial.end(), fill);
  char buffer[kLongestForm];
  out.append(buffer, WriteForm<kFrame>(partial.data(), buffer, lookup));
  partialSize = 0;
}

// The missing bytes of a form cut off by the end: the frame rule reads the
// text's terminating 0 and zeros beyond it, the file rule 0xFF.
constexpr unsigned char kFrameFill = 0x00;
constexpr unsigned char kFileFill = 0xFF;

}  // namespace

std::string DecodeUtf8Text(std::string_view text, TextCode resultCode) {
  const MapLookup lookup{UnicodeMap(resultCode)};
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  // No whole form writes more bytes than it consumes; one cut off by the end
  // of the text writes at most four.
  std::string out(n + kLongestForm + kSimdSlack, '\0');
  std::size_t i = 0;
  char* o = DecodeWholeForms<true>(DetectSimdLevel(), s, n, i, out.data(), lookup);
  if (i < n) {
    // Decoding ends with the form the end of the text cuts off.
    unsigned char padded[kLongestForm];
    std::fill(std::copy(s + i, s + n, padded), padded + kLongestForm, kFrameFill);
    o = WriteForm<true>(padded, o, lookup);
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

Utf8TextDecoder::Utf8TextDecoder(TextCode resultCode) : codes_(UnicodeMap(resultCode)) {}

std::size_t Utf8TextDecoder::MaxOutput(std::size_t n) const { return FormsOutput(n); }

char* Utf8TextDecoder::FeedInto(std::string_view block, char* dst) {
  return FeedForms<true>(simd, block, dst, partial_, partialSize_, MapLookup{codes_});
}

void Utf8TextDecoder::Feed(std::string_view block, std::string& out) {
  AppendFeed(*this, block, out);
}

void Utf8TextDecoder::Finish(std::string& out) {
  FinishForms<true>(out, partial_, partialSize_, kFrameFill, MapLookup{codes_});
}

StreamStatus DecodeUtf8TextStream(ByteReader& in, ByteWriter& out, TextCode resultCode) {
  Utf8TextDecoder decoder(resultCode);
  return PumpStream(decoder, in, out);
}

std::size_t Utf8StreamDecoder::MaxOutput(std::size_t n) const { return FormsOutput(n); }

char* Utf8StreamDecoder::FeedInto(std::string_view block, char* dst) {
  return FeedForms<false>(simd, block, dst, partial_, partialSize_, NoLookup{});
}

void Utf8StreamDecoder::Feed(std::string_view block, std::string& out) {
  AppendFeed(*this, block, out);
}

void Utf8StreamDecoder::Finish(std::string& out) {
  FinishForms<false>(out, partial_, partialSize_, kFileFill, NoLookup{});
}

StreamStatus DecodeUtf8Stream(ByteReader& in, ByteWriter& out) {
  Utf8StreamDecoder decoder;
  return PumpStream(decoder, in, out);
}

}  // namespace vortane
