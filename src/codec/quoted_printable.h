// Quoted-Printable decoding: the frame rule (with the double-byte line-break
// repair and escapes split by a soft break) and the simpler file rule.
#pragma once

#include <string>
#include <string_view>

#include "codec/byte_stream.h"

namespace vortane {

// Frame rule. With `recogniseDoubleBytes`, a hard CR LF that falls after the
// lead byte of an escaped double-byte character is moved before that byte.
// Malformed escapes are dropped; the result is never longer than the text.
[[nodiscard]] std::string DecodeQuotedPrintableText(std::string_view text,
                                                    bool recogniseDoubleBytes);

// File rule: "=XX" escapes and "=" CR LF soft breaks; no parity, no split escapes.
[[nodiscard]] StreamStatus DecodeQuotedPrintableStream(ByteReader& in, ByteWriter& out);

}  // namespace vortane
