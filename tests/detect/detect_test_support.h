// Simple reference encoders that garble text the ways the detector undoes.
#pragma once

#include <string>
#include <string_view>

#include "charsets/charset.h"

namespace vortane::testing {

// `utf8` written in `code` (every character must fit).
std::string Encode(Charset code, std::string_view utf8);
// Base64 in lines of 76 characters with CR LF, padded with "=".
std::string Base64Lines(std::string_view bytes);
// Quoted-Printable: every byte of 0x80 or more and "=" escaped, CR LF kept.
std::string QuotedPrintable(std::string_view bytes);
// Each byte shown as Latin-1 and the shown text stored as UTF-8.
std::string ShownAsLatin1(std::string_view bytes);
// Every byte with its eighth bit cleared.
std::string StripEighthBit(std::string_view bytes);

}  // namespace vortane::testing
