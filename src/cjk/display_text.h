// Showing GB or Big5 bytes as Unicode text and reading them back: the frames'
// display mapping, and the plain conversions used for interface texts and the
// clipboard.
#pragma once

#include <string>
#include <string_view>

#include "cjk/text_code.h"

namespace vortane {

// Characters with a fixed role in displayed frame text.
inline constexpr char16_t kDisplayLineBreak = 0x2029;     // the pair CR LF
inline constexpr char16_t kDisplayBareLineFeed = 0x2028;  // a LF without CR before it
inline constexpr char16_t kDisplayStandInBase = 0xF700;   // U+F700 + byte: a byte shown as itself
inline constexpr char16_t kDisplayStandInLast = 0xF7FF;

// Frame bytes as display text in `code` (Gb or Big5; anything else is taken as
// Gb). CR LF becomes kDisplayLineBreak, a bare LF kDisplayBareLineFeed; tab and
// printable ASCII show as themselves; a double-byte code that `code` maps one to
// one shows as its character; every other byte (bare CR, other control bytes,
// DEL, unmapped or ambiguous pairs, a lone lead byte at the end) shows as the
// stand-in kDisplayStandInBase + byte. The lead of an unmapped pair and its
// trail stay together: a trail below 0x80 then shows by the single-byte rules,
// one of 0x80 or more as a stand-in. DisplayTextToBytes gives back exactly
// `bytes`, for every byte string.
[[nodiscard]] std::u16string BytesToDisplayText(std::string_view bytes, TextCode code);

// Display text back to bytes in `code`: the inverse of BytesToDisplayText. A
// character typed or pasted that `code` cannot hold becomes "?" (one "?" for a
// surrogate pair); ASCII characters, CR and LF included, become their byte.
[[nodiscard]] std::string DisplayTextToBytes(std::u16string_view text, TextCode code);

// Plain conversion of text in `code` to Unicode, for showing interface texts:
// bytes below 0x80 pass unchanged; a byte of 0x80 or more takes the next byte
// as its trail and the pair becomes its character, or U+FFFD when `code` has
// none; a lone lead byte at the end becomes U+FFFD.
[[nodiscard]] std::u16string DecodeText(std::string_view bytes, TextCode code);

// Unicode text to bytes in `code`: ASCII passes, other characters become their
// double-byte code, or "?" when `code` cannot hold them (one "?" for a
// surrogate pair). `complete`, when given, is cleared if any "?" was written
// for a character.
[[nodiscard]] std::string EncodeText(std::u16string_view text, TextCode code,
                                     bool* complete = nullptr);

// Bytes offered to other programs as Unicode clipboard text: DecodeText with
// each CR LF turned into a single LF, the desktop's line end.
[[nodiscard]] std::u16string ClipboardTextFromBytes(std::string_view bytes, TextCode code);

// Unicode clipboard text from another program as bytes in `code`: EncodeText
// with each LF that has no CR before it (and each U+2029) turned into CR LF,
// the frames' line end, and U+2028 into LF.
[[nodiscard]] std::string BytesFromClipboardText(std::u16string_view text, TextCode code);

}  // namespace vortane
