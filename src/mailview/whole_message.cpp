#include "mailview/whole_message.h"

#include <optional>

#include "codec/byte_stream.h"
#include "mail/message_output.h"
#include "mail/message_reading.h"
#include "mail/message_stream.h"

namespace vortane {
namespace {

// LF line ends as CR LF; a CR LF already there stays one.
std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
      out.push_back('\r');
    }
    out.push_back(text[i]);
  }
  return out;
}

bool CarriedAsBytes(const DecodedPart& part) {
  return part.transferEncoding != "base64" && part.transferEncoding != "quoted-printable";
}

}  // namespace

WholeMessageText ReadWholeMessageText(std::string_view bytes) {
  WholeMessageText result;
  StringReader in(bytes);
  MessageStreamReader reader(in);
  std::string message;
  std::string text;
  while (reader.Next(message)) {
    ++result.messages;
    const DecodedMessage decoded = ReadMessage(message);
    AppendMessageText(text, decoded,
                      reader.IsMbox() ? std::optional<std::size_t>(result.messages) : std::nullopt);
    result.parts += decoded.parts.size();
    for (const DecodedPart& part : decoded.parts) {
      const bool failedDeclared = part.charsetGuessed && part.declaredCode.has_value();
      if (part.text && CarriedAsBytes(part) && (part.unreadable > 0 || failedDeclared)) {
        ++result.uncleanParts;
      }
    }
    message.clear();
  }
  result.utf8 = WithCrLf(text);
  return result;
}

}  // namespace vortane
