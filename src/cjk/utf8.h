// UTF-8 decoding: into GB or Big5 text (frame rule) and into big-endian UTF-16
// units (file rule).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "cjk/code_map.h"
#include "cjk/text_code.h"
#include "codec/byte_stream.h"
#include "codec/simd_level.h"

namespace vortane {

// Frame rule: ASCII passes, two-byte forms give their code point's bytes (high
// byte left out when 0), three-byte forms are looked up in `resultCode` (GB or
// Big5) and give the raw code point when not found, longer forms give their
// bits. Every byte sequence decodes; the result may hold 0 bytes. A form cut
// off by the end of the text reads its missing bytes as 0 and ends decoding.
[[nodiscard]] std::string DecodeUtf8Text(std::string_view text, TextCode resultCode);

// The frame rule over a stream, for texts of any size: the same bytes as
// DecodeUtf8Text over the whole input.
[[nodiscard]] StreamStatus DecodeUtf8TextStream(ByteReader& in, ByteWriter& out,
                                                TextCode resultCode);

// File rule: every form to big-endian units (ASCII 00 b, no lookups); a form
// cut off by the end of the input takes its missing bytes as 0xFF.
[[nodiscard]] StreamStatus DecodeUtf8Stream(ByteReader& in, ByteWriter& out);

// The file rule as an incremental decoder for PumpStream: a form split by a
// block edge is kept (at most five bytes) until the next block completes it.
class Utf8StreamDecoder {
 public:
  // Room FeedInto needs for a block of n bytes.
  [[nodiscard]] std::size_t MaxOutput(std::size_t n) const;
  // Decodes `block` into dst and returns the end of what it wrote.
  char* FeedInto(std::string_view block, char* dst);
  // Appends the units decoded from `block` to `out`.
  void Feed(std::string_view block, std::string& out);
  // Ends the input: a form still incomplete is written with 0xFF for each
  // missing byte.
  void Finish(std::string& out);
  // Never done before the end of the input.
  [[nodiscard]] bool Done() const { return false; }

  SimdLevel simd = DetectSimdLevel();  // the fast path used; every level gives the same bytes

 private:
  std::array<unsigned char, 6> partial_{};
  std::size_t partialSize_ = 0;
};

// The frame rule as an incremental decoder for PumpStream; like the file
// rule's decoder it keeps a form split by a block edge.
class Utf8TextDecoder {
 public:
  explicit Utf8TextDecoder(TextCode resultCode);

  // Room FeedInto needs for a block of n bytes.
  [[nodiscard]] std::size_t MaxOutput(std::size_t n) const;
  // Decodes `block` into dst and returns the end of what it wrote.
  char* FeedInto(std::string_view block, char* dst);
  // Appends the text decoded from `block` to `out`.
  void Feed(std::string_view block, std::string& out);
  // Ends the input: a form still incomplete is written with 0 for each
  // missing byte, as DecodeUtf8Text does at the end of its text.
  void Finish(std::string& out);
  // Never done before the end of the input.
  [[nodiscard]] bool Done() const { return false; }

  SimdLevel simd = DetectSimdLevel();  // the fast path used; every level gives the same bytes

 private:
  const CodeMap& codes_;  // the Unicode lookup of the result code
  std::array<unsigned char, 6> partial_{};
  std::size_t partialSize_ = 0;
};

}  // namespace vortane
