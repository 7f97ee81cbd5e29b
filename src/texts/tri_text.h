// Texts in the three interface languages. They are written in the source as
// UTF-8 and turned into GB or Big5 bytes through the code tables when shown.
#pragma once

#include <string>
#include <string_view>

#include "cjk/text_code.h"
#include "platform/ui_text.h"

namespace vortane {

// InterfaceLanguage values.
inline constexpr int kLanguageGb = 0;
inline constexpr int kLanguageEnglish = 1;
inline constexpr int kLanguageBig5 = 2;

// How a place picks a language from `interfaceLanguage`:
// EnglishFirst: 1 English, 0 GB, any other value Big5 (most messages);
// GbBig5First: 0 GB, 2 Big5, any other value English (menus chosen by Setting...,
// the settings dialog's labels, the converter's texts).
enum class LanguageRule { EnglishFirst, GbBig5First };

// One text in English (ASCII), Chinese for GB readers and Chinese for Big5
// readers (both written as UTF-8 here).
struct TriText {
  std::string_view english;
  std::string_view gb;
  std::string_view big5;
};

// The language `interfaceLanguage` stands for under `rule`.
[[nodiscard]] int ResolveLanguage(int interfaceLanguage, LanguageRule rule);

// The text in that language, as GB bytes, Big5 bytes or ASCII.
[[nodiscard]] UiText Choose(const TriText& text, int interfaceLanguage,
                            LanguageRule rule = LanguageRule::EnglishFirst);

// UTF-8 text encoded as GB or Big5 bytes (ASCII passes). A character the code
// cannot hold becomes "?" and clears `*complete` when given.
[[nodiscard]] std::string EncodeUtf8As(std::string_view utf8, TextCode code,
                                       bool* complete = nullptr);

// An ASCII text shown in every language.
[[nodiscard]] inline UiText Ascii(std::string_view text) {
  return UiText{std::string(text), UiCode::Ascii};
}

}  // namespace vortane
