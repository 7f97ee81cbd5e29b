// HZ decoding: "~{" enters GB mode (every byte gets 0x80 added modulo 256),
// "~}" returns to ASCII mode.
#pragma once

#include <string>
#include <string_view>

#include "codec/byte_stream.h"

namespace vortane {

// Frame rule: the byte after a "~" may itself begin an escape.
[[nodiscard]] std::string DecodeHzText(std::string_view text);

// File rule: in ASCII mode the byte after "~" is written at once with it; in GB
// mode "~~" writes one shifted "~" and lets the second begin an escape.
[[nodiscard]] StreamStatus DecodeHzStream(ByteReader& in, ByteWriter& out);

}  // namespace vortane
