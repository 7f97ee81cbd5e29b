#include "phrases/phrase_codes.h"

#include <array>
#include <memory>
#include <optional>
#include <span>

#include "cjk/code_tables.h"

namespace vortane {
namespace {

constexpr std::uint32_t kGbTextOffset = 0x8080;
constexpr std::size_t kDoubleByteCount = 0x8000;  // lead 0x80..0xFF x any trail
constexpr char16_t kReplacement = 0xFFFD;

// The character of each double-byte code (0: none), the first table row
// winning as in the lookups. A code the table gives as U+FFFD (a duplicate
// row) has none: it goes by the character rule and keeps its bytes.
using CharacterIndex = std::array<char16_t, kDoubleByteCount>;

std::unique_ptr<const CharacterIndex> BuildIndex(std::span<const CodePair> table,
                                                 std::uint32_t offset) {
  auto index = std::make_unique<CharacterIndex>();
  for (const CodePair& row : table) {
    const std::uint32_t code = row.first + offset;
    if (code < 0x8000 || code > 0xFFFF || row.second == 0 || row.second >= 0xFFFD ||
        (*index)[code - 0x8000] != 0) {
      continue;
    }
    (*index)[code - 0x8000] = static_cast<char16_t>(row.second);
  }
  return index;
}

const CharacterIndex& CharactersOf(TextCode code) {
  static const std::unique_ptr<const CharacterIndex> gb =
      BuildIndex(GbUnicodeTable(), kGbTextOffset);
  static const std::unique_ptr<const CharacterIndex> big5 = BuildIndex(Big5UnicodeTable(), 0);
  return code == TextCode::Big5 ? *big5 : *gb;
}

std::optional<std::uint16_t> CodeOf(char32_t point, TextCode code) {
  if (point == kReplacement) {
    return std::nullopt;
  }
  return code == TextCode::Big5 ? LookupUnicodeToBig5(point) : LookupUnicodeToGb(point);
}

bool IsHighSurrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void PutUnit(std::uint32_t unit, std::string& out) {
  out.push_back(static_cast<char>((unit >> 8) & 0xFF));
  out.push_back(static_cast<char>(unit & 0xFF));
}

}  // namespace

PhraseCodeDecoder::PhraseCodeDecoder(const PhraseConverter& converter, TextCode sourceCode,
                                     TextCode resultCode)
    : converter_(converter),
      sourceCode_(sourceCode),
      resultCode_(resultCode),
      taiwanGlyphs_(resultCode == TextCode::Big5 && converter.config() == PhraseConfig::S2hk) {}

void PhraseCodeDecoder::Feed(std::string_view block, std::string& out) {
  const auto* s = reinterpret_cast<const unsigned char*>(block.data());
  const std::size_t n = block.size();
  std::size_t i = 0;
  if (hasPendingByte_ && n > 0) {
    hasPendingByte_ = false;
    TakeUnit(static_cast<std::uint32_t>(pendingByte_) << 8 | s[0], out);
    i = 1;
  }
  if (sourceCode_ == TextCode::Unicode) {
    for (; i + 1 < n; i += 2) {
      TakeUnit(static_cast<std::uint32_t>(s[i]) << 8 | s[i + 1], out);
    }
  } else {
    while (i + 1 < n) {
      if (s[i] < 0x80) {
        TakeCharacter(s[i], s[i], out);
        ++i;
      } else {
        TakeUnit(static_cast<std::uint32_t>(s[i]) << 8 | s[i + 1], out);
        i += 2;
      }
    }
    if (i < n && s[i] < 0x80) {
      TakeCharacter(s[i], s[i], out);
      ++i;
    }
  }
  if (i < n) {
    hasPendingByte_ = true;
    pendingByte_ = s[i];
  }
}

void PhraseCodeDecoder::Finish(std::string& out) {
  if (pendingHigh_ != 0) {
    const std::uint32_t high = pendingHigh_;
    pendingHigh_ = 0;
    TakeUnreadable(high, out);
  }
  FlushPiece(out);
  if (hasPendingByte_) {
    hasPendingByte_ = false;
    ++fallbacks_;
    if (resultCode_ == TextCode::Unicode && sourceCode_ != TextCode::Unicode) {
      PutUnit(kReplacement, out);
    } else {
      out.push_back(static_cast<char>(pendingByte_));
    }
  }
}

void PhraseCodeDecoder::TakeUnit(std::uint32_t key, std::string& out) {
  if (sourceCode_ != TextCode::Unicode) {
    const char16_t point = key < 0x8000 ? 0 : CharactersOf(sourceCode_)[key - 0x8000];
    if (point == 0) {
      TakeUnreadable(key, out);
    } else {
      TakeCharacter(point, key, out);
    }
    return;
  }
  if (pendingHigh_ != 0) {
    const std::uint32_t high = pendingHigh_;
    pendingHigh_ = 0;
    if (IsLowSurrogate(key)) {
      const char32_t point = 0x10000 + ((high - 0xD800) << 10) + (key - 0xDC00);
      TakeCharacter(point, point, out);
      return;
    }
    TakeUnreadable(high, out);
  }
  if (IsHighSurrogate(key)) {
    pendingHigh_ = key;
  } else if (IsLowSurrogate(key)) {
    TakeUnreadable(key, out);
  } else {
    TakeCharacter(key, key, out);
  }
}

void PhraseCodeDecoder::TakeCharacter(char32_t point, std::uint32_t key, std::string& out) {
  piece_.push_back(point);
  keys_.push_back(key);
  if ((piece_.size() >= kPieceTarget && converter_.MayCutAfter(point)) ||
      piece_.size() >= kPieceLimit) {
    FlushPiece(out);
  }
}

void PhraseCodeDecoder::TakeUnreadable(std::uint32_t key, std::string& out) {
  FlushPiece(out);
  ++fallbacks_;
  if (resultCode_ == TextCode::Unicode) {
    PutUnit(sourceCode_ == TextCode::Unicode ? key : kReplacement, out);
  } else if (sourceCode_ == TextCode::Unicode) {
    out.push_back('?');
  } else {
    PutByCharacterRule(key, out);
  }
}

void PhraseCodeDecoder::FlushPiece(std::string& out) {
  if (piece_.empty()) {
    return;
  }
  converted_.clear();
  sources_.clear();
  converter_.ConvertPiece(piece_, converted_, &sources_,
                          [this](char32_t point) { return CanHold(point); });
  for (std::size_t i = 0; i < converted_.size(); ++i) {
    PutCharacter(converted_[i], sources_[i], out);
  }
  piece_.clear();
  keys_.clear();
}

bool PhraseCodeDecoder::CanHold(char32_t point) const {
  if (point < 0x80 || resultCode_ == TextCode::Unicode || CodeOf(point, resultCode_)) {
    return true;
  }
  if (!taiwanGlyphs_) {
    return false;
  }
  const std::optional<char32_t> taiwan = converter_.TaiwanGlyph(point);
  return taiwan && CodeOf(*taiwan, resultCode_);
}

void PhraseCodeDecoder::PutCharacter(char32_t point, std::uint32_t source, std::string& out) {
  if (resultCode_ == TextCode::Unicode) {
    if (point < 0x10000) {
      PutUnit(point, out);
    } else {
      PutUnit(0xD800 + ((point - 0x10000) >> 10), out);
      PutUnit(0xDC00 + ((point - 0x10000) & 0x3FF), out);
    }
    return;
  }
  if (point < 0x80) {
    out.push_back(static_cast<char>(point));
    return;
  }
  if (const std::optional<std::uint16_t> code = CodeOf(point, resultCode_)) {
    PutCode(*code, out);
    return;
  }
  if (taiwanGlyphs_) {
    if (const std::optional<char32_t> taiwan = converter_.TaiwanGlyph(point)) {
      if (const std::optional<std::uint16_t> code = CodeOf(*taiwan, resultCode_)) {
        PutCode(*code, out);
        return;
      }
    }
  }
  ++fallbacks_;
  if (source == kNoSource) {
    out.push_back('?');
  } else {
    PutByCharacterRule(keys_[source], out);
  }
}

void PhraseCodeDecoder::PutByCharacterRule(std::uint32_t key, std::string& out) {
  if (key < 0x80) {
    out.push_back(static_cast<char>(key));
    return;
  }
  if (sourceCode_ == TextCode::Unicode) {
    const std::optional<std::uint16_t> code = CodeOf(key, resultCode_);
    if (code) {
      PutCode(*code, out);
    } else {
      out.push_back('?');
    }
    return;
  }
  std::optional<std::uint16_t> code;
  if (sourceCode_ == TextCode::Gb && resultCode_ == TextCode::Big5) {
    code = LookupGbToBig5(key);
  } else if (sourceCode_ == TextCode::Big5 && resultCode_ == TextCode::Gb) {
    code = LookupBig5ToGb(key);
  }
  PutCode(code.value_or(static_cast<std::uint16_t>(key)), out);
}

void PhraseCodeDecoder::PutCode(std::uint32_t code, std::string& out) const { PutUnit(code, out); }

PhraseCodeText ConvertCodesByPhrases(std::string_view text, TextCode sourceCode,
                                     TextCode resultCode, const PhraseConverter& converter) {
  PhraseCodeDecoder decoder(converter, sourceCode, resultCode);
  PhraseCodeText result;
  result.bytes.reserve(text.size() + text.size() / 4);
  decoder.Feed(text, result.bytes);
  decoder.Finish(result.bytes);
  result.fallbacks = decoder.Fallbacks();
  return result;
}

}  // namespace vortane
