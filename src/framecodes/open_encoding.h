// File > Open with an encoding: the text of a file for the source frame, read
// as its bytes or turned into UTF-8.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "cjk/display_code.h"

namespace vortane {

// How Open reads a file. Bytes shows the file's bytes as they are (the frame
// keeps its display code); the others turn the text into UTF-8 for a frame
// shown as UTF-8.
enum class OpenEncoding { Bytes, Utf8, Utf16Le, Utf16Be, Gb18030, Big5Hkscs };

// Every encoding in the order Open offers them.
inline constexpr std::array<OpenEncoding, 6> kOpenEncodings{
    OpenEncoding::Bytes,   OpenEncoding::Utf8,    OpenEncoding::Utf16Le,
    OpenEncoding::Utf16Be, OpenEncoding::Gb18030, OpenEncoding::Big5Hkscs};

// The longest text Open puts into the source frame, in bytes.
inline constexpr std::size_t kOpenTextLimit = 65535;
// How much of a file Open reads: enough for a text of kOpenTextLimit bytes
// and one more in every encoding (each input byte gives at least half a byte
// of UTF-8), plus a mark.
inline constexpr std::size_t kOpenReadLimit = 2 * (kOpenTextLimit + 1) + 4;

// The encoding a file's byte-order mark names: EF BB BF UTF-8, FF FE UTF-16LE,
// FE FF UTF-16BE; nullopt when `head` (the file's first bytes) has none.
[[nodiscard]] std::optional<OpenEncoding> MarkedOpenEncoding(std::string_view head);

// The source frame's text made from a file.
struct OpenedText {
  std::string bytes;
  // The display code the frame takes; nullopt keeps the frame's own.
  std::optional<DisplayCode> displayCode;
  // Byte sequences of the kept text that the encoding could not read (each is
  // a U+FFFD in the text).
  std::size_t unreadable = 0;
  // The text was shortened: it ended at a 0 byte, or at kOpenTextLimit bytes.
  bool cut = false;
};

// The source frame's text from the first bytes of a file, `head`: all of it,
// or its first kOpenReadLimit bytes (a shorter `head` is the whole file).
// Bytes: the bytes up to the first 0 byte, at most kOpenTextLimit of them.
// Otherwise the text is read in the encoding (a mark of that encoding at the
// start dropped, unreadable sequences as U+FFFD) into UTF-8, which is then cut
// at its first 0 byte and to at most kOpenTextLimit bytes, at a character's
// end.
[[nodiscard]] OpenedText MakeOpenedText(std::string_view head, OpenEncoding encoding);

}  // namespace vortane
