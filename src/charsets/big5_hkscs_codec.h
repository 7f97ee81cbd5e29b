// Big5-HKSCS both ways: ASCII and two-byte codes to and from UTF-8, four codes
// standing for a letter with a combining mark (Ê̄ Ê̌ ê̄ ê̌).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "charsets/codec_steps.h"
#include "codec/simd_level.h"

namespace vortane::charsets_detail {

// Decode step (see codec_steps.h). 0x80, 0xFF, a lead byte without a trail
// byte after it, and a code that names no character each give one U+FFFD and
// add one to `unreadable`. When the trail byte of a code that names nothing
// is ASCII, reading resumes at that byte; a lead byte cut off by the end of
// the input is one U+FFFD. Every `simd` level gives the same bytes.
std::size_t DecodeBig5HkscsStep(std::string_view in, bool last, StepOut& out,
                                std::size_t& unreadable, SimdLevel simd);

// Writing state: U+00CA and U+00EA are held back until the next character
// shows whether they take one of the combining-mark codes.
struct Big5HkscsWriter {
  char32_t held = 0;
};

// Encode step from UTF-8 (see codec_steps.h). A character without a code, and
// each ill-formed UTF-8 sequence, gives "?" and adds one to `counts`.
std::size_t EncodeBig5HkscsStep(Big5HkscsWriter& writer, std::string_view utf8, bool last,
                                StepOut& out, EncodeCounts& counts, SimdLevel simd);

}  // namespace vortane::charsets_detail
