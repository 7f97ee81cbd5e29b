// A whole message read: its header fields as text, and each leaf part with
// its transfer encoding undone and, for text parts, its text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "charsets/charset.h"
#include "mail/charset_guesser.h"
#include "mail/mail_limits.h"
#include "mail/message_structure.h"

namespace vortane {

struct DecodedHeader {
  std::string name;   // as written
  std::string value;  // text (UTF-8), see DecodeHeaderText
};

struct DecodedPart {
  std::size_t index = 0;        // 1, 2, ... in the order the parts stand
  std::string contentType;      // "type/subtype", lower case
  std::string declaredCharset;  // the charset label, lower case, "" when none
  std::optional<Charset>
      declaredCode;  // what that label reads as (us-ascii as UTF-8; nullopt: none or unknown)
  std::optional<Charset> charset;       // the code the text was read with (text parts only)
  bool charsetGuessed = false;          // the declared charset was missing, unknown or failed
  std::string transferEncoding;         // lower case, "" when absent
  std::optional<std::string> fileName;  // text (UTF-8), from the disposition or the type
  bool attachment = false;              // saved by an extraction (see ReadMessage)
  std::string content;                  // the bytes with the transfer encoding undone
  std::optional<std::string> text;      // UTF-8 text of a text/* part
  std::size_t unreadable = 0;           // byte sequences of the text that became U+FFFD
};

struct DecodedMessage {
  std::vector<DecodedHeader> headers;  // every top-level field, in order
  std::vector<DecodedPart> parts;      // the leaf parts, in order
  std::vector<MailProblem> problems;   // bounds the message reached
};

struct MailReadingOptions {
  MailLimits limits;
  // Chooses a charset where the declared one is missing, unknown or failing;
  // empty means GuessByReading (the automatic-repair module).
  CharsetGuesser guess;
};

// Reads `message` (the bytes of one message). Parts are found by
// ReadMessageStructure. Each part's body is undone by DecodeTransferEncoding;
// a Quoted-Printable text part declared in a GB- or Big5-family charset then
// gets the double-byte repair. A text/* part is read by ReadTextBytes with its
// declared charset. The file name is the disposition's "filename", else the
// type's "name": an RFC 2231 value is read in its own charset, any other as
// header text (encoded-words inside quotes included). A part is an attachment
// when its disposition is "attachment", it has a file name, or it is not
// text/*. Header values are read by DecodeHeaderText, with the HZ rule when
// the message's own Content-Type declares HZ.
[[nodiscard]] DecodedMessage ReadMessage(std::string_view message,
                                         const MailReadingOptions& options = {});

}  // namespace vortane
