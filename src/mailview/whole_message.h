// Decode > Whole message: the bytes of a frame read as a message (or an
// mbox) and written as the library's text output.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vortane {

struct WholeMessageText {
  std::string utf8;          // the text output, line ends CR LF
  std::size_t messages = 0;  // messages read
  std::size_t parts = 0;     // leaf parts of all messages
  // Text parts carried as 8-bit bytes (no Base64 or Quoted-Printable) whose
  // charset did not read them cleanly: the mark of bytes a frame's display
  // code may have lost.
  std::size_t uncleanParts = 0;
};

// Reads `bytes` as one message, or as an mbox when its first line begins
// "From " (each message then numbered), and gives the text output of each
// with CR LF line ends.
[[nodiscard]] WholeMessageText ReadWholeMessageText(std::string_view bytes);

}  // namespace vortane
