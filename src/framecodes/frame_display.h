// The frames' display mapping in every display code: frame bytes shown as
// Unicode text and read back without loss.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cjk/display_code.h"

namespace vortane {

// Frame bytes as display text in `code`. Gb and Big5 show as BytesToDisplayText
// does. Under the other codes: CR LF becomes U+2029, a bare LF U+2028; tab and
// printable ASCII show as themselves; a code that reads back as the same bytes
// shows as its character (a surrogate pair beyond the BMP); every other byte
// shows as the stand-in U+F700 + byte: control bytes, bytes that begin no code
// or whose code names nothing, and codes whose character would not read back
// as the same bytes (another code reads as it too, or display text uses it for
// itself, as U+2028, U+2029 and the stand-ins). FrameDisplayToBytes gives
// back exactly `bytes`, for every byte string.
[[nodiscard]] std::u16string BytesToFrameDisplay(std::string_view bytes, DisplayCode code);

// Display text back to bytes in `code`: the inverse of BytesToFrameDisplay.
// U+2029 is CR LF, U+2028 LF, a stand-in its byte; a character typed or pasted
// that `code` cannot hold becomes "?" (one for a surrogate pair) and is
// counted in `*unheld` when given.
[[nodiscard]] std::string FrameDisplayToBytes(std::u16string_view text, DisplayCode code,
                                              std::size_t* unheld = nullptr);

// Where each position of display text falls in the bytes it reads back as:
// element i is the number of bytes text[0, i) reads back as, for i from 0 to
// text.size(). A position inside one character (between the halves of a
// surrogate pair, or between the letter and the mark of a Big5-HKSCS code)
// takes the offset of the character's start.
[[nodiscard]] std::vector<std::size_t> FrameDisplayByteOffsets(std::u16string_view text,
                                                               DisplayCode code);

}  // namespace vortane
