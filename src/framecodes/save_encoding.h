// File > Save As with an encoding: the target frame's text re-encoded from its
// display code, with what cannot be carried over counted before anything is
// written.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "cjk/display_code.h"

namespace vortane {

// What Save As writes. Bytes writes the frame's bytes unchanged; the others
// read the text in the frame's display code and write it in a code of today:
// UTF-8 without a mark, UTF-16 little-endian with a mark, GB 18030 or
// Big5-HKSCS.
enum class SaveEncoding { Bytes, Utf8, Utf16LeWithMark, Gb18030, Big5Hkscs };

// Every encoding in the order Save As offers them.
inline constexpr std::array<SaveEncoding, 5> kSaveEncodings{
    SaveEncoding::Bytes, SaveEncoding::Utf8, SaveEncoding::Utf16LeWithMark, SaveEncoding::Gb18030,
    SaveEncoding::Big5Hkscs};

// The bytes to write and what did not carry over.
struct SaveText {
  std::string bytes;
  // Characters the encoding cannot hold (each written as "?").
  std::size_t unwritable = 0;
  // Bytes of the frame that its display code cannot read: each byte shown as
  // a stand-in that is neither ASCII nor part of a code naming a character;
  // each is written as U+FFFD, or "?" where the encoding lacks it.
  std::size_t unreadable = 0;
};

// The text Save As writes for `frameBytes`, shown in `code`. The frame's
// characters are read as the frame shows them: ASCII (control bytes and the
// line ends included) as itself, each code that names a character as that
// character (also one shown by stand-ins because another code reads the
// same). Nothing is written here.
[[nodiscard]] SaveText MakeSaveText(std::string_view frameBytes, DisplayCode code,
                                    SaveEncoding encoding);

}  // namespace vortane
