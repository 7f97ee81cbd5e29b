#include "charsets/gb18030_codec.h"

#include <cstdint>
#include <cstring>

#include "charsets/charset_tables.h"
#include "charsets/codec_steps.h"
#include "charsets/unicode_scalar.h"
#include "cjk/byte_scan.h"

namespace vortane::charsets_detail {
namespace {

constexpr bool IsFourByteDigit(unsigned b) { return b >= 0x30 && b <= 0x39; }
constexpr bool IsFourByteLetter(unsigned b) { return b >= 0x81 && b <= 0xFE; }

// Writes a code packed high first (see Gb18030Tables::codeOf).
inline char* PutCode(char* o, std::uint32_t code) {
  if (code >= 0x10000) {
    *o++ = static_cast<char>(code >> 24);
    *o++ = static_cast<char>(code >> 16 & 0xFF);
  }
  *o++ = static_cast<char>(code >> 8 & 0xFF);
  *o++ = static_cast<char>(code & 0xFF);
  return o;
}

class Gb18030Sink {
 public:
  // U+0080: two UTF-8 bytes, four GB bytes; a one-byte ill-formed sequence
  // written as U+FFFD: four.
  static constexpr std::size_t kMaxOutPerByte = 4;
  static constexpr std::size_t kMaxOutExtra = 0;
  static constexpr bool kCopiesAscii = true;

  Gb18030Sink(const Gb18030Tables& tables, EncodeCounts& counts, SimdLevel simd)
      : tables_(tables), counts_(counts), avx2_(simd == SimdLevel::Avx2) {}

  char* Put(char* o, char32_t point) {
    if (point < 0x10000) {
      return PutCode(o, tables_.codeOf[point]);
    }
    return PutCode(o, GbFourByteCode(kGbSupplementaryFirst + (point - 0x10000)));
  }
  char* Bad(char* o) {
    ++counts_.unwritable;
    *o++ = '?';
    return o;
  }
  char* BeforeAscii(char* o) { return o; }
  char* Finish(char* o) { return o; }

  // The fast path (see EncodeUtf8Step): one, two or four bytes, chosen
  // without a branch, and stored as four.
  [[nodiscard]] bool FastReady() const { return true; }
  char* PutBmp(char* o, std::uint32_t point) {
    const std::uint32_t code = tables_.codeOf[point];
    const std::uint32_t length = CodeLength(code);
    const std::uint32_t bytes = __builtin_bswap32(code << (8 * (4 - length)));
    std::memcpy(o, &bytes, 4);
    return o + length;
  }
  void Windows(const unsigned char* p, std::size_t n, std::size_t& i, char*& o) const {
    EncodeDoubleByteWindows(avx2_, p, n, tables_.twoByteCodeOf.data(), i, o);
  }

 private:
  const Gb18030Tables& tables_;
  EncodeCounts& counts_;
  bool avx2_;  // Windows takes the AVX2 path
};

}  // namespace

std::size_t DecodeGb18030Step(std::string_view in, bool last, StepOut& out, std::size_t& unreadable,
                              SimdLevel simd) {
  const Gb18030Tables& tables = Gb18030Table();
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const std::size_t n = in.size();
  // Every byte gives at most three bytes of UTF-8 (a two-byte code three, a
  // four-byte code four, a stray byte U+FFFD's three); the fast path stores
  // up to four bytes at a time.
  char* o = out.Grow(3 * n + 4);
  std::size_t i = 0;
  const auto bad = [&](std::size_t length) {
    o = PutUtf8(o, kReplacement);
    ++unreadable;
    i += length;
  };
  // After a window the fast path could not take, the plain loop reads on to here.
  std::size_t plainUntil = UseFastPaths(simd) ? 0 : n;
  while (i < n) {
#if defined(__SSE2__)
    if (i >= plainUntil) {
      DecodeDoubleBytesAt(simd, p, n, i, o, tables.twoByteUtf8.data());
      plainUntil = i + 17 <= n ? i + 16 : n;
      if (i >= n) {
        break;
      }
    }
#endif
    const unsigned lead = p[i];
    if (lead < 0x80) {
      const std::size_t run = detail::CopyAsciiRun(p + i, n - i, o);
      o += run;
      i += run;
      continue;
    }
    if (lead == 0x80 || lead == 0xFF) {
      bad(1);
      continue;
    }
    const std::size_t left = n - i;
    if (left < 2) {
      if (!last) {
        break;
      }
      bad(left);
      continue;
    }
    const unsigned second = p[i + 1];
    const std::uint8_t trail = kGbTrailNumber[second];
    if (trail != kNoTrail) {
      o = PutUtf8(o, tables.twoByte[(lead - kGbFirstLead) * kGbTrailCount + trail]);
      i += 2;
      continue;
    }
    if (!IsFourByteDigit(second)) {
      bad(1);
      continue;
    }
    if (left < 3 || (IsFourByteLetter(p[i + 2]) && left < 4)) {
      if (!last) {
        break;
      }
      bad(left);
      continue;
    }
    if (!IsFourByteLetter(p[i + 2]) || !IsFourByteDigit(p[i + 3])) {
      bad(1);
      continue;
    }
    const std::uint32_t number = GbFourByteNumber(lead, second, p[i + 2], p[i + 3]);
    if (number < kGbFourByteBmpCount) {
      o = PutUtf8(o, tables.fourByte[number]);
    } else if (number >= kGbSupplementaryFirst && number - kGbSupplementaryFirst < 0x100000) {
      o = PutUtf8(o, 0x10000 + (number - kGbSupplementaryFirst));
    } else {
      bad(4);
      continue;
    }
    i += 4;
  }
  out.EndAt(o);
  return i;
}

std::size_t EncodeGb18030Step(std::string_view utf8, bool last, StepOut& out, EncodeCounts& counts,
                              SimdLevel simd) {
  Gb18030Sink sink(Gb18030Table(), counts, simd);
  return EncodeUtf8Step(sink, counts, utf8, last, out, simd);
}

}  // namespace vortane::charsets_detail
