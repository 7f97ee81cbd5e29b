#include "charsets/utf_codecs.h"

#include "charsets/codec_steps.h"
#include "charsets/fast_paths.h"
#include "charsets/unicode_scalar.h"
#include "cjk/byte_scan.h"

namespace vortane::charsets_detail {
namespace {

constexpr char32_t kHighSurrogateFirst = 0xD800;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kSurrogateEnd = 0xE000;

class Utf8Sink {
 public:
  static constexpr std::size_t kMaxOutPerByte = 3;  // a lone bad byte gives U+FFFD
  static constexpr std::size_t kMaxOutExtra = 0;
  static constexpr bool kCopiesAscii = true;

  explicit Utf8Sink(EncodeCounts& counts) : counts_(counts) {}

  char* Put(char* o, char32_t point) { return PutUtf8(o, point); }
  char* Bad(char* o) {
    ++counts_.unwritable;
    *o++ = '?';
    return o;
  }
  char* BeforeAscii(char* o) { return o; }
  char* Finish(char* o) { return o; }

  // The fast path (see EncodeUtf8Step).
  [[nodiscard]] bool FastReady() const { return true; }
  char* PutBmp(char* o, std::uint32_t point) { return PutBmpUtf8(o, point); }

 private:
  EncodeCounts& counts_;
};

class Utf16Sink {
 public:
  static constexpr std::size_t kMaxOutPerByte = 2;  // ASCII: one byte to one unit
  static constexpr std::size_t kMaxOutExtra = 2;    // the mark
  static constexpr bool kCopiesAscii = false;

  Utf16Sink(Utf16Writer& writer, EncodeCounts& counts, SimdLevel simd)
      : writer_(writer), counts_(counts), avx2_(simd == SimdLevel::Avx2) {}

  char* Put(char* o, char32_t point) {
    o = Mark(o);
    if (point >= 0x10000) {
      point -= 0x10000;
      o = Unit(o, kHighSurrogateFirst + (point >> 10));
      return Unit(o, kLowSurrogateFirst + (point & 0x3FF));
    }
    return Unit(o, point);
  }
  char* Bad(char* o) {
    ++counts_.unwritable;
    return Put(o, '?');
  }
  char* BeforeAscii(char* o) { return o; }
  char* Finish(char* o) { return Mark(o); }

  // The fast path (see EncodeUtf8Step): once the mark is written; ASCII
  // widened 16 bytes at a time.
  [[nodiscard]] bool FastReady() const { return !writer_.markPending; }
  char* PutBmp(char* o, std::uint32_t point) { return Unit(o, point); }
  char* PutAsciiRun(char* o, const unsigned char* p, std::size_t run, std::size_t readable) {
    return WidenAscii(p, run, readable, writer_.order != ByteOrder::Big, Mark(o));
  }
  void Windows(const unsigned char* p, std::size_t n, std::size_t& i, char*& o) const {
#if defined(__x86_64__)
    if (avx2_) {
      EncodeUtf16WindowsAvx2(p, n, writer_.order != ByteOrder::Big, i, o);
    }
#else
    (void)p;
    (void)n;
    (void)i;
    (void)o;
#endif
  }

 private:
  char* Mark(char* o) {
    if (writer_.markPending) {
      writer_.markPending = false;
      o = Unit(o, 0xFEFF);
    }
    return o;
  }
  char* Unit(char* o, char32_t unit) const {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    *o++ = writer_.order == ByteOrder::Big ? high : low;
    *o++ = writer_.order == ByteOrder::Big ? low : high;
    return o;
  }

  Utf16Writer& writer_;
  EncodeCounts& counts_;
  bool avx2_;  // Windows takes the AVX2 path
};

}  // namespace

std::size_t DecodeUtf8Step(std::string_view in, bool last, StepOut& out, std::size_t& unreadable,
                           SimdLevel simd) {
  // Reading is writing UTF-8 with ill-formed sequences as U+FFFD, which
  // UTF-8 always holds.
  EncodeCounts counts{0, 0, true};
  Utf8Sink sink(counts);
  const std::size_t used = EncodeUtf8Step(sink, counts, in, last, out, simd);
  unreadable += counts.illFormed;
  return used;
}

std::size_t EncodeUtf8ToUtf8Step(std::string_view utf8, bool last, StepOut& out,
                                 EncodeCounts& counts, SimdLevel simd) {
  Utf8Sink sink(counts);
  return EncodeUtf8Step(sink, counts, utf8, last, out, simd);
}

std::size_t DecodeUtf16Step(Utf16Reader& reader, std::string_view in, bool last, StepOut& out,
                            std::size_t& unreadable, SimdLevel simd) {
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const std::size_t n = in.size();
  std::size_t i = 0;
  if (reader.order == ByteOrder::Unknown || reader.order == ByteOrder::BigUnlessLittleMark) {
    if (n < 2 && !last) {
      return 0;
    }
    const bool bigMark = reader.order == ByteOrder::Unknown;
    reader.order = ByteOrder::Big;
    if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
      reader.order = ByteOrder::Little;
      i = 2;
    } else if (bigMark && n >= 2 && p[0] == 0xFE && p[1] == 0xFF) {
      i = 2;
    }
  }
  const bool little = reader.order == ByteOrder::Little;
  // A unit gives at most three bytes of UTF-8; a pair four; an odd byte three.
  // The fast paths store up to 16 bytes past what they write, but only while
  // 16 bytes of input remain, which give the room.
  char* o = out.Grow(2 * n + 4);
  const auto unitAt = [&](std::size_t at) -> char32_t {
    return little ? static_cast<char32_t>(p[at] | p[at + 1] << 8)
                  : static_cast<char32_t>(p[at] << 8 | p[at + 1]);
  };
  const auto bad = [&] {
    o = PutUtf8(o, kReplacement);
    ++unreadable;
  };
  // After a window the fast path could not take, the plain loop reads on to here.
  std::size_t plainUntil = UseFastPaths(simd) ? 0 : n;
  while (i + 2 <= n) {
#if defined(__SSE2__)
    if (i >= plainUntil) {
#if defined(__x86_64__)
      if (simd == SimdLevel::Avx2) {
        DecodeUtf16WindowsAvx2(p, n, little, i, o);
      } else {
        DecodeUtf16Windows(p, n, little, i, o);
      }
#else
      DecodeUtf16Windows(p, n, little, i, o);
#endif
      plainUntil = i + 16 <= n ? i + 16 : n;
      if (i + 2 > n) {
        break;
      }
    }
#endif
    const char32_t unit = unitAt(i);
    if (unit < 0x80) {
      // ASCII units come in runs: the common case stays in this tight loop.
      *o++ = static_cast<char>(unit);
      i += 2;
      continue;
    }
    if (unit < kHighSurrogateFirst || unit >= kSurrogateEnd) {
      o = PutUtf8(o, unit);
      i += 2;
      continue;
    }
    if (unit >= kLowSurrogateFirst) {
      bad();
      i += 2;
      continue;
    }
    if (i + 4 > n) {
      if (!last) {
        break;
      }
      bad();
      i = n;
      break;
    }
    const char32_t next = unitAt(i + 2);
    if (next < kLowSurrogateFirst || next >= kSurrogateEnd) {
      bad();
      i += 2;
      continue;
    }
    o = PutUtf8(o, 0x10000 + ((unit - kHighSurrogateFirst) << 10) + (next - kLowSurrogateFirst));
    i += 4;
  }
  if (i < n && last) {
    bad();
    i = n;
  }
  out.EndAt(o);
  return i;
}

std::size_t EncodeUtf16Step(Utf16Writer& writer, std::string_view utf8, bool last, StepOut& out,
                            EncodeCounts& counts, SimdLevel simd) {
  Utf16Sink sink(writer, counts, simd);
  return EncodeUtf8Step(sink, counts, utf8, last, out, simd);
}

}  // namespace vortane::charsets_detail
