// HZ and UTF-7 to and from UTF-8, each built on this program's own rule for
// reading the code: HZ text is unwrapped by the HZ frame rule and read as
// GB 18030; UTF-7 text is turned into big-endian units by the UTF-7 rule and
// read as UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "charsets/codec_steps.h"

namespace vortane::charsets_detail {

// The HZ frame rule as a stream: "~{" enters GB mode, "~}" leaves it, every
// other byte is written with 0x80 added in GB mode; the byte after a "~" may
// itself begin an escape, and a "~" at the very end is written alone.
struct HzFrameReader {
  bool gbMode = false;
  bool afterTilde = false;
};

// Appends the GB bytes of `block` to `out`.
void UnwrapHzFrames(HzFrameReader& reader, std::string_view block, std::string& out);
// Ends the input.
void FinishHzFrames(HzFrameReader& reader, std::string& out);

// HZ writing state. Characters with a two-byte GB code whose bytes both lie in
// 0xA1..0xFE are written in GB mode; everything else ASCII or "?". Where a
// written "~" would meet a "{" or "}" and make an escape of them, an empty
// escape pair is put between, so the frame rule reads back what was written.
struct HzWriter {
  bool gbMode = false;
  bool lastWasTilde = false;  // the last byte written was "~"
};

// Encode step from UTF-8 (see codec_steps.h). A character HZ cannot hold, and
// each ill-formed UTF-8 sequence, gives "?" and adds one to `counts`.
std::size_t EncodeHzStep(HzWriter& writer, std::string_view utf8, bool last, StepOut& out,
                         EncodeCounts& counts);

// UTF-7 writing state: inside a Base64 run, the bits not yet written.
struct Utf7Writer {
  bool inRun = false;
  std::uint32_t bits = 0;
  int bitCount = 0;
};

// Encode step from UTF-8 (see codec_steps.h). Letters, digits, blanks and the
// punctuation UTF-7 lets stand are written as they are, "+" as "+-", every
// other character in a Base64 run of UTF-16 units closed by "-". Ill-formed
// UTF-8 gives "?" and adds one to `counts` per sequence.
std::size_t EncodeUtf7Step(Utf7Writer& writer, std::string_view utf8, bool last, StepOut& out,
                           EncodeCounts& counts);

}  // namespace vortane::charsets_detail
