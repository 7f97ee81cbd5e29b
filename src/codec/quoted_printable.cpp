#include "codec/quoted_printable.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "codec/quoted_printable_kernels.h"

namespace vortane {
namespace {

constexpr std::uint8_t kNotHex = 0xFF;

constexpr std::array<std::uint8_t, 256> MakeHexTable() {
  std::array<std::uint8_t, 256> table{};
  for (auto& entry : table) {
    entry = kNotHex;
  }
  for (int i = 0; i < 10; ++i) {
    table['0' + i] = static_cast<std::uint8_t>(i);
  }
  for (int i = 0; i < 6; ++i) {
    table['A' + i] = static_cast<std::uint8_t>(10 + i);
    table['a' + i] = static_cast<std::uint8_t>(10 + i);
  }
  return table;
}

constexpr std::array<std::uint8_t, 256> kHexValue = MakeHexTable();

constexpr unsigned char kCr = '\r';
constexpr unsigned char kLf = '\n';

bool IsHex(unsigned char c) { return kHexValue[c] != kNotHex; }

// An escaped byte from 0x90 up (first digit "9" or a letter) is taken for the
// lead byte of a double-byte character, or for its trail byte.
bool CountsForParity(unsigned char firstDigit) { return kHexValue[firstDigit] >= 9; }

using State = QuotedPrintableStreamDecoder::State;

// The file rule for one byte; writes at most one byte at dst.
char* StepByte(QuotedPrintableStreamDecoder& d, unsigned char c, char* dst) {
  switch (d.state) {
    case State::Plain:
      if (c == '=') {
        d.state = State::AfterEquals;
      } else {
        *dst++ = static_cast<char>(c);
      }
      break;
    case State::AfterEquals:
      if (IsHex(c)) {
        d.firstDigit = kHexValue[c];
        d.state = State::AfterDigit;
      } else {
        d.state = c == kCr ? State::AfterEqualsCr : State::Plain;
      }
      break;
    case State::AfterDigit:
      // A second byte that is no digit is dropped together with "=" and the digit.
      if (IsHex(c)) {
        *dst++ = static_cast<char>((d.firstDigit << 4) | kHexValue[c]);
      }
      d.state = State::Plain;
      break;
    case State::AfterEqualsCr:
      d.state = State::Plain;
      // "=" CR LF is a soft line break; after "=" CR anything else is read anew.
      if (c != kLf) {
        dst = StepByte(d, c, dst);
      }
      break;
  }
  return dst;
}

// The vector path of the level, from a point between escapes: plain bytes,
// whole escapes and soft line breaks while a whole vector of input remains.
const unsigned char* DecodeBetweenEscapes(SimdLevel level, const unsigned char* p,
                                          const unsigned char* end, char*& dst) {
#if defined(__x86_64__)
  switch (level) {
    case SimdLevel::Avx2:
      return DecodeQuotedPrintableAvx2(p, end, dst);
    case SimdLevel::Sse2:
      return DecodeQuotedPrintableSse2(p, end, dst);
    case SimdLevel::Plain:
      break;
  }
#else
  (void)level;
  (void)end;
  (void)dst;
#endif
  return p;
}

}  // namespace

std::string DecodeQuotedPrintableText(std::string_view text, bool recogniseDoubleBytes) {
  const std::size_t n = text.size();
  // Position n holds the text's terminating 0, which is neither a digit nor CR,
  // so no test below reads past it.
  const auto at = [&](std::size_t i) -> unsigned char {
    return i < n ? static_cast<unsigned char>(text[i]) : 0;
  };
  std::string out;
  out.reserve(n);
  bool leadPending = false;  // after an escaped lead byte whose trail byte has not come
  std::size_t p = 0;
  while (p < n) {
    const unsigned char c = at(p);
    if (c == '=') {
      const unsigned char d1 = at(p + 1);
      if (IsHex(d1)) {
        const unsigned char d2 = at(p + 2);
        std::size_t length = 0;
        unsigned char second = 0;
        if (IsHex(d2)) {
          length = 3;
          second = d2;
        } else if (d2 == kCr && at(p + 3) == kLf && IsHex(at(p + 4))) {
          // An escape whose two digits a soft line break has split.
          length = 5;
          second = at(p + 4);
        }
        if (length == 0) {
          // "=" and the digit are dropped; the byte after them is read anew.
          p += 2;
          continue;
        }
        out.push_back(static_cast<char>((kHexValue[d1] << 4) | kHexValue[second]));
        if (CountsForParity(d1)) {
          leadPending = !leadPending;
        }
        p += length;
      } else if (d1 == kCr && at(p + 2) == kLf) {
        p += 3;  // soft line break
      } else {
        p += 2;  // "=" and the byte after it are dropped
      }
    } else if (c == kCr && at(p + 1) == kLf) {
      if (leadPending && recogniseDoubleBytes) {
        // Move the lead byte past the line break so it stands next to its
        // trail byte; it stays pending until that byte comes.
        const char lead = out.back();
        out.back() = '\r';
        out.push_back('\n');
        out.push_back(lead);
      } else {
        out.push_back('\r');
        out.push_back('\n');
        leadPending = false;
      }
      p += 2;
    } else {
      out.push_back(static_cast<char>(c));
      ++p;
    }
  }
  return out;
}

std::size_t QuotedPrintableStreamDecoder::MaxOutput(std::size_t n) const {
  // Every input byte writes at most one byte.
  return n + kSimdSlack;
}

void QuotedPrintableStreamDecoder::Feed(std::string_view block, std::string& out) {
  AppendFeed(*this, block, out);
}

char* QuotedPrintableStreamDecoder::FeedInto(std::string_view block, char* dst) {
  const auto* p = reinterpret_cast<const unsigned char*>(block.data());
  const auto* const end = p + block.size();
  while (p < end) {
    if (state == State::Plain) {
      p = DecodeBetweenEscapes(simd, p, end, dst);
      if (p == end) {
        break;
      }
      if (*p != '=') {
        // A plain run is copied whole up to the next "=".
        const void* found = std::memchr(p, '=', static_cast<std::size_t>(end - p));
        const auto* const runEnd =
            found != nullptr ? static_cast<const unsigned char*>(found) : end;
        const auto length = static_cast<std::size_t>(runEnd - p);
        std::memcpy(dst, p, length);
        dst += length;
        p = runEnd;
        continue;
      }
      if (end - p >= 3) {
        // A whole escape inside the block, decided at once.
        const std::uint8_t high = kHexValue[p[1]];
        if (high != kNotHex) {
          const std::uint8_t low = kHexValue[p[2]];
          if (low != kNotHex) {
            *dst++ = static_cast<char>((high << 4) | low);
          }
          p += 3;
        } else if (p[1] == kCr) {
          p += p[2] == kLf ? 3 : 2;
        } else {
          p += 2;
        }
        continue;
      }
    }
    dst = StepByte(*this, *p++, dst);
  }
  return dst;
}

void QuotedPrintableStreamDecoder::Finish(std::string&) {
  // An escape cut off by the end of the input is dropped.
  state = State::Plain;
}

StreamStatus DecodeQuotedPrintableStream(ByteReader& in, ByteWriter& out) {
  QuotedPrintableStreamDecoder decoder;
  return PumpStream(decoder, in, out);
}

}  // namespace vortane
