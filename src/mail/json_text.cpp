#include "mail/json_text.h"

#include "mail/utf8_character.h"

namespace vortane {

void AppendJsonString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out.push_back('"');
  std::size_t pos = 0;
  while (pos < text.size()) {
    // Plain printable ASCII goes in runs.
    std::size_t run = pos;
    while (run < text.size()) {
      const auto b = static_cast<unsigned char>(text[run]);
      if (b < 0x20 || b >= 0x80 || b == '"' || b == '\\') {
        break;
      }
      ++run;
    }
    out.append(text, pos, run - pos);
    pos = run;
    if (pos == text.size()) {
      break;
    }
    const char c = text[pos];
    switch (c) {
      case '"':
        out += "\\\"";
        ++pos;
        continue;
      case '\\':
        out += "\\\\";
        ++pos;
        continue;
      case '\n':
        out += "\\n";
        ++pos;
        continue;
      case '\r':
        out += "\\r";
        ++pos;
        continue;
      case '\t':
        out += "\\t";
        ++pos;
        continue;
      case '\b':
        out += "\\b";
        ++pos;
        continue;
      case '\f':
        out += "\\f";
        ++pos;
        continue;
      default:
        break;
    }
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20) {
      out += "\\u00";
      out.push_back(kHex[b >> 4]);
      out.push_back(kHex[b & 0x0F]);
      ++pos;
      continue;
    }
    char32_t cp = 0;
    const std::size_t length = ReadUtf8Character(text, pos, cp);
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      ++pos;
    } else if (cp == 0x2028 || cp == 0x2029) {
      out += cp == 0x2028 ? "\\u2028" : "\\u2029";
      pos += length;
    } else {
      out.append(text, pos, length);
      pos += length;
    }
  }
  out.push_back('"');
}

}  // namespace vortane
