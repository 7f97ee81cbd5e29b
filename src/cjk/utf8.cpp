#include "cjk/utf8.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "cjk/byte_scan.h"
#include "cjk/code_tables.h"

namespace vortane {
namespace {

using Lookup = std::optional<std::uint16_t> (*)(std::uint32_t);

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

// Writes the form of more than one byte that starts at f (all FormLength(f[0])
// bytes readable) and returns the end of what was written. The frame rule
// (kFrame) looks three-byte forms up and leaves out zero high bytes where the
// file rule writes them.
template <bool kFrame>
char* WriteForm(const unsigned char* f, char* o, Lookup lookup) {
  const unsigned char b = f[0];
  if (b >= 0xC0 && b < 0xE0) {
    const std::uint32_t v = ((b & 0x1Fu) << 6) + Payload(f[1]);
    if (!kFrame || ((v >> 8) & 0xFF) != 0) {
      o = Put(o, v >> 8);
    }
    return Put(o, v);
  }
  if (b >= 0xE0 && b < 0xF0) {
    const std::uint32_t v = ((b & 0x0Fu) << 12) + (Payload(f[1]) << 6) + Payload(f[2]);
    if (kFrame) {
      if (const auto code = lookup(v)) {
        o = Put(o, *code >> 8);
        return Put(o, *code);
      }
    }
    o = Put(o, v >> 8);
    return Put(o, v);
  }
  if (b < 0xF8) {  // 0x80-0xBF and 0xF0-0xF7
    return Put24(o, ((b & 0x07u) << 18) + (Payload(f[1]) << 12) + (Payload(f[2]) << 6) +
                        Payload(f[3]));
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

template <Lookup kLookup>
std::string DecodeUtf8Frame(std::string_view text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  // No whole form writes more bytes than it consumes; one cut off by the end
  // of the text writes at most four.
  std::string out(n + kLongestForm, '\0');
  char* const begin = out.data();
  char* o = begin;
  std::size_t i = 0;
  while (i < n) {
    const std::size_t run = detail::AsciiRunLength(s + i, n - i);
    std::copy_n(s + i, run, o);
    o += run;
    i += run;
    if (i >= n) {
      break;
    }
    const std::size_t length = FormLength(s[i]);
    if (i + length <= n) {
      o = WriteForm<true>(s + i, o, kLookup);
      i += length;
      continue;
    }
    // Cut off by the end of the text: the terminating 0 stands in the first
    // missing place and zero bytes in the others; decoding then ends.
    unsigned char padded[kLongestForm] = {};
    std::copy(s + i, s + n, padded);
    o = WriteForm<true>(padded, o, kLookup);
    break;
  }
  out.resize(static_cast<std::size_t>(o - begin));
  return out;
}

}  // namespace

std::string DecodeUtf8Text(std::string_view text, TextCode resultCode) {
  return resultCode == TextCode::Big5 ? DecodeUtf8Frame<LookupUnicodeToBig5>(text)
                                      : DecodeUtf8Frame<LookupUnicodeToGb>(text);
}

void Utf8StreamDecoder::Feed(std::string_view block, std::string& out) {
  const auto* s = reinterpret_cast<const unsigned char*>(block.data());
  const std::size_t n = block.size();
  const std::size_t base = out.size();
  // ASCII doubles; every other form writes at most what it consumes, and a
  // completed partial form at most four bytes.
  out.resize(base + 2 * n + kLongestForm);
  char* o = out.data() + base;
  std::size_t i = 0;
  if (partialSize_ > 0) {
    const std::size_t length = FormLength(partial_[0]);
    while (partialSize_ < length && i < n) {
      partial_[partialSize_++] = s[i++];
    }
    if (partialSize_ == length) {
      o = WriteForm<false>(partial_.data(), o, nullptr);
      partialSize_ = 0;
    }
  }
  while (i < n) {
    const std::size_t run = detail::AsciiRunLength(s + i, n - i);
    o = detail::WidenToUnits(s + i, run, o);
    i += run;
    // Chinese text is mostly three-byte forms: decode them without going back
    // to the ASCII scan.
    while (i + 3 <= n && (s[i] & 0xF0) == 0xE0) {
      const std::uint32_t v =
          ((s[i] & 0x0Fu) << 12) + (Payload(s[i + 1]) << 6) + Payload(s[i + 2]);
      o = Put(o, v >> 8);
      o = Put(o, v);
      i += 3;
    }
    if (i >= n || s[i] < 0x80) {
      continue;
    }
    const std::size_t length = FormLength(s[i]);
    if (i + length > n) {
      partialSize_ = n - i;
      std::copy(s + i, s + n, partial_.begin());
      break;
    }
    o = WriteForm<false>(s + i, o, nullptr);
    i += length;
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
}

void Utf8StreamDecoder::Finish(std::string& out) {
  if (partialSize_ == 0) {
    return;
  }
  std::fill(partial_.begin() + static_cast<std::ptrdiff_t>(partialSize_), partial_.end(), 0xFF);
  char buffer[kLongestForm];
  out.append(buffer, WriteForm<false>(partial_.data(), buffer, nullptr));
  partialSize_ = 0;
}

StreamStatus DecodeUtf8Stream(ByteReader& in, ByteWriter& out) {
  Utf8StreamDecoder decoder;
  return PumpStream(decoder, in, out);
}

}  // namespace vortane
