// The codes through which a frame shows its bytes.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "cjk/text_code.h"

namespace vortane {

// A frame's display code. Gb and Big5 read double-byte codes through the
// program's own tables (GB 2312 and Big5); the others read every character of
// today's codes (GB 18030 with its four-byte codes, Big5 with the Hong Kong
// additions, UTF-8). Gb and Big5 keep the numbers of TextCode.
enum class DisplayCode { Gb = 0, Big5 = 1, Gb18030 = 3, Big5Hkscs = 4, Utf8 = 5 };

// Every display code in the order the status line offers them.
inline constexpr std::array<DisplayCode, 5> kDisplayCodes{DisplayCode::Gb, DisplayCode::Gb18030,
                                                          DisplayCode::Big5, DisplayCode::Big5Hkscs,
                                                          DisplayCode::Utf8};

// The name the status line shows: "GB", "GB18030", "Big5", "Big5-HKSCS", "UTF-8".
[[nodiscard]] constexpr std::string_view DisplayCodeName(DisplayCode code) {
  switch (code) {
    case DisplayCode::Gb:
      return "GB";
    case DisplayCode::Big5:
      return "Big5";
    case DisplayCode::Gb18030:
      return "GB18030";
    case DisplayCode::Big5Hkscs:
      return "Big5-HKSCS";
    case DisplayCode::Utf8:
      return "UTF-8";
  }
  return "GB";
}

// The display code a name reads as (exactly as DisplayCodeName writes it), or
// nullopt.
[[nodiscard]] constexpr std::optional<DisplayCode> DisplayCodeNamed(std::string_view name) {
  for (const DisplayCode code : kDisplayCodes) {
    if (DisplayCodeName(code) == name) {
      return code;
    }
  }
  return std::nullopt;
}

// The display code of a text code: Big5 for Big5, Gb for the others.
[[nodiscard]] constexpr DisplayCode DisplayCodeOf(TextCode code) {
  return code == TextCode::Big5 ? DisplayCode::Big5 : DisplayCode::Gb;
}

// The text code a display code of the program's own tables is: Gb or Big5;
// nullopt for the others.
[[nodiscard]] constexpr std::optional<TextCode> TableTextCode(DisplayCode code) {
  if (code == DisplayCode::Gb) {
    return TextCode::Gb;
  }
  if (code == DisplayCode::Big5) {
    return TextCode::Big5;
  }
  return std::nullopt;
}

}  // namespace vortane
