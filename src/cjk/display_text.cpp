#include "cjk/display_text.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <span>

#include "cjk/code_tables.h"

namespace vortane {
namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;
constexpr std::uint32_t kGbRowColumnToText = 0x8080;
constexpr std::size_t kPairCount = 0x8000;  // lead 0x80..0xFF x trail 0x00..0xFF

// Both directions of one code, built once from the code tables. Double-byte
// codes are indexed by code - 0x8000.
struct CodeMap {
  std::array<char16_t, kPairCount> toUnicode{};      // 0: none
  std::bitset<kPairCount> oneToOne;                  // shown as its character
  std::array<std::uint16_t, 0x10000> fromUnicode{};  // 0: none
};

// Characters that already stand for something in display text, or that the
// text widgets treat specially; a code mapped to one of them is shown by
// stand-ins instead.
bool IsReservedForDisplay(char16_t u) {
  return u < 0xA0 || u == kDisplayLineBreak || u == kDisplayBareLineFeed ||
         (u >= kDisplayStandInBase && u <= kDisplayStandInLast) || (u >= 0xD800 && u <= 0xDFFF) ||
         u == 0xFDD0 || u == 0xFDD1 || u == 0xFEFF || u == 0xFFFC || u >= 0xFFFE;
}

// Fills the map from rows (code, Unicode) in table order: the first row wins in
// either direction, as the lookups over the same tables do.
std::unique_ptr<const CodeMap> BuildCodeMap(std::span<const CodePair> table,
                                            std::uint32_t codeOffset) {
  auto map = std::make_unique<CodeMap>();
  for (const CodePair& row : table) {
    const std::uint32_t code = row.first + codeOffset;
    if (code < 0x8000 || code > 0xFFFF || row.second == 0 || row.second > 0xFFFF) {
      continue;
    }
    const std::size_t index = code - 0x8000;
    if (map->toUnicode[index] == 0) {
      map->toUnicode[index] = static_cast<char16_t>(row.second);
    }
    if (map->fromUnicode[row.second] == 0) {
      map->fromUnicode[row.second] = static_cast<std::uint16_t>(code);
    }
  }
  for (std::size_t index = 0; index < kPairCount; ++index) {
    const char16_t u = map->toUnicode[index];
    map->oneToOne[index] =
        u != 0 && !IsReservedForDisplay(u) && map->fromUnicode[u] == index + 0x8000;
  }
  return map;
}

const CodeMap& MapFor(TextCode code) {
  static const std::unique_ptr<const CodeMap> gb =
      BuildCodeMap(GbUnicodeTable(), kGbRowColumnToText);
  static const std::unique_ptr<const CodeMap> big5 = BuildCodeMap(Big5UnicodeTable(), 0);
  return code == TextCode::Big5 ? *big5 : *gb;
}

char16_t StandIn(unsigned char byte) { return static_cast<char16_t>(kDisplayStandInBase + byte); }

bool ShowsAsItself(unsigned char byte) { return byte == '\t' || (byte >= 0x20 && byte < 0x7F); }

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Appends the bytes of text[i] in the code: ASCII as itself, a character the
// code lacks as "?" (one for a whole surrogate pair), clearing `*complete`
// when given. Returns the index of the last unit used.
std::size_t AppendEncoded(const CodeMap& map, std::u16string_view text, std::size_t i,
                          std::string& out, bool* complete) {
  const char16_t u = text[i];
  if (u < 0x80) {
    out.push_back(static_cast<char>(u));
  } else if (const std::uint16_t code = map.fromUnicode[u]; code != 0) {
    out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
  } else {
    out.push_back('?');
    if (complete != nullptr) {
      *complete = false;
    }
    if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
    }
  }
  return i;
}

}  // namespace

std::u16string BytesToDisplayText(std::string_view bytes, TextCode code) {
  const CodeMap& map = MapFor(code);
  std::u16string out;
  out.reserve(bytes.size());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  // Shows the byte at i by the single-byte rules and moves past what it used.
  auto showSingle = [&]() {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b == '\r' && i + 1 < n && bytes[i + 1] == '\n') {
      out.push_back(kDisplayLineBreak);
      i += 2;
    } else if (b == '\n') {
      out.push_back(kDisplayBareLineFeed);
      ++i;
    } else {
      out.push_back(ShowsAsItself(b) ? static_cast<char16_t>(b) : StandIn(b));
      ++i;
    }
  };
  while (i < n) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      showSingle();
      continue;
    }
    if (i + 1 == n) {
      out.push_back(StandIn(lead));
      ++i;
      continue;
    }
    const auto trail = static_cast<unsigned char>(bytes[i + 1]);
    const std::size_t index = (static_cast<std::size_t>(lead - 0x80) << 8) | trail;
    if (map.oneToOne[index]) {
      out.push_back(map.toUnicode[index]);
      i += 2;
      continue;
    }
    out.push_back(StandIn(lead));
    ++i;
    if (trail >= 0x80) {
      // Keeps the pairing of the frame rule: this byte is a trail, not a lead.
      out.push_back(StandIn(trail));
      ++i;
    } else {
      showSingle();
    }
  }
  return out;
}

std::string DisplayTextToBytes(std::u16string_view text, TextCode code) {
  const CodeMap& map = MapFor(code);
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u == kDisplayLineBreak) {
      out.append("\r\n");
    } else if (u == kDisplayBareLineFeed) {
      out.push_back('\n');
    } else if (u >= kDisplayStandInBase && u <= kDisplayStandInLast) {
      out.push_back(static_cast<char>(u - kDisplayStandInBase));
    } else {
      i = AppendEncoded(map, text, i, out, nullptr);
    }
  }
  return out;
}

std::u16string DecodeText(std::string_view bytes, TextCode code) {
  const CodeMap& map = MapFor(code);
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      out.push_back(static_cast<char16_t>(lead));
      continue;
    }
    if (i + 1 == bytes.size()) {
      out.push_back(kReplacementCharacter);
      continue;
    }
    const auto trail = static_cast<unsigned char>(bytes[++i]);
    const char16_t u = map.toUnicode[(static_cast<std::size_t>(lead - 0x80) << 8) | trail];
    out.push_back(u != 0 ? u : kReplacementCharacter);
  }
  return out;
}

std::string EncodeText(std::u16string_view text, TextCode code, bool* complete) {
  const CodeMap& map = MapFor(code);
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    i = AppendEncoded(map, text, i, out, complete);
  }
  return out;
}

std::u16string ClipboardTextFromBytes(std::string_view bytes, TextCode code) {
  std::u16string text = DecodeText(bytes, code);
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      continue;  // the LF that follows stands for the pair
    }
    out.push_back(text[i]);
  }
  return out;
}

std::string BytesFromClipboardText(std::u16string_view text, TextCode code) {
  std::u16string lines;
  lines.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
      lines.append(u"\r\n");
    } else if (u == kDisplayLineBreak) {
      lines.append(u"\r\n");
    } else if (u == kDisplayBareLineFeed) {
      lines.push_back(u'\n');
    } else {
      lines.push_back(u);
    }
  }
  return EncodeText(lines, code);
}

}  // namespace vortane
