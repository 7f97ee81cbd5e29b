// Texts of the automatic repair in the desktop program: the dialog's title and
// labels, the message when nothing reads as Chinese, and the chain in words.
// Chosen with the messages' reading of the interface language.
#pragma once

#include <span>

#include "texts/tri_text.h"

namespace vortane::repair_text {

extern const TriText kTitle;          // the dialog's title
extern const TriText kReadingsLabel;  // above the ranked readings
extern const TriText kPreviewLabel;   // above the preview of the reading chosen
extern const TriText kNoReading;      // nothing reads as Chinese; the frames stay

// The chain in words: the steps' names joined by kThen, the final code last.
extern const TriText kThen;  // ", then "
extern const TriText kStepBase64;
extern const TriText kStepQuotedPrintable;
extern const TriText kStepQuotedPrintableRepaired;
extern const TriText kStepHz;
extern const TriText kStepUtf7;
extern const TriText kStepEighthBit;
extern const TriText kStepShownAsLatin1;
extern const TriText kStepShownAsCp1252;
extern const TriText kStepShownAsGbk;
extern const TriText kStepShownAsBig5;

// Every text above, for the checks that each converts into its code.
[[nodiscard]] std::span<const TriText* const> RepairTexts();

}  // namespace vortane::repair_text
