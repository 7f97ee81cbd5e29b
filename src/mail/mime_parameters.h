// MIME header values with parameters (Content-Type, Content-Disposition):
// tolerant tokens and quoted strings, comments, and RFC 2231 extended values
// (continuations, percent escapes, charset'language').
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vortane {

// One parameter after its sections were put together.
struct MimeParameter {
  std::string name;          // lower case, without "*" and section numbers
  std::string value;         // bytes: unquoted, sections joined, percent escapes decoded
  std::string charsetLabel;  // charset named by an extended value ("" when none)
};

struct MimeHeaderValue {
  std::string value;  // before the first ";": lower case, comments and blanks removed
  std::vector<MimeParameter> parameters;  // in the order their names first appear
};

// Reads an unfolded header value such as `text/plain; charset="gb2312"`.
// Tolerates blanks around "=", a missing closing quote (the value runs to the
// end), stray ";", comments, and parameters without a value (dropped).
// Extended sections (name*0*=, name*1=, name*=) are joined as bytes in section
// order before any charset is applied, so a character split across sections
// stays whole; an extended value wins over a plain one of the same name.
[[nodiscard]] MimeHeaderValue ParseMimeHeaderValue(std::string_view unfoldedValue);

// The parameter called `name` (lower case), or nullptr.
[[nodiscard]] const MimeParameter* FindMimeParameter(const MimeHeaderValue& header,
                                                     std::string_view name);

}  // namespace vortane
