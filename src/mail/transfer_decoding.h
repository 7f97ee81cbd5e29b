// A part's body with its transfer encoding undone, and the double-byte repair
// for line breaks that fall inside a character.
#pragma once

#include <string>
#include <string_view>

namespace vortane {

// The bytes of `body` under the transfer encoding `encoding` (lower case):
// "base64" by the Base64 file rule (it ends at the first byte outside the
// alphabet, "=" padding included), "quoted-printable" by the Quoted-Printable
// frame rule without its escape-parity repair (CR LF or a bare LF line end
// after "=" is a soft break; malformed escapes are dropped); any other
// encoding (7bit, 8bit, binary, unknown or none) gives the body unchanged.
[[nodiscard]] std::string DecodeTransferEncoding(std::string_view body, std::string_view encoding);

// The double-byte families whose characters a line break can split.
enum class DoubleByteFamily { Gb, Big5 };

// Double-byte repair: where a hard line break (CR LF or a bare LF, one or
// more) stands right after the lead byte of a character and a byte that can
// be its second byte follows the break, the lead byte is moved after the
// break, next to its second byte. Characters are found from the start of the
// text by the family's byte ranges (lead 81-FE; second byte 40-7E or 80-FE,
// or 30-39 for GB18030's four-byte form, in the GB family; 40-7E or A1-FE in
// the Big5 family), so second bytes in the ASCII range are never mistaken for
// lead bytes. Everything else is unchanged.
[[nodiscard]] std::string MendLineBreaksInsideCharacters(std::string_view bytes,
                                                         DoubleByteFamily family);

}  // namespace vortane
