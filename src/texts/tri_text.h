// Texts in the three interface languages. They are written in the source as
// UTF-8 and turned into GB or Big5 bytes through the code tables when shown.
#pragma once

#include <string>
#include <string_view>

#include "cjk/text_code.h"
#include "platform/ui_text.h"
#include "texts/interface_language.h"

namespace vortane {

// One text in English (ASCII), Chinese for GB readers and Chinese for Big5
// readers (both written as UTF-8 here).
struct TriText {
  std::string_view english;
  std::string_view gb;
  std::string_view big5;
};

// The text in `language`, as GB bytes, Big5 bytes or ASCII. Callers pick the
// language from the setting with InterfaceLanguage::ForMessages or ForLabels.
[[nodiscard]] UiText Choose(const TriText& text, Language language);

// UTF-8 text encoded as GB or Big5 bytes (ASCII passes). A character the code
// cannot hold becomes "?" and clears `*complete` when given.
[[nodiscard]] std::string EncodeUtf8As(std::string_view utf8, TextCode code,
                                       bool* complete = nullptr);

// An ASCII text shown in every language.
[[nodiscard]] inline UiText Ascii(std::string_view text) {
  return UiText{std::string(text), UiCode::Ascii};
}

}  // namespace vortane
