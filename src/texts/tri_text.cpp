#include "texts/tri_text.h"

#include <cstdint>

#include "cjk/code_tables.h"

namespace vortane {

UiText Choose(const TriText& text, Language language) {
  switch (language) {
    case Language::Gb:
      return UiText{EncodeUtf8As(text.gb, TextCode::Gb), UiCode::Gb};
    case Language::Big5:
      return UiText{EncodeUtf8As(text.big5, TextCode::Big5), UiCode::Big5};
    case Language::English:
      break;
  }
  return UiText{std::string(text.english), UiCode::Ascii};
}

namespace {

// Decodes one UTF-8 character at `i` (well-formed input assumed: these are
// the program's own literals); advances `i`.
std::uint32_t NextCodePoint(std::string_view utf8, std::size_t& i) {
  const auto b = static_cast<unsigned char>(utf8[i++]);
  int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
  std::uint32_t cp = extra == 3   ? (b & 0x07)
                     : extra == 2 ? (b & 0x0F)
                     : extra == 1 ? (b & 0x1F)
                                  : b;
  while (extra-- > 0 && i < utf8.size()) {
    cp = (cp << 6) | (static_cast<unsigned char>(utf8[i++]) & 0x3F);
  }
  return cp;
}

}  // namespace

std::string EncodeUtf8As(std::string_view utf8, TextCode code, bool* complete) {
  std::string bytes;
  bytes.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::uint32_t cp = NextCodePoint(utf8, i);
    if (cp < 0x80) {
      bytes.push_back(static_cast<char>(cp));
      continue;
    }
    const auto found = code == TextCode::Big5 ? LookupUnicodeToBig5(cp) : LookupUnicodeToGb(cp);
    if (found) {
      bytes.push_back(static_cast<char>(*found >> 8));
      bytes.push_back(static_cast<char>(*found & 0xFF));
    } else {
      bytes.push_back('?');
      if (complete != nullptr) {
        *complete = false;
      }
    }
  }
  return bytes;
}

}  // namespace vortane
