// The Edit menu's line transformations of the target text: Word Wrap, Add mark
// and Remove mark.
#pragma once

#include <string>
#include <string_view>

namespace vortane {

// Breaks lines after `width` bytes with CR LF; only CR resets the line count.
// With `recogniseDoubleBytes`, a break that would split a double-byte character
// (odd count of high bytes since the last inserted break) comes one byte later.
[[nodiscard]] std::string WordWrap(std::string_view text, int width, bool recogniseDoubleBytes);

// Puts the first byte of `mark` at the start of the text and after every LF.
// An empty mark, or a NUL mark, leaves the text unchanged.
[[nodiscard]] std::string AddMark(std::string_view text, std::string_view mark);

// Takes one mark off the start of the text and off the byte after every LF.
// An empty mark, or a NUL mark, leaves the text unchanged.
[[nodiscard]] std::string RemoveMark(std::string_view text, std::string_view mark);

}  // namespace vortane
