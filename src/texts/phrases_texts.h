// Texts of the conversion by phrases in the desktop program: the converter's
// option and regions, and the messages of the converter and the main window's
// commands.
#pragma once

#include <span>

#include "texts/tri_text.h"

namespace vortane::phrases_text {

// The converter: the option and the region list's entries (Taiwan, Taiwan
// with vocabulary, Hong Kong, in the order of PhraseRegion).
extern const TriText kByPhrases;
extern const TriText kRegionTaiwan;
extern const TriText kRegionTaiwanVocabulary;
extern const TriText kRegionHongKong;
// The region list's tip.
extern const TriText kRegionTip;

// The conversion by phrases cannot start: %1 OpenCC's reason.
extern const TriText kOpenccFailed;
// The user's phrase list cannot be read: %1 the file, %2 the cause.
extern const TriText kListUnreadable;
// Lines of the phrase list were skipped: %1 the file, %2 how many.
extern const TriText kListLinesSkipped;
// The converter's success with characters that went by the character rule:
// %1 how many.
extern const TriText kConvertOkWithFallbacks;

// Every text above, for the checks that each converts into its code.
[[nodiscard]] std::span<const TriText* const> PhrasesTexts();

}  // namespace vortane::phrases_text
