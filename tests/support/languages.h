// Interface language numbers as the settings file holds them, for tests that
// run a case in each language (and in the values outside 0..2 a hand-edited
// file may hold).
#pragma once

#include "texts/interface_language.h"

namespace vortane::testing {

inline constexpr int kLanguageGb = 0;
inline constexpr int kLanguageEnglish = 1;
inline constexpr int kLanguageBig5 = 2;

// The setting that holds `number`.
[[nodiscard]] constexpr InterfaceLanguage Lang(int number) {
  return InterfaceLanguage::FromNumber(number);
}

}  // namespace vortane::testing
