// UTF-7 decoding: into big-endian units, and from units into GB or Big5 text.
#pragma once

#include <string>
#include <string_view>

#include "cjk/text_code.h"
#include "codec/byte_stream.h"

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

}  // namespace vortane
