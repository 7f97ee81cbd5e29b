#include "mailview/message_file.h"

#include <array>

#include "io/file_stream.h"
#include "mail/ascii_text.h"

namespace vortane {
namespace {

constexpr std::array<std::string_view, 7> kMessageFields = {
    "From", "Date", "Subject", "Received", "Return-Path", "Message-ID", "MIME-Version"};

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

// The field name of `line` ("" when it is not a field line).
std::string_view FieldName(std::string_view line) {
  const auto colon = line.find(':');
  if (colon == std::string_view::npos || colon == 0) {
    return {};
  }
  for (const char c : line.substr(0, colon)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) {
      return {};
    }
  }
  return line.substr(0, colon);
}

bool HeaderBlockStart(std::string_view head) {
  int fields = 0;
  bool known = false;
  std::size_t pos = 0;
  while (pos < head.size()) {
    auto end = head.find('\n', pos);
    const bool lastLine = end == std::string_view::npos;
    if (lastLine) {
      end = head.size();
    }
    std::string_view line = head.substr(pos, end - pos);
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    pos = end + 1;
    if (line.empty()) {
      break;
    }
    if (line.front() == ' ' || line.front() == '\t') {
      if (fields == 0) {
        return false;
      }
      continue;
    }
    const std::string_view name = FieldName(line);
    if (name.empty()) {
      // The last line may be cut where the sniffed bytes end.
      if (lastLine && fields >= 2) {
        break;
      }
      return false;
    }
    ++fields;
    for (const std::string_view field : kMessageFields) {
      known = known || EqualsIgnoringCase(name, field);
    }
  }
  return fields >= 2 && known;
}

}  // namespace

bool LooksLikeMessage(std::string_view path, std::string_view head) {
  if (EndsWithIgnoringCase(path, ".eml") || EndsWithIgnoringCase(path, ".mbox")) {
    return true;
  }
  head = head.substr(0, kMessageSniffBytes);
  if (head.starts_with("From ")) {
    return true;
  }
  return HeaderBlockStart(head);
}

bool IsMessageFile(const std::string& path) {
  int error = 0;
  const auto head = ReadFileBytes(path, error, kMessageSniffBytes);
  return head && LooksLikeMessage(path, *head);
}

}  // namespace vortane
