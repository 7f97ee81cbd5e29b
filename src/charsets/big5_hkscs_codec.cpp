#include "charsets/big5_hkscs_codec.h"

#include <cstdint>
#include <cstring>

#include "charsets/charset_tables.h"
#include "charsets/codec_steps.h"
#include "charsets/unicode_scalar.h"
#include "cjk/byte_scan.h"

namespace vortane::charsets_detail {
namespace {

constexpr char32_t kCapitalECircumflex = 0x00CA;
constexpr char32_t kSmallECircumflex = 0x00EA;

inline char* PutCode(char* o, std::uint16_t code) {
  *o++ = static_cast<char>(code >> 8);
  *o++ = static_cast<char>(code & 0xFF);
  return o;
}

class Big5HkscsSink {
 public:
  static constexpr std::size_t kMaxOutPerByte = 1;
  // A held letter written at the end, or beside a "?"; and room for the
  // vector path's stores past what it writes.
  static constexpr std::size_t kMaxOutExtra = 2 + 16;
  static constexpr bool kCopiesAscii = true;

  Big5HkscsSink(const Big5HkscsTables& tables, Big5HkscsWriter& writer, EncodeCounts& counts,
                SimdLevel simd)
      : tables_(tables), writer_(writer), counts_(counts), avx2_(simd == SimdLevel::Avx2) {}

  char* Put(char* o, char32_t point) {
    if (writer_.held != 0) {
      for (const Big5PairRow& pair : tables_.pairs) {
        if (pair.first == writer_.held && pair.second == point) {
          writer_.held = 0;
          return PutCode(o, pair.code);
        }
      }
      o = BeforeAscii(o);
    }
    if (point == kCapitalECircumflex || point == kSmallECircumflex) {
      writer_.held = point;
      return o;
    }
    return PutSingle(o, point);
  }
  char* Bad(char* o) {
    o = BeforeAscii(o);
    ++counts_.unwritable;
    *o++ = '?';
    return o;
  }
  char* BeforeAscii(char* o) {
    if (writer_.held == 0) {
      return o;
    }
    const char32_t held = writer_.held;
    writer_.held = 0;
    return PutSingle(o, held);
  }
  char* Finish(char* o) { return BeforeAscii(o); }

  // The fast path (see EncodeUtf8Step), for characters of three UTF-8 bytes
  // (never a letter that is held) when none is held.
  [[nodiscard]] bool FastReady() const { return writer_.held == 0; }
  char* PutBmp(char* o, std::uint32_t point) {
    const std::uint32_t wide = 0u - AtLeast<0x80>(point);
    const std::uint32_t code = (tables_.bmpCode[point] & wide) | (point & ~wide);
    if (code == 0) {
      ++counts_.unwritable;
      *o++ = '?';
      return o;
    }
    const std::uint32_t length = CodeLength(code);
    const auto bytes = static_cast<std::uint16_t>(code << (8 * (2 - length)));
    const std::uint16_t swapped = __builtin_bswap16(bytes);
    std::memcpy(o, &swapped, 2);
    return o + length;
  }
  void Windows(const unsigned char* p, std::size_t n, std::size_t& i, char*& o) const {
    EncodeDoubleByteWindows(avx2_, p, n, tables_.bmpCode.data(), i, o);
  }

 private:
  char* PutSingle(char* o, char32_t point) {
    if (point < 0x80) {
      *o++ = static_cast<char>(point);
      return o;
    }
    std::uint16_t code = 0;
    if (point < 0x10000) {
      code = tables_.bmpCode[point];
    } else if (point >> 16 == 2) {
      code = tables_.plane2Code[point & 0xFFFF];
    }
    if (code == 0) {
      ++counts_.unwritable;
      *o++ = '?';
      return o;
    }
    return PutCode(o, code);
  }

  const Big5HkscsTables& tables_;
  Big5HkscsWriter& writer_;
  EncodeCounts& counts_;
  bool avx2_;  // Windows takes the AVX2 path
};

}  // namespace

std::size_t DecodeBig5HkscsStep(std::string_view in, bool last, StepOut& out,
                                std::size_t& unreadable, SimdLevel simd) {
  const Big5HkscsTables& tables = Big5HkscsTable();
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const std::size_t n = in.size();
  // Two bytes give at most four bytes of UTF-8 (a supplementary character,
  // or a letter with its combining mark); a stray byte gives three. The fast
  // path stores up to four bytes at a time.
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
      DecodeDoubleBytesAt(simd, p, n, i, o, tables.pairUtf8.data());
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
    if (i + 1 == n) {
      if (!last) {
        break;
      }
      bad(1);
      continue;
    }
    const unsigned second = p[i + 1];
    const std::uint8_t trail = kBig5TrailNumber[second];
    if (trail == kNoTrail) {
      bad(1);
      continue;
    }
    const std::uint32_t point =
        lead < kBig5FirstLead ? 0
                              : tables.points[(lead - kBig5FirstLead) * kBig5TrailCount + trail];
    if (point == 0) {
      bad(second < 0x80 ? 1 : 2);
      continue;
    }
    if (point >= kBig5PairMark) {
      const Big5PairRow& pair = tables.pairs[point - kBig5PairMark];
      o = PutUtf8(o, pair.first);
      o = PutUtf8(o, pair.second);
    } else {
      o = PutUtf8(o, point);
    }
    i += 2;
  }
  out.EndAt(o);
  return i;
}

std::size_t EncodeBig5HkscsStep(Big5HkscsWriter& writer, std::string_view utf8, bool last,
                                StepOut& out, EncodeCounts& counts, SimdLevel simd) {
  Big5HkscsSink sink(Big5HkscsTable(), writer, counts, simd);
  return EncodeUtf8Step(sink, counts, utf8, last, out, simd);
}

}  // namespace vortane::charsets_detail
