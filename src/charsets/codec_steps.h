// The shape every codec of this library shares, and the two helpers that give
// each of them streaming: the carry of a sequence cut off by a block edge, and
// the UTF-8 reading loop of the encoders.
//
// A decode step reads bytes of its code from `in` and appends UTF-8 to `out`:
//   std::size_t Step(std::string_view in, bool last, StepOut& out);
// It returns how many bytes it used. When `last` is false it may leave a tail
// of fewer than kMaxCarry bytes that could still begin a character; when
// `last` is true it uses everything.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "charsets/fast_paths.h"
#include "charsets/step_out.h"
#include "charsets/unicode_scalar.h"
#include "cjk/byte_scan.h"
#include "codec/simd_level.h"

namespace vortane::charsets_detail {

// Longest tail a step may leave unused: one byte short of the longest
// sequence of any code here (four bytes).
inline constexpr std::size_t kMaxCarry = 3;

// Feeds `block` through `step`, with `carry` holding the unused tail of the
// previous block. The carry is completed first, a byte at a time, so the
// step never sees more than kMaxCarry + 1 bytes it did not see before.
template <class Step>
void FeedCarried(std::string& carry, std::string_view block, StepOut& out, Step&& step) {
  while (!carry.empty() && !block.empty()) {
    const std::size_t held = carry.size();
    const std::size_t take = std::min(block.size(), kMaxCarry + 1);
    carry.append(block.substr(0, take));
    const std::size_t used = step(std::string_view(carry), false, out);
    if (used >= held) {
      block.remove_prefix(used - held);
      carry.clear();
    } else {
      carry.erase(0, used);
      block.remove_prefix(take);
    }
  }
  if (block.empty()) {
    return;
  }
  const std::size_t used = step(block, false, out);
  carry.assign(block.substr(used));
}

// Ends the input: what the carry holds is used up.
template <class Step>
void FinishCarried(std::string& carry, StepOut& out, Step&& step) {
  step(std::string_view(carry), true, out);
  carry.clear();
}

// What an encoder met: characters it could not write ("?"), ill-formed UTF-8
// sequences among them, and how ill-formed input is written.
struct EncodeCounts {
  std::size_t unwritable = 0;  // every "?" written for a character or ill-formed input
  std::size_t illFormed = 0;   // ill-formed UTF-8 sequences read
  // false: each ill-formed sequence is written as "?" and counted unwritable;
  // true: as U+FFFD (which is unwritable only where the code lacks it).
  bool illFormedAsReplacement = false;
};

#if defined(__SSE2__)
// The fast path of EncodeUtf8Step, from p[i] on (a character start) while 16
// bytes remain, for ASCII and three-byte sequences of BMP characters; stops
// at anything else and leaves it to the plain loop. The sink provides
//   bool FastReady();                            // whether PutBmp may be used now
//   char* PutBmp(char* o, std::uint32_t point);  // Put for a character of three
//                                                // UTF-8 bytes; may store 4 bytes
//   char* PutAsciiRun(char* o, const unsigned char* p, std::size_t run,
//                     std::size_t readable);     // Put for each of the `run` ASCII
//                                                // bytes at p, reading no more
//                                                // than `readable` (when not
//                                                // kCopiesAscii)
// and may provide
//   void Windows(const unsigned char* p, std::size_t n, std::size_t& i,
//                char*& o);                      // a wider path, tried again 16
//                                                // bytes after it stops
// i and o move past what was read and written.
template <class Sink>
void EncodeUtf8Fast(Sink& sink, const unsigned char* p, std::size_t n, std::size_t& i, char*& o) {
  if (!sink.FastReady()) {
    return;
  }
  std::size_t windowsFrom = i;
  while (i + 16 <= n) {
    if constexpr (requires { sink.Windows(p, n, i, o); }) {
      if (i >= windowsFrom) {
        sink.Windows(p, n, i, o);
        windowsFrom = i + 16;
        if (i + 16 > n) {
          break;
        }
      }
    }
    if (p[i] < 0x80) {
      if constexpr (Sink::kCopiesAscii) {
        // Nothing is held (FastReady), so the run needs no BeforeAscii.
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o), v);
        const auto high = static_cast<unsigned>(_mm_movemask_epi8(v));
        const std::size_t run = high == 0 ? 16 : static_cast<std::size_t>(__builtin_ctz(high));
        o += run;
        i += run;
      } else {
        const std::size_t run = detail::AsciiRunLength(p + i, n - i);
        o = sink.PutAsciiRun(o, p + i, run, n - i);
        i += run;
      }
      continue;
    }
    // One test for a lead byte E0..EF and two continuation bytes; then the
    // ranges of E0 and ED (no overlong forms, no surrogates) on the value.
    std::uint32_t bytes;
    std::memcpy(&bytes, p + i, 4);
    bytes = __builtin_bswap32(bytes) >> 8;  // the three bytes, first highest
    if ((bytes & 0xF0C0C0) != 0xE08080) {
      return;
    }
    const std::uint32_t point = (bytes >> 4 & 0xF000) | (bytes >> 2 & 0x0FC0) | (bytes & 0x3F);
    if (point < 0x800 || (point & 0xF800) == 0xD800) {
      return;
    }
    o = sink.PutBmp(o, point);
    i += 3;
  }
}
#endif

// The encoders' reading of UTF-8: each scalar value goes to the sink, each
// ill-formed sequence (one per longest well-formed start, the way UTF-8
// readers count them) is counted in counts.illFormed and goes to sink.Bad
// (or as U+FFFD to sink.Put, see EncodeCounts). A sink provides
//   static constexpr std::size_t kMaxOutPerByte;  // output bytes per input byte, a
//                                                 // one-byte ill-formed sequence
//                                                 // written as U+FFFD included
//   static constexpr std::size_t kMaxOutExtra;    // plus this much per call
//   static constexpr bool kCopiesAscii;           // ASCII runs are copied as they are
//   char* Put(char* o, char32_t point);           // writes one character
//   char* Bad(char* o);                           // writes "?", counts it unwritable
//   char* BeforeAscii(char* o);                   // when kCopiesAscii: before a copied run
//   char* Finish(char* o);                        // at the end of the input
// Unless `simd` is Plain, a sink with the members EncodeUtf8Fast asks for
// takes that fast path.
template <class Sink>
std::size_t EncodeUtf8Step(Sink& sink, EncodeCounts& counts, std::string_view in, bool last,
                           StepOut& out, SimdLevel simd = SimdLevel::Plain) {
  const auto bad = [&sink, &counts](char* o) {
    ++counts.illFormed;
    return counts.illFormedAsReplacement ? sink.Put(o, kReplacement) : sink.Bad(o);
  };
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const std::size_t n = in.size();
  char* o = out.Grow(n * Sink::kMaxOutPerByte + Sink::kMaxOutExtra);
  std::size_t i = 0;
  // After text the fast path left to it, the plain loop reads on to here.
  std::size_t plainUntil = UseFastPaths(simd) ? 0 : n;
  while (i < n) {
#if defined(__SSE2__)
    if constexpr (requires(char* c) { sink.PutBmp(c, 0u); }) {
      if (i >= plainUntil) {
        EncodeUtf8Fast(sink, p, n, i, o);
        plainUntil = i + 16 <= n ? i + 16 : n;
        if (i >= n) {
          break;
        }
      }
    }
#endif
    if (p[i] < 0x80) {
      if constexpr (Sink::kCopiesAscii) {
        o = sink.BeforeAscii(o);
        const std::size_t run = detail::CopyAsciiRun(p + i, n - i, o);
        o += run;
        i += run;
      } else {
        o = sink.Put(o, p[i]);
        ++i;
      }
      continue;
    }
    // The common case of Chinese text: a three-byte sequence outside the
    // lead bytes whose second byte has a narrower range (E0, ED).
    const unsigned lead = p[i];
    if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && i + 2 < n && (p[i + 1] & 0xC0) == 0x80 &&
        (p[i + 2] & 0xC0) == 0x80) {
      o = sink.Put(o, (lead & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 | (p[i + 2] & 0x3F));
      i += 3;
      continue;
    }
    const Utf8Step step = ReadUtf8(p + i, n - i);
    if (step.kind == Utf8Read::Scalar) {
      o = sink.Put(o, step.point);
      i += step.length;
    } else if (step.kind == Utf8Read::Bad) {
      o = bad(o);
      i += step.length;
    } else if (!last) {
      break;
    } else {
      o = bad(o);
      i = n;
    }
  }
  if (last) {
    o = sink.Finish(o);
  }
  out.EndAt(o);
  return i;
}

}  // namespace vortane::charsets_detail
