// GB 18030 both ways: one-, two- and four-byte codes to and from UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "charsets/codec_steps.h"
#include "codec/simd_level.h"

namespace vortane::charsets_detail {

// Decode step (see codec_steps.h). A byte that cannot begin a character (0x80,
// 0xFF), a lead byte whose next bytes do not continue it, and a well-formed
// four-byte code that names no character each give one U+FFFD and add one to
// `unreadable`; after a broken sequence reading resumes at the byte after its
// lead, so ASCII after a stray lead byte survives. A sequence cut off by the
// end of the input is one U+FFFD. Every `simd` level gives the same bytes.
std::size_t DecodeGb18030Step(std::string_view in, bool last, StepOut& out, std::size_t& unreadable,
                              SimdLevel simd);

// Encode step from UTF-8 (see codec_steps.h). Every character has a GB 18030
// code; ill-formed UTF-8 gives "?" and adds one to `counts` per sequence.
std::size_t EncodeGb18030Step(std::string_view utf8, bool last, StepOut& out, EncodeCounts& counts,
                              SimdLevel simd);

}  // namespace vortane::charsets_detail
