// Texts of today's codes in the desktop program: the encodings offered by
// Open and Save As, their questions and reports, and the converter's report of
// what did not convert. Chosen with LanguageRule::EnglishFirst, except the
// converter's, which follow its other texts (LanguageRule::GbBig5First).
#pragma once

#include <span>

#include "texts/tri_text.h"

namespace vortane::codes_text {

// File > Open: the encoding question after the file is chosen.
extern const TriText kOpenEncodingTitle;  // dialog title
extern const TriText kOpenEncodingLabel;  // %1 the file
extern const TriText kOpenBytes;          // the default: the bytes shown as they are
extern const TriText kMarkFound;          // added after the encoding a byte-order mark names
// %1 count, %2 the file, %3 the encoding's name.
extern const TriText kOpenUnreadable;

// File > Save As: the encoding question, and the question about losses.
extern const TriText kSaveEncodingTitle;
extern const TriText kSaveEncodingLabel;
extern const TriText kSaveBytes;            // the default: the bytes unchanged
extern const TriText kSaveUtf16LeWithMark;  // UTF-16LE with a byte-order mark
// %1 the encoding's name, %2 unwritable characters, %3 unreadable bytes, %4 the
// display code's name. Yes saves, No cancels.
extern const TriText kSaveLossQuestion;
extern const TriText kSaveLossCaption;

// The status line: the display code chooser's tip.
extern const TriText kDisplayCodeTip;

// The converter: the conversion ran to its end but did not carry everything
// over; %1 unwritable characters, %2 unreadable byte sequences.
extern const TriText kConvertedWithLosses;

// Every text above, for the checks that each converts into its code.
[[nodiscard]] std::span<const TriText* const> CodesTexts();

}  // namespace vortane::codes_text
