#include "mail/attachment_name.h"

#include "mail/utf8_character.h"

namespace vortane {
namespace {

// Extensions longer than this are not kept apart when a name is cut.
constexpr std::size_t kMaxExtensionBytes = 32;

bool IsControl(char32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || cp == 0x2028 || cp == 0x2029;
}

// Bidirectional controls and the other invisible format characters.
bool IsFormat(char32_t cp) {
  struct Range {
    char32_t first;
    char32_t last;
  };
  static constexpr Range kFormat[] = {
      {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},
      {0x070F, 0x070F},   {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},
      {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},
      {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD},
      {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
      {0xE0020, 0xE007F},
  };
  for (const Range& r : kFormat) {
    if (cp >= r.first && cp <= r.last) {
      return true;
    }
  }
  return false;
}

bool IsEdgeByte(char c) { return c == '.' || c == ' ' || c == '\t'; }

// The largest cut of `text` at most `limit` bytes long that ends at a
// character edge (the text is UTF-8).
std::string_view CutAtCharacter(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) {
    return text;
  }
  std::size_t end = limit;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
    --end;
  }
  return text.substr(0, end);
}

// Splits at the last dot when what follows it is a short extension.
std::size_t ExtensionStart(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0 || name.size() - dot > kMaxExtensionBytes) {
    return name.size();
  }
  return dot;
}

}  // namespace

std::string SafeAttachmentName(std::string_view name, std::size_t partIndex) {
  std::string clean;
  clean.reserve(name.size());
  for (std::size_t pos = 0; pos < name.size();) {
    char32_t cp = 0;
    const std::size_t length = ReadUtf8Character(name, pos, cp);
    if (length == 0) {
      clean.push_back('_');
      ++pos;
      continue;
    }
    if (cp == '/' || cp == '\\' || IsControl(cp)) {
      clean.push_back('_');
    } else if (cp == '.' && !clean.empty() && clean.back() == '.') {
      // runs of dots become one
    } else if (!IsFormat(cp)) {
      clean.append(name.substr(pos, length));
    }
    pos += length;
  }
  std::size_t first = 0;
  std::size_t last = clean.size();
  while (first < last && IsEdgeByte(clean[first])) {
    ++first;
  }
  while (last > first && IsEdgeByte(clean[last - 1])) {
    --last;
  }
  std::string_view trimmed = std::string_view(clean).substr(first, last - first);
  if (trimmed.empty()) {
    return "part-" + std::to_string(partIndex);
  }
  if (trimmed.size() <= kMaxAttachmentNameBytes) {
    return std::string(trimmed);
  }
  const std::size_t extension = ExtensionStart(trimmed);
  const std::string_view tail = trimmed.substr(extension);
  std::string cut(
      CutAtCharacter(trimmed.substr(0, extension), kMaxAttachmentNameBytes - tail.size()));
  while (!cut.empty() && IsEdgeByte(cut.back())) {
    cut.pop_back();
  }
  return cut + std::string(tail);
}

std::string NumberedAttachmentName(std::string_view safeName, int attempt) {
  const std::size_t extension = ExtensionStart(safeName);
  const std::string number = "-" + std::to_string(attempt);
  const std::string_view tail = safeName.substr(extension);
  const std::string_view stem = CutAtCharacter(
      safeName.substr(0, extension), kMaxAttachmentNameBytes - tail.size() - number.size());
  return std::string(stem) + number + std::string(tail);
}

}  // namespace vortane
