// Quoted-Printable decoding: the frame rule (with the double-byte line-break
// repair and escapes split by a soft break) and the simpler file rule.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "codec/byte_stream.h"
#include "codec/simd_level.h"

namespace vortane {

// Frame rule. With `recogniseDoubleBytes`, a hard CR LF that falls after the
// lead byte of an escaped double-byte character is moved before that byte.
// Malformed escapes are dropped; the result is never longer than the text.
[[nodiscard]] std::string DecodeQuotedPrintableText(std::string_view text,
                                                    bool recogniseDoubleBytes);

// File rule: "=XX" escapes and "=" CR LF soft breaks; no parity, no split escapes.
[[nodiscard]] StreamStatus DecodeQuotedPrintableStream(ByteReader& in, ByteWriter& out);

// The file rule as an incremental decoder for PumpStream. An escape cut by a
// block edge is carried to the next block; one still incomplete at the end of
// the input is dropped by Finish. Never Done before the end of the input.
struct QuotedPrintableStreamDecoder {
  enum class State : unsigned char {
    Plain,         // between escapes
    AfterEquals,   // read "="
    AfterDigit,    // read "=" and one hexadecimal digit (in firstDigit)
    AfterEqualsCr  // read "=" CR
  };

  // Room FeedInto needs for a block of n bytes.
  [[nodiscard]] std::size_t MaxOutput(std::size_t n) const;
  // Decodes `block` into dst and returns the end of what it wrote.
  char* FeedInto(std::string_view block, char* dst);
  // Appends the bytes decoded from `block` to `out`.
  void Feed(std::string_view block, std::string& out);
  void Finish(std::string& out);
  [[nodiscard]] bool Done() const { return false; }

  State state = State::Plain;
  unsigned char firstDigit = 0;        // value 0..15 of the digit after "="
  SimdLevel simd = DetectSimdLevel();  // the fast path used; every level gives the same bytes
};

}  // namespace vortane
