// Fills the placeholders of a tri-lingual text with file names and causes.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "cjk/text_code.h"
#include "platform/ui_text.h"
#include "texts/tri_text.h"

namespace vortane {

// Replaces each "%1", "%2", ... in `text` by the argument of that number.
// Placeholders without an argument stay as they are; arguments are not
// searched for placeholders again.
[[nodiscard]] std::string ReplacePlaceholders(std::string_view text,
                                              std::span<const std::string_view> args);

// `text` in `language`, with its
// placeholders filled by `utf8Args` (UTF-8, such as file paths). In a GB or
// Big5 text the arguments are encoded in that code ("?" for what it cannot
// hold). An English text whose arguments are not all ASCII becomes a GB text
// (ASCII is a part of GB), so a Chinese file name still reads right.
[[nodiscard]] UiText FormatText(const TriText& text, Language language,
                                std::initializer_list<std::string_view> utf8Args);

// `utf8` as bytes of `code` (Gb or Big5), "?" for what the code cannot hold.
[[nodiscard]] std::string Utf8ToFrameCode(std::string_view utf8, TextCode code);

}  // namespace vortane
