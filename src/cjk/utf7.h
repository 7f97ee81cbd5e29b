// UTF-7 decoding: into big-endian units, and from units into GB or Big5 text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cjk/text_code.h"
#include "codec/byte_stream.h"
#include "codec/simd_level.h"

namespace vortane {

// Ordinary bytes become units 00 b; "+-" gives 00 2B; "+" opens a Base64 run
// whose bytes are written as they come; a "-" closing a run is dropped.
[[nodiscard]] std::string Utf7ToUnits(std::string_view text);

// Reads units two bytes at a time: 00 y gives y; other units are looked up in
// `resultCode` (GB or Big5) and give the found code or the unit's two bytes. A
// lone last byte is written unchanged.
[[nodiscard]] std::string UnitsToText(std::string_view units, TextCode resultCode);

// Utf7ToUnits followed by UnitsToText, in memory; the whole result is kept.
[[nodiscard]] std::string DecodeUtf7Text(std::string_view text, TextCode resultCode);

// Utf7ToUnits over a stream (the UTF-7 -> Unicode file command).
[[nodiscard]] StreamStatus DecodeUtf7Stream(ByteReader& in, ByteWriter& out);

// Utf7ToUnits as an incremental decoder for PumpStream. Its state is where it
// stands (ordinary text, just after a "+", inside a Base64 run) and, inside a
// run, how many values of the current group it has taken; a group's bytes are
// written as soon as their values are known, so nothing is held back.
class Utf7Decoder {
 public:
  // Room FeedInto needs for a block of n bytes.
  [[nodiscard]] std::size_t MaxOutput(std::size_t n) const;
  // Decodes `block` into dst and returns the end of what it wrote.
  char* FeedInto(std::string_view block, char* dst);
  // Appends the units decoded from `block` to `out`.
  void Feed(std::string_view block, std::string& out);
  // Ends the input. A "+" at the very end, or a run's lone last value, gives
  // nothing; everything else has already been written.
  void Finish(std::string& out);
  // Never done before the end of the input.
  [[nodiscard]] bool Done() const { return false; }

  SimdLevel simd = DetectSimdLevel();  // the fast path used; every level gives the same bytes

 private:
  enum class Mode : std::uint8_t { Text, AfterPlus, Run };
  Mode mode_ = Mode::Text;
  int place_ = 0;           // values of the current group taken so far, 0..3
  std::uint32_t last_ = 0;  // the value taken last inside a run
};

}  // namespace vortane
