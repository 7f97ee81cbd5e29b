// HZ decoding: "~{" enters GB mode (every byte gets 0x80 added modulo 256),
// "~}" returns to ASCII mode.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "codec/byte_stream.h"
#include "codec/simd_level.h"

namespace vortane {

// Frame rule: the byte after a "~" may itself begin an escape.
[[nodiscard]] std::string DecodeHzText(std::string_view text);

// File rule: in ASCII mode the byte after "~" is written at once with it; in GB
// mode "~~" writes one shifted "~" and lets the second begin an escape.
[[nodiscard]] StreamStatus DecodeHzStream(ByteReader& in, ByteWriter& out);

// The file rule as an incremental decoder for PumpStream; the mode and a "~"
// cut off by a block edge are carried to the next block. Finish writes a "~"
// that ended the input. Never Done before the end of the input.
struct HzStreamDecoder {
  // Room FeedInto needs for a block of n bytes.
  [[nodiscard]] std::size_t MaxOutput(std::size_t n) const;
  // Decodes `block` into dst and returns the end of what it wrote.
  char* FeedInto(std::string_view block, char* dst);
  // Appends the bytes decoded from `block` to `out`.
  void Feed(std::string_view block, std::string& out);
  void Finish(std::string& out);
  [[nodiscard]] bool Done() const { return false; }

  bool gbMode = false;                 // between "~{" and "~}"
  bool afterTilde = false;             // a "~" was read and not yet written
  SimdLevel simd = DetectSimdLevel();  // the fast path used; every level gives the same bytes
};

}  // namespace vortane
