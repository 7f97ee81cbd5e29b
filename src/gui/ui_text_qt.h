// Interface texts as Qt strings.
#pragma once

#include <QString>
#include <string_view>

#include "cjk/text_code.h"
#include "platform/ui_text.h"

namespace vortane {

// The text decoded from its code: ASCII as Latin-1, GB and Big5 through the
// code tables (unknown pairs as U+FFFD).
[[nodiscard]] QString ToQString(const UiText& text);

// Bytes in `code` (Gb or Big5) as a Qt string, plain conversion.
[[nodiscard]] QString BytesToQString(std::string_view bytes, TextCode code);

// A UTF-8 caption (the menu tables) as a Qt string.
[[nodiscard]] QString Utf8ToQString(std::string_view utf8);

}  // namespace vortane
