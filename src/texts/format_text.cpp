#include "texts/format_text.h"

#include <algorithm>
#include <vector>

namespace vortane {

std::string ReplacePlaceholders(std::string_view text, std::span<const std::string_view> args) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const auto index = static_cast<std::size_t>(text[i + 1] - '1');
      if (index < args.size()) {
        out.append(args[index]);
        i += 2;
        continue;
      }
    }
    out.push_back(text[i]);
    ++i;
  }
  return out;
}

namespace {

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string Utf8ToFrameCode(std::string_view utf8, TextCode code) {
  return EncodeUtf8As(utf8, code == TextCode::Big5 ? TextCode::Big5 : TextCode::Gb);
}

UiText FormatText(const TriText& text, Language language,
                  std::initializer_list<std::string_view> utf8Args) {
  UiText chosen = Choose(text, language);
  if (chosen.code == UiCode::Ascii && std::all_of(utf8Args.begin(), utf8Args.end(), IsAscii)) {
    chosen.bytes = ReplacePlaceholders(chosen.bytes, std::span(utf8Args.begin(), utf8Args.size()));
    return chosen;
  }
  if (chosen.code == UiCode::Ascii) {
    chosen.code = UiCode::Gb;
  }
  const TextCode code = chosen.code == UiCode::Big5 ? TextCode::Big5 : TextCode::Gb;
  std::vector<std::string> encoded;
  encoded.reserve(utf8Args.size());
  for (std::string_view arg : utf8Args) {
    encoded.push_back(EncodeUtf8As(arg, code));
  }
  const std::vector<std::string_view> views(encoded.begin(), encoded.end());
  chosen.bytes = ReplacePlaceholders(chosen.bytes, views);
  return chosen;
}

}  // namespace vortane
