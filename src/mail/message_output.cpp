#include "mail/message_output.h"

#include <array>
#include <string_view>

#include "charsets/label_map.h"
#include "mail/ascii_text.h"
#include "mail/json_text.h"
#include "mail/utf8_character.h"

namespace vortane {
namespace {

constexpr std::array<std::string_view, 5> kShownFields = {"Subject", "From", "To", "Cc", "Date"};

// Text from mail on one line: control characters as blanks, bytes that are
// not UTF-8 (a label or type written in 8-bit bytes) as U+FFFD.
void AppendOneLine(std::string& out, std::string_view text) {
  char32_t cp = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = ReadUtf8Character(text, pos, cp);
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      ++pos;
    } else if (cp < 0x20 && cp != '\t') {
      out.push_back(' ');
      ++pos;
    } else {
      out.append(text, pos, length);
      pos += length;
    }
  }
}

void AppendJsonOrNull(std::string& out, const std::optional<std::string_view>& text) {
  if (text) {
    AppendJsonString(out, *text);
  } else {
    out += "null";
  }
}

std::optional<std::string_view> NonEmpty(std::string_view text) {
  return text.empty() ? std::nullopt : std::optional<std::string_view>(text);
}

}  // namespace

std::string DescribePartCharsets(const DecodedPart& part) {
  if (!part.charset) {
    return {};
  }
  std::string text;
  if (part.declaredCharset.empty()) {
    text = "no charset declared";
  } else {
    text = "declared " + part.declaredCharset;
    if (!part.declaredCode) {
      text += " (unknown)";
    }
  }
  text += ", read as ";
  text += CharsetName(*part.charset);
  if (part.unreadable > 0) {
    text += ", " + std::to_string(part.unreadable) + " unreadable";
  }
  return text;
}

void AppendMessageText(std::string& out, const DecodedMessage& message,
                       std::optional<std::size_t> number) {
  if (number) {
    out += "=== message " + std::to_string(*number) + "\n";
  }
  for (const std::string_view name : kShownFields) {
    for (const DecodedHeader& header : message.headers) {
      if (EqualsIgnoringCase(header.name, name)) {
        out += name;
        out += ": ";
        AppendOneLine(out, header.value);
        out += '\n';
        break;
      }
    }
  }
  out += '\n';
  for (const DecodedPart& part : message.parts) {
    out += "--- part " + std::to_string(part.index) + ": ";
    AppendOneLine(out, part.contentType);
    const std::string charsets = DescribePartCharsets(part);
    if (!charsets.empty()) {
      out += ", ";
      AppendOneLine(out, charsets);
    }
    if (part.fileName) {
      out += ", file \"";
      AppendOneLine(out, *part.fileName);
      out += '"';
    }
    out += ", " + std::to_string(part.content.size()) + " bytes\n";
    if (part.text) {
      out += *part.text;
      if (!part.text->empty() && part.text->back() != '\n') {
        out += '\n';
      }
    }
  }
}

void AppendMessageJson(std::string& out, const DecodedMessage& message,
                       std::span<const std::optional<std::string>> saved) {
  out += "{\"headers\":[";
  for (std::size_t i = 0; i < message.headers.size(); ++i) {
    out += i == 0 ? "{\"name\":" : ",{\"name\":";
    AppendJsonString(out, message.headers[i].name);
    out += ",\"value\":";
    AppendJsonString(out, message.headers[i].value);
    out += '}';
  }
  out += "],\"parts\":[";
  for (std::size_t i = 0; i < message.parts.size(); ++i) {
    const DecodedPart& part = message.parts[i];
    out += i == 0 ? "{\"index\":" : ",{\"index\":";
    out += std::to_string(part.index);
    out += ",\"content_type\":";
    AppendJsonString(out, part.contentType);
    out += ",\"declared_charset\":";
    AppendJsonOrNull(out, NonEmpty(part.declaredCharset));
    out += ",\"charset\":";
    AppendJsonOrNull(out, part.charset ? std::optional<std::string_view>(CharsetName(*part.charset))
                                       : std::nullopt);
    out += ",\"transfer_encoding\":";
    AppendJsonOrNull(out, NonEmpty(part.transferEncoding));
    out += ",\"filename\":";
    AppendJsonOrNull(
        out, part.fileName ? std::optional<std::string_view>(*part.fileName) : std::nullopt);
    out += ",\"size\":" + std::to_string(part.content.size());
    out += ",\"text\":";
    AppendJsonOrNull(out, part.text ? std::optional<std::string_view>(*part.text) : std::nullopt);
    if (!saved.empty()) {
      out += ",\"saved\":";
      AppendJsonOrNull(out, i < saved.size() && saved[i]
                                ? std::optional<std::string_view>(*saved[i])
                                : std::nullopt);
    }
    out += '}';
  }
  out += "]}\n";
}

}  // namespace vortane
