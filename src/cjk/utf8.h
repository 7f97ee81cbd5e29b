// UTF-8 decoding: into GB or Big5 text (frame rule) and into big-endian UTF-16
// units (file rule).
#pragma once

#include <string>
#include <string_view>

#include "cjk/text_code.h"
#include "codec/byte_stream.h"

namespace vortane {

// Frame rule: ASCII passes, two-byte forms give their code point's bytes (high
// byte left out when 0), three-byte forms are looked up in `resultCode` (GB or
// Big5) and give the raw code point when not found, longer forms give their
// bits. Every byte sequence decodes; the result may hold 0 bytes.
[[nodiscard]] std::string DecodeUtf8Text(std::string_view text, TextCode resultCode);

// File rule: every form to big-endian units (ASCII 00 b, no lookups); a form
// cut off by the end of the input takes its missing bytes as 0xFF.
[[nodiscard]] StreamStatus DecodeUtf8Stream(ByteReader& in, ByteWriter& out);

}  // namespace vortane
