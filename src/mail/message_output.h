// The two outputs of a read message: text for people, and one JSON line.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "mail/message_reading.h"

namespace vortane {

// How a part's charset was found, for people: "declared gb2312, read as
// gb18030", "declared x-foo (unknown), read as utf-8", "no charset declared,
// read as utf-8", with ", N unreadable" when sequences became U+FFFD. Empty for
// a part that is not text.
[[nodiscard]] std::string DescribePartCharsets(const DecodedPart& part);

// Appends the text output of `message` (UTF-8, LF line ends): the decoded
// Subject, From, To, Cc and Date that are present (control characters shown
// as blanks, so each stays one line), an empty line, then for each part a line
// "--- part N: type, charsets, file "name", size bytes" followed, for a text
// part, by its text (ending in a line end). `number` (1, 2, ...) puts a line
// "=== message N" first, for messages of an mbox.
void AppendMessageText(std::string& out, const DecodedMessage& message,
                       std::optional<std::size_t> number = std::nullopt);

// Appends `message` as one compact JSON object and a line end:
// {"headers": [{"name", "value"}...], "parts": [{"index", "content_type",
// "declared_charset", "charset", "transfer_encoding", "filename", "size",
// "text"}...]}. Charsets are the lower-case label as declared and the
// canonical name of the code read with; absent values are null; "size" is the
// decoded byte count; "text" only for text parts. With `saved` (one entry per
// part), each part also has "saved": the name an attachment was saved under,
// or null.
void AppendMessageJson(std::string& out, const DecodedMessage& message,
                       std::span<const std::optional<std::string>> saved = {});

}  // namespace vortane
