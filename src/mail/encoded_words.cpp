#include "mail/encoded_words.h"

#include <optional>

#include "codec/base64.h"
#include "mail/ascii_text.h"

namespace vortane {
namespace {

struct EncodedWord {
  std::string_view label;
  char encoding = 'B';
  std::string_view text;
  std::size_t end = 0;  // position after "?="
};

constexpr bool IsSpaceByte(char c) { return IsHeaderSpace(c) || c == '\v' || c == '\f'; }

// The encoded-word that begins with the "=?" at `pos`, if one does.
std::optional<EncodedWord> ReadEncodedWord(std::string_view value, std::size_t pos) {
  std::size_t i = pos + 2;
  const std::size_t labelStart = i;
  while (i < value.size() && value[i] != '?' && value[i] != '*' && !IsSpaceByte(value[i])) {
    ++i;
  }
  if (i == labelStart || i >= value.size() || IsSpaceByte(value[i])) {
    return std::nullopt;
  }
  EncodedWord word;
  word.label = value.substr(labelStart, i - labelStart);
  if (value[i] == '*') {
    while (i < value.size() && value[i] != '?') {
      ++i;
    }
  }
  if (i + 2 >= value.size() || value[i] != '?' || value[i + 2] != '?') {
    return std::nullopt;
  }
  const char encoding = static_cast<char>(value[i + 1] & ~0x20);
  if (encoding != 'B' && encoding != 'Q') {
    return std::nullopt;
  }
  word.encoding = encoding;
  i += 3;
  const std::size_t textStart = i;
  while (i < value.size() && value[i] != '?' && !IsSpaceByte(value[i])) {
    ++i;
  }
  if (i + 1 >= value.size() || value[i] != '?' || value[i + 1] != '=') {
    return std::nullopt;
  }
  word.text = value.substr(textStart, i - textStart);
  word.end = i + 2;
  return word;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  const char lower = LowerAscii(c);
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

bool OnlyBlanks(std::string_view text) {
  for (const char c : text) {
    if (!IsBlank(c)) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string DecodeEncodedWordText(char encoding, std::string_view text) {
  std::string out;
  if (encoding == 'B' || encoding == 'b') {
    Base64StreamDecoder decoder;
    decoder.Feed(text, out);
    decoder.Finish(out);
    return out;
  }
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '_') {
      out.push_back(' ');
      continue;
    }
    if (c == '=' && i + 2 < text.size()) {
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
        continue;
      }
    }
    out.push_back(c);
  }
  return out;
}

std::vector<HeaderPiece> SplitEncodedWords(std::string_view unfoldedValue) {
  std::vector<HeaderPiece> pieces;
  std::size_t pos = 0;  // start of the text not yet placed in a piece
  std::size_t search = 0;
  while (true) {
    const std::size_t start = unfoldedValue.find("=?", search);
    if (start == std::string_view::npos) {
      break;
    }
    const std::optional<EncodedWord> word = ReadEncodedWord(unfoldedValue, start);
    if (!word) {
      search = start + 1;
      continue;
    }
    const std::string_view gap = unfoldedValue.substr(pos, start - pos);
    const bool afterWord = !pieces.empty() && pieces.back().encoded && OnlyBlanks(gap);
    std::string bytes = DecodeEncodedWordText(word->encoding, word->text);
    if (afterWord && EqualsIgnoringCase(pieces.back().charsetLabel, word->label)) {
      pieces.back().bytes += bytes;
    } else {
      if (!afterWord && !gap.empty()) {
        pieces.push_back({false, {}, std::string(gap)});
      }
      pieces.push_back({true, std::string(word->label), std::move(bytes)});
    }
    pos = search = word->end;
  }
  if (pos < unfoldedValue.size()) {
    pieces.push_back({false, {}, std::string(unfoldedValue.substr(pos))});
  }
  return pieces;
}

}  // namespace vortane
