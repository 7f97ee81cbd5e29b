// The steps a reading may take before its final code: each turns bytes into
// other bytes, undoing one thing that happened to the text on its way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vortane {

enum class RepairStep {
  Base64,                   // Base64 transfer encoding
  QuotedPrintable,          // Quoted-Printable
  QuotedPrintableRepaired,  // Quoted-Printable with the double-byte line-break repair
  Hz,                       // HZ escapes ("~{" ... "~}") around stripped GB
  Utf7,                     // UTF-7; gives UTF-8
  EighthBit,                // GB whose eighth bit a 7-bit path stripped
  ShownAsLatin1,            // bytes shown as Latin-1 and stored as UTF-8
  ShownAsCp1252,            // bytes shown as CP1252 and stored as UTF-8
  ShownAsGbk,               // bytes shown as GBK and stored as UTF-8
  ShownAsBig5,              // bytes shown as Big5 and stored as UTF-8
};

// Every step, in the order the search tries them.
inline constexpr RepairStep kRepairSteps[] = {
    RepairStep::Base64,
    RepairStep::QuotedPrintable,
    RepairStep::QuotedPrintableRepaired,
    RepairStep::Hz,
    RepairStep::Utf7,
    RepairStep::EighthBit,
    RepairStep::ShownAsLatin1,
    RepairStep::ShownAsCp1252,
    RepairStep::ShownAsGbk,
    RepairStep::ShownAsBig5,
};

// The step's name in words ("Base64", "Quoted-Printable", "shown as CP1252").
[[nodiscard]] std::string_view RepairStepName(RepairStep step);

// The bytes `step` gives for `bytes`, or nothing when the text does not look
// like what the step undoes (no escapes, not 7-bit, not Base64 throughout, not
// UTF-8 ...) or the step would change nothing:
// - Base64: the whole text is Base64 (line breaks and trailing blanks aside,
//   at most two "=" at its end, no group cut to one character; whatever
//   follows the line of the padding is not decoded) with both
//   cases and a digit, "+", "/" or "=" (or 24 characters at least), decoded
//   with the end of the text ending the last group;
// - Quoted-Printable: an escape or soft line break, and nine in ten "=" begin
//   one;
//   the repaired one only where the double-byte repair moves a line break
//   and the plain decoding is clean in none of the final codes (an encoder
//   broke a line between the two bytes of a character);
// - HZ: at least one "~{";
// - UTF-7: 7-bit text with a "+" opening a run of at least three Base64
//   characters, whose runs give mostly CJK characters and punctuation; the
//   units come out as
//   UTF-8 (a lone surrogate as U+FFFD);
// - EighthBit: SetEighthBit, on text that is none of these (they are 7-bit
//   too): Base64 (no blanks, nine tenths of it Base64's alphabet),
//   Quoted-Printable, HZ or UTF-7 as above;
// - ShownAs...: UndoShownAs; shown as GBK or Big5 only when three quarters of
//   the non-ASCII characters are not Latin letters (a wrong Chinese code shows
//   ideographs, kana, Greek, Cyrillic; accented Latin text is meant).
[[nodiscard]] std::optional<std::string> TakeRepairStep(RepairStep step, std::string_view bytes);

}  // namespace vortane
