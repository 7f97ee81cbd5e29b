// Strict reading of one UTF-8 character, for the checks on names and JSON text.
#pragma once

#include <cstddef>
#include <string_view>

namespace vortane {

// The length (1-4) of the well-formed UTF-8 character at `pos` of `text`, its
// code point in `cp`; 0 when the bytes there are not well-formed UTF-8
// (overlong forms, surrogates and code points past U+10FFFF included).
[[nodiscard]] inline std::size_t ReadUtf8Character(std::string_view text, std::size_t pos,
                                                   char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(text[pos]);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  std::size_t length = 0;
  char32_t min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
    cp = b0 & 0x1F;
    min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    cp = b0 & 0x0F;
    min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    cp = b0 & 0x07;
    min = 0x10000;
  } else {
    return 0;
  }
  if (pos + length > text.size()) {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(text[pos + i]);
    if ((b & 0xC0) != 0x80) {
      return 0;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return 0;
  }
  return length;
}

}  // namespace vortane
