// One unit of frame bytes in a display code, and one character written back:
// the pieces the display mapping, the clipboard texts and Save As share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cjk/display_code.h"

namespace vortane::framecodes_detail {

// What the frame bytes at one position are.
enum class UnitKind : std::uint8_t {
  Ascii,      // one byte below 0x80
  Character,  // a code shown as its character(s): reading the character back
              // gives the same bytes, and it stands for nothing else in display text
  Hidden,     // a code that reads as character(s) but is shown as stand-ins
              // (another code reads as the same, or the character is reserved)
  Unknown,    // a well-formed code that names no character
  Broken,     // one byte that begins no code
};

struct FrameUnit {
  UnitKind kind = UnitKind::Broken;
  std::uint8_t length = 1;  // bytes used
  std::uint8_t count = 0;   // characters read (Character, Hidden): 1 or 2
  char32_t points[2] = {0, 0};
};

// Reads the unit at the start of `bytes` (not empty) in `code`.
//   Gb, Big5: a byte of 0x80 or more takes the next byte as its trail,
//     whatever it is, and the pair is looked up in the program's table. A pair
//     the table lacks is Unknown when its trail is 0x80 or more (the trail
//     stays with its lead) and leaves a Broken lead otherwise; a lone last
//     lead is Broken.
//   Gb18030: one-, two- and four-byte codes; 0x80, 0xFF and a lead its next
//     bytes do not continue are Broken; a four-byte code outside the table's
//     ranges is Unknown.
//   Big5Hkscs: lead 0x81..0xFE with trail 0x40..0x7E or 0xA1..0xFE; a pair
//     that names nothing is Unknown, or leaves a Broken lead when its trail is
//     ASCII; four codes read as a letter and a combining mark (count 2).
//   Utf8: well-formed sequences of the Unicode standard; each byte of an
//     ill-formed one is Broken.
[[nodiscard]] FrameUnit ReadFrameUnit(std::string_view bytes, DisplayCode code);

// True for characters that display text uses for itself (line breaks, the
// stand-ins) or that the text widgets treat specially, and for controls and
// noncharacters: a code that reads as one of them is shown by stand-ins.
[[nodiscard]] bool IsReservedForDisplay(char32_t point);

// How AppendCharacter treats the private-use stand-ins U+F700..U+F7FF.
enum class StandIns : std::uint8_t {
  AreBytes,       // display text: a stand-in is the byte it stands for
  AreCharacters,  // text from other programs: an ordinary character
};

// Appends the bytes of the character at text[i] in `code` and returns the
// index of the last UTF-16 unit used: a surrogate pair is one character, and
// under Big5Hkscs a letter with its combining mark may be one code. ASCII is
// its byte. A character `code` cannot hold, and a lone surrogate, becomes "?"
// and adds one to `unheld`.
std::size_t AppendCharacter(DisplayCode code, std::u16string_view text, std::size_t i,
                            StandIns standIns, std::string& out, std::size_t& unheld);

// Appends `point` (a scalar value) to UTF-16 text.
void AppendUtf16(char32_t point, std::u16string& out);

// Appends `point` (a scalar value) to UTF-8 text.
void AppendUtf8(char32_t point, std::string& out);

}  // namespace vortane::framecodes_detail
