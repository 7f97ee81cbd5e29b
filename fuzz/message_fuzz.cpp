// Whole messages: the structure reader, the reading of every header and part,
// both outputs, safe names and the mbox splitter. First input bytes: chunk
// size, then the bounds (nesting depth, header bytes, part count); the rest is
// an mbox or one message.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "mail/attachment_name.h"
#include "mail/message_output.h"
#include "mail/message_reading.h"
#include "mail/message_stream.h"
#include "mail/utf8_character.h"

using namespace vortane;
using namespace vortane::fuzz;

namespace {

bool IsUtf8(std::string_view text) {
  char32_t cp = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = ReadUtf8Character(text, pos, cp);
    if (length == 0) {
      return false;
    }
    pos += length;
  }
  return true;
}

std::vector<std::string> SplitMessages(std::string_view data, std::size_t chunk) {
  StringReader reader(data, chunk);
  MessageStreamReader stream(reader);
  std::vector<std::string> messages;
  std::string message;
  while (stream.Next(message)) {
    messages.push_back(message);
  }
  FUZZ_CHECK(!stream.ReadFailed());
  return messages;
}

void CheckMessage(std::string_view message, const MailLimits& limits) {
  const MessageStructure structure = ReadMessageStructure(message, limits);
  FUZZ_CHECK(structure.parts.size() <= limits.maxParts);
  for (std::size_t i = 0; i < structure.parts.size(); ++i) {
    const MessagePart& part = structure.parts[i];
    FUZZ_CHECK(part.index == i + 1);
    FUZZ_CHECK(part.body.data() >= message.data());
    FUZZ_CHECK(part.body.data() + part.body.size() <= message.data() + message.size());
  }

  MailReadingOptions options;
  options.limits = limits;
  const DecodedMessage decoded = ReadMessage(message, options);
  FUZZ_CHECK(decoded.parts.size() == structure.parts.size());
  FUZZ_CHECK(decoded.headers.size() == structure.headers.size());
  for (const DecodedHeader& header : decoded.headers) {
    FUZZ_CHECK(IsUtf8(header.value));
  }
  for (const DecodedPart& part : decoded.parts) {
    FUZZ_CHECK(!part.text || IsUtf8(*part.text));
    FUZZ_CHECK(part.text.has_value() == part.charset.has_value());
    if (part.fileName) {
      FUZZ_CHECK(IsUtf8(*part.fileName));
    }
    const std::string safe = SafeAttachmentName(part.fileName.value_or(""), part.index);
    FUZZ_CHECK(!safe.empty() && safe.size() <= kMaxAttachmentNameBytes);
    FUZZ_CHECK(safe.find('/') == std::string::npos && safe.find("..") == std::string::npos);
    FUZZ_CHECK(safe.front() != '.' && IsUtf8(safe));
    const std::string numbered = NumberedAttachmentName(safe, 99);
    FUZZ_CHECK(numbered.size() <= kMaxAttachmentNameBytes &&
               numbered.find("..") == std::string::npos);
  }

  std::string json;
  AppendMessageJson(json, decoded);
  FUZZ_CHECK(IsUtf8(json) && json.back() == '\n');
  for (std::size_t i = 0; i + 1 < json.size(); ++i) {
    FUZZ_CHECK(static_cast<unsigned char>(json[i]) >= 0x20);
  }
  std::string text;
  AppendMessageText(text, decoded, 1);
  FUZZ_CHECK(IsUtf8(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::size_t chunk = ChunkSize(input.Byte());
  MailLimits limits;
  limits.maxNestingDepth = 1 + input.Byte() % 8;
  limits.maxHeaderBytes = 64 + input.Byte() * 16u;
  limits.maxParts = 1 + input.Byte() % 32;
  const std::string_view rest = input.Rest();

  const std::vector<std::string> messages = SplitMessages(rest, rest.size() + 1);
  FUZZ_CHECK(SplitMessages(rest, chunk) == messages);
  if (!rest.starts_with("From ")) {
    FUZZ_CHECK(messages.size() == (rest.empty() ? 0u : 1u));
    FUZZ_CHECK(rest.empty() || messages[0] == rest);
  }
  std::size_t total = 0;
  for (const std::string& message : messages) {
    total += message.size();
    CheckMessage(message, limits);
  }
  FUZZ_CHECK(total <= rest.size());
  return 0;
}
