#include "cjk/utf7.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "cjk/byte_scan.h"
#include "cjk/code_map.h"
#include "cjk/utf7_kernels.h"
#include "codec/base64.h"

namespace vortane {
namespace {

constexpr std::uint8_t kNotAlphabet = 0xFF;

// Base64 value of every byte, kNotAlphabet for bytes that are not Alphabet:
// one index per byte in the run loops instead of two calls.
const std::array<std::uint8_t, 256>& Base64Values() {
  static const std::array<std::uint8_t, 256> values = [] {
    std::array<std::uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c) {
      const auto byte = static_cast<unsigned char>(c);
      table[static_cast<std::size_t>(c)] =
          ClassifyBase64Char(byte) == Base64CharKind::Alphabet
              ? static_cast<std::uint8_t>(Base64CharValue(byte) & 0x3F)
              : kNotAlphabet;
    }
    return table;
  }();
  return values;
}

inline char* Put(char* o, std::uint32_t byte) {
  *o = static_cast<char>(byte & 0xFF);
  return o + 1;
}

// The vector path of the level, in ordinary text or at a group's start in a
// run, while a whole vector of input remains.
const unsigned char* DecodeVectors(SimdLevel level, const unsigned char* p,
                                   const unsigned char* end, char*& dst, bool& inRun) {
#if defined(__x86_64__)
  switch (level) {
    case SimdLevel::Avx2:
      return DecodeUtf7Avx2(p, end, dst, inRun);
    case SimdLevel::Sse2:
      return DecodeUtf7Sse2(p, end, dst, inRun);
    case SimdLevel::Plain:
      break;
  }
#else
  (void)level;
  (void)end;
  (void)dst;
  (void)inRun;
#endif
  return p;
}

}  // namespace

std::size_t Utf7Decoder::MaxOutput(std::size_t n) const {
  // An ordinary byte gives two bytes; "+-" two; run bytes at most one each.
  return 2 * n + kSimdSlack;
}

void Utf7Decoder::Feed(std::string_view block, std::string& out) { AppendFeed(*this, block, out); }

char* Utf7Decoder::FeedInto(std::string_view block, char* o) {
  const auto& values = Base64Values();
  const auto* s = reinterpret_cast<const unsigned char*>(block.data());
  const std::size_t n = block.size();
  std::size_t i = 0;
  while (i < n) {
    if (mode_ == Mode::Text || (mode_ == Mode::Run && place_ == 0)) {
      bool inRun = mode_ == Mode::Run;
      i = static_cast<std::size_t>(DecodeVectors(simd, s + i, s + n, o, inRun) - s);
      mode_ = inRun ? Mode::Run : Mode::Text;
      if (i >= n) {
        break;
      }
    }
    switch (mode_) {
      case Mode::Text: {
        const void* plus = std::memchr(s + i, '+', n - i);
        const std::size_t end =
            plus != nullptr ? static_cast<std::size_t>(static_cast<const unsigned char*>(plus) - s)
                            : n;
        o = detail::WidenToUnits(s + i, end - i, o);
        i = end;
        if (i < n) {
          mode_ = Mode::AfterPlus;
          ++i;
        }
        break;
      }
      case Mode::AfterPlus:
        if (s[i] == '-') {
          o = Put(o, 0x00);
          o = Put(o, '+');
          ++i;
          mode_ = Mode::Text;
        } else {
          mode_ = Mode::Run;
          place_ = 0;
        }
        break;
      case Mode::Run: {
        if (place_ == 0) {
          // Whole groups of four Alphabet bytes.
          while (i + 4 <= n) {
            const std::uint32_t a = values[s[i]];
            const std::uint32_t b = values[s[i + 1]];
            const std::uint32_t c = values[s[i + 2]];
            const std::uint32_t d = values[s[i + 3]];
            if (((a | b | c | d) & 0x80) != 0) {
              break;
            }
            const std::uint32_t group = a << 18 | b << 12 | c << 6 | d;
            o = Put(o, group >> 16);
            o = Put(o, group >> 8);
            o = Put(o, group);
            i += 4;
          }
          if (i >= n) {
            break;
          }
        }
        const unsigned char z = s[i];
        const std::uint32_t value = values[z];
        if (value == kNotAlphabet) {
          // The run ends here; a closing "-" is dropped, any other byte is
          // ordinary text.
          mode_ = Mode::Text;
          place_ = 0;
          if (z == '-') {
            ++i;
          }
          break;
        }
        switch (place_) {
          case 1:
            o = Put(o, last_ << 2 | value >> 4);
            break;
          case 2:
            o = Put(o, (last_ & 0x0F) << 4 | value >> 2);
            break;
          case 3:
            o = Put(o, (last_ & 0x03) << 6 | value);
            break;
          default:
            break;
        }
        last_ = value;
        place_ = (place_ + 1) % 4;
        ++i;
        break;
      }
    }
  }
  return o;
}

void Utf7Decoder::Finish(std::string&) {
  mode_ = Mode::Text;
  place_ = 0;
}

std::string Utf7ToUnits(std::string_view text) {
  Utf7Decoder decoder;
  std::string units;
  decoder.Feed(text, units);
  decoder.Finish(units);
  return units;
}

StreamStatus DecodeUtf7Stream(ByteReader& in, ByteWriter& out) {
  Utf7Decoder decoder;
  return PumpStream(decoder, in, out);
}

std::string UnitsToText(std::string_view units, TextCode resultCode) {
  const CodeMap& codes = SharedCodeMap(resultCode == TextCode::Big5 ? CodeRoute::UnicodeToBig5
                                                                    : CodeRoute::UnicodeToGb);
  const auto* s = reinterpret_cast<const unsigned char*>(units.data());
  const std::size_t n = units.size();
  std::string out(n, '\0');
  char* o = out.data();
  std::size_t i = 0;
  for (; i + 2 <= n; i += 2) {
    const unsigned char x = s[i];
    const unsigned char y = s[i + 1];
    if (x == 0) {
      o = Put(o, y);
    } else {
      const std::uint32_t code = codes[static_cast<std::uint32_t>(x) << 8 | y];
      o = Put(o, code >> 8);
      o = Put(o, code);
    }
  }
  if (i < n) {
    o = Put(o, s[i]);  // a lone last byte stays as it is
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

std::string DecodeUtf7Text(std::string_view text, TextCode resultCode) {
  return UnitsToText(Utf7ToUnits(text), resultCode);
}

}  // namespace vortane
