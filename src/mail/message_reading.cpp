#include "mail/message_reading.h"

#include "charsets/label_map.h"
#include "mail/ascii_text.h"
#include "mail/header_text.h"
#include "mail/text_reading.h"
#include "mail/transfer_decoding.h"

namespace vortane {
namespace {

std::optional<DoubleByteFamily> FamilyOf(std::optional<Charset> charset) {
  if (charset == Charset::Gb18030) {
    return DoubleByteFamily::Gb;
  }
  if (charset == Charset::Big5Hkscs) {
    return DoubleByteFamily::Big5;
  }
  return std::nullopt;
}

// ASCII is read as UTF-8, its superset; 8-bit bytes then fail as UTF-8 and
// go to the guesser like any failing charset.
std::optional<Charset> CodeForDeclaredLabel(std::string_view label) {
  if (const std::optional<Charset> code = CharsetForLabel(label)) {
    return code;
  }
  if (label == "us-ascii" || label == "ascii" || label == "ansi_x3.4-1968" ||
      label == "iso646-us") {
    return Charset::Utf8;
  }
  return std::nullopt;
}

std::string DeclaredLabel(const MimeHeaderValue& type) {
  const MimeParameter* charset = FindMimeParameter(type, "charset");
  if (charset == nullptr) {
    return {};
  }
  std::string_view label = TrimHeaderSpace(charset->value);
  while (!label.empty() && (label.front() == '"' || label.front() == '\'')) {
    label.remove_prefix(1);
  }
  while (!label.empty() && (label.back() == '"' || label.back() == '\'')) {
    label.remove_suffix(1);
  }
  return ToLowerAscii(TrimHeaderSpace(label));
}

std::optional<std::string> FileName(const MessagePart& part, const CharsetGuesser& guess) {
  const MimeParameter* name = FindMimeParameter(part.contentDisposition, "filename");
  if (name == nullptr) {
    name = FindMimeParameter(part.contentType, "name");
  }
  if (name == nullptr) {
    return std::nullopt;
  }
  if (!name->charsetLabel.empty()) {
    return ReadTextBytes(name->value, CharsetForLabel(name->charsetLabel), guess).utf8;
  }
  return DecodeHeaderText(name->value, guess, false);
}

DecodedPart ReadPart(const MessagePart& part, const CharsetGuesser& guess) {
  DecodedPart decoded;
  decoded.index = part.index;
  decoded.contentType = part.contentType.value;
  decoded.declaredCharset = DeclaredLabel(part.contentType);
  if (!decoded.declaredCharset.empty()) {
    decoded.declaredCode = CodeForDeclaredLabel(decoded.declaredCharset);
  }
  decoded.transferEncoding = part.transferEncoding;
  decoded.fileName = FileName(part, guess);
  const bool isText = decoded.contentType.starts_with("text/");
  decoded.attachment =
      part.contentDisposition.value == "attachment" || decoded.fileName.has_value() || !isText;
  decoded.content = DecodeTransferEncoding(part.body, part.transferEncoding);
  if (!isText) {
    return decoded;
  }
  const std::optional<DoubleByteFamily> family = FamilyOf(decoded.declaredCode);
  if (family && part.transferEncoding == "quoted-printable") {
    decoded.content = MendLineBreaksInsideCharacters(decoded.content, *family);
  }
  TextReading reading = ReadTextBytes(decoded.content, decoded.declaredCode, guess);
  decoded.text = std::move(reading.utf8);
  decoded.charset = reading.charset;
  decoded.charsetGuessed = reading.guessed;
  decoded.unreadable = reading.unreadable;
  return decoded;
}

}  // namespace

DecodedMessage ReadMessage(std::string_view message, const MailReadingOptions& options) {
  const MessageStructure structure = ReadMessageStructure(message, options.limits);
  DecodedMessage decoded;
  decoded.problems = structure.problems;

  bool hzMessage = false;
  if (const HeaderField* type = FindHeaderField(structure.headers, "Content-Type")) {
    const MimeHeaderValue value = ParseMimeHeaderValue(UnfoldHeaderValue(type->rawValue));
    if (const MimeParameter* charset = FindMimeParameter(value, "charset")) {
      hzMessage = CharsetForLabel(charset->value) == Charset::Hz;
    }
  }
  decoded.headers.reserve(structure.headers.size());
  for (const HeaderField& field : structure.headers) {
    decoded.headers.push_back(
        {std::string(field.name), DecodeHeaderText(field.rawValue, options.guess, hzMessage)});
  }
  decoded.parts.reserve(structure.parts.size());
  for (const MessagePart& part : structure.parts) {
    decoded.parts.push_back(ReadPart(part, options.guess));
  }
  return decoded;
}

}  // namespace vortane
