// Whole-text conversion between any code of the charsets library and UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "charsets/charset.h"

namespace vortane {

// UTF-8 text and the number of byte sequences that could not be read (each
// became U+FFFD).
struct DecodedText {
  std::string utf8;
  std::size_t unreadable = 0;
};

// Reads `bytes` as `charset` into UTF-8; what the code cannot read becomes
// U+FFFD and is counted. Never fails.
[[nodiscard]] DecodedText DecodeToUtf8(Charset charset, std::string_view bytes);

// Bytes of a code and the number of characters that could not be written
// (each became "?").
struct EncodedText {
  std::string bytes;
  std::size_t unwritable = 0;
};

// Writes UTF-8 `utf8` as `charset`; a character the code cannot hold becomes
// "?" and is counted, and so does each ill-formed UTF-8 sequence. Never fails.
[[nodiscard]] EncodedText EncodeFromUtf8(Charset charset, std::string_view utf8);

}  // namespace vortane
