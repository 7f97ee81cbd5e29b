#include "phrases/phrase_codes.h"

#include <array>
#include <optional>
#include <span>

#include "cjk/code_tables.h"
#include "phrases/utf8_chars.h"

namespace vortane {
namespace {

constexpr std::uint32_t kGbTextOffset = 0x8080;
constexpr std::size_t kDoubleByteCount = 0x8000;  // lead 0x80..0xFF x any trail
constexpr char32_t kReplacement = 0xFFFD;

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

}  // namespace

PhraseCodeDecoder::PhraseCodeDecoder(const PhraseConverter& converter, PhraseCode sourceCode,
                                     PhraseCode resultCode)
    : converter_(converter) {
  if (const Charset* charset = std::get_if<Charset>(&sourceCode)) {
    charsetDecoder_ = std::make_unique<CharsetDecoder>(*charset);
  } else {
    sourceTable_ = std::get<TextCode>(sourceCode);
  }
  if (const Charset* charset = std::get_if<Charset>(&resultCode)) {
    charsetEncoder_ = std::make_unique<CharsetEncoder>(*charset);
  } else {
    resultTable_ = std::get<TextCode>(resultCode);
  }
  unicodeKeys_ = charsetDecoder_ || sourceTable_ == TextCode::Unicode;
  taiwanGlyphs_ = !charsetEncoder_ && resultTable_ == TextCode::Big5 &&
                  converter.config() == PhraseConfig::S2hk;
}

PhraseCodeDecoder::~PhraseCodeDecoder() = default;

std::size_t PhraseCodeDecoder::Unreadable() const {
  return charsetDecoder_ ? charsetDecoder_->Unreadable() : 0;
}

std::size_t PhraseCodeDecoder::Unwritable() const {
  return charsetEncoder_ ? charsetEncoder_->Unwritable() : 0;
}

void PhraseCodeDecoder::Feed(std::string_view block, std::string& out) {
  if (charsetDecoder_) {
    charsetDecoder_->Feed(block, decoded_);
    TakeUtf8(decoded_);
    decoded_.clear();
  } else {
    FeedTableText(block);
  }
  HandOver(out);
}

void PhraseCodeDecoder::Finish(std::string& out) {
  if (charsetDecoder_) {
    charsetDecoder_->Finish(decoded_);
    TakeUtf8(decoded_);
    decoded_.clear();
  }
  if (pendingHigh_ != 0) {
    const std::uint32_t high = pendingHigh_;
    pendingHigh_ = 0;
    TakeUnreadable(high);
  }
  FlushPiece();
  if (hasPendingByte_) {
    hasPendingByte_ = false;
    ++fallbacks_;
    if (charsetEncoder_) {
      AppendUtf8(kReplacement, written_);
    } else if (resultTable_ == TextCode::Unicode && sourceTable_ != TextCode::Unicode) {
      PutUnit(kReplacement);
    } else {
      written_.push_back(static_cast<char>(pendingByte_));
    }
  }
  HandOver(out);
  if (charsetEncoder_) {
    charsetEncoder_->Finish(out);
  }
}

void PhraseCodeDecoder::HandOver(std::string& out) {
  if (charsetEncoder_) {
    charsetEncoder_->Feed(written_, out);
  } else {
    out += written_;
  }
  written_.clear();
}

void PhraseCodeDecoder::FeedTableText(std::string_view block) {
  const auto* s = reinterpret_cast<const unsigned char*>(block.data());
  const std::size_t n = block.size();
  std::size_t i = 0;
  if (hasPendingByte_ && n > 0) {
    hasPendingByte_ = false;
    TakeUnit(static_cast<std::uint32_t>(pendingByte_) << 8 | s[0]);
    i = 1;
  }
  if (sourceTable_ == TextCode::Unicode) {
    for (; i + 1 < n; i += 2) {
      TakeUnit(static_cast<std::uint32_t>(s[i]) << 8 | s[i + 1]);
    }
  } else {
    while (i + 1 < n) {
      if (s[i] < 0x80) {
        TakeCharacter(s[i], s[i]);
        ++i;
      } else {
        TakeUnit(static_cast<std::uint32_t>(s[i]) << 8 | s[i + 1]);
        i += 2;
      }
    }
    if (i < n && s[i] < 0x80) {
      TakeCharacter(s[i], s[i]);
      ++i;
    }
  }
  if (i < n) {
    hasPendingByte_ = true;
    pendingByte_ = s[i];
  }
}

void PhraseCodeDecoder::TakeUnit(std::uint32_t key) {
  if (sourceTable_ != TextCode::Unicode) {
    const char16_t point = key < 0x8000 ? 0 : CharactersOf(sourceTable_)[key - 0x8000];
    if (point == 0) {
      TakeUnreadable(key);
    } else {
      TakeCharacter(point, key);
    }
    return;
  }
  if (!unitsStarted_) {
    unitsStarted_ = true;
    if (key == 0xFFFE) {
      littleEndian_ = true;
      return;
    }
  }
  if (littleEndian_) {
    key = (key >> 8) | (key & 0xFF) << 8;
  }
  if (pendingHigh_ != 0) {
    const std::uint32_t high = pendingHigh_;
    pendingHigh_ = 0;
    if (IsLowSurrogate(key)) {
      const char32_t point = 0x10000 + ((high - 0xD800) << 10) + (key - 0xDC00);
      TakeCharacter(point, point);
      return;
    }
    TakeUnreadable(high);
  }
  if (IsHighSurrogate(key)) {
    pendingHigh_ = key;
  } else if (IsLowSurrogate(key)) {
    TakeUnreadable(key);
  } else {
    TakeCharacter(key, key);
  }
}

void PhraseCodeDecoder::TakeUtf8(std::string_view utf8) {
  // The charsets decoders write whole, well-formed characters only.
  while (!utf8.empty()) {
    const Utf8Char c = DecodeUtf8Char(utf8);
    const std::size_t length = c.length == 0 ? 1 : c.length;
    const char32_t point = c.length == 0 ? kReplacement : c.point;
    TakeCharacter(point, point);
    utf8.remove_prefix(length);
  }
}

void PhraseCodeDecoder::TakeCharacter(char32_t point, std::uint32_t key) {
  piece_.push_back(point);
  keys_.push_back(key);
  if ((piece_.size() >= kPieceTarget && converter_.MayCutAfter(point)) ||
      piece_.size() >= kPieceLimit) {
    FlushPiece();
  }
}

void PhraseCodeDecoder::TakeUnreadable(std::uint32_t key) {
  FlushPiece();
  ++fallbacks_;
  if (charsetEncoder_) {
    AppendUtf8(kReplacement, written_);
  } else if (resultTable_ == TextCode::Unicode) {
    PutUnit(sourceTable_ == TextCode::Unicode ? key : kReplacement);
  } else if (unicodeKeys_) {
    written_.push_back('?');
  } else {
    PutByCharacterRule(key);
  }
}

void PhraseCodeDecoder::FlushPiece() {
  if (piece_.empty()) {
    return;
  }
  converted_.clear();
  sources_.clear();
  converter_.ConvertPiece(piece_, converted_, &sources_,
                          [this](char32_t point) { return CanHold(point); });
  for (std::size_t i = 0; i < converted_.size(); ++i) {
    PutCharacter(converted_[i], sources_[i]);
  }
  piece_.clear();
  keys_.clear();
}

bool PhraseCodeDecoder::CanHold(char32_t point) const {
  if (point < 0x80 || charsetEncoder_ || resultTable_ == TextCode::Unicode ||
      CodeOf(point, resultTable_)) {
    return true;
  }
  if (!taiwanGlyphs_) {
    return false;
  }
  const std::optional<char32_t> taiwan = converter_.TaiwanGlyph(point);
  return taiwan && CodeOf(*taiwan, resultTable_);
}

void PhraseCodeDecoder::PutCharacter(char32_t point, std::uint32_t source) {
  if (charsetEncoder_) {
    AppendUtf8(point, written_);
    return;
  }
  if (resultTable_ == TextCode::Unicode) {
    if (point < 0x10000) {
      PutUnit(point);
    } else {
      PutUnit(0xD800 + ((point - 0x10000) >> 10));
      PutUnit(0xDC00 + ((point - 0x10000) & 0x3FF));
    }
    return;
  }
  if (point < 0x80) {
    written_.push_back(static_cast<char>(point));
    return;
  }
  if (const std::optional<std::uint16_t> code = CodeOf(point, resultTable_)) {
    PutUnit(*code);
    return;
  }
  if (taiwanGlyphs_) {
    if (const std::optional<char32_t> taiwan = converter_.TaiwanGlyph(point)) {
      if (const std::optional<std::uint16_t> code = CodeOf(*taiwan, resultTable_)) {
        PutUnit(*code);
        return;
      }
    }
  }
  ++fallbacks_;
  if (source == kNoSource) {
    written_.push_back('?');
  } else {
    PutByCharacterRule(keys_[source]);
  }
}

void PhraseCodeDecoder::PutByCharacterRule(std::uint32_t key) {
  if (key < 0x80) {
    written_.push_back(static_cast<char>(key));
    return;
  }
  if (unicodeKeys_) {
    // The character itself in the result code, or through the other code and
    // the GB-Big5 table (a simplified character into Big5, a traditional one
    // into GB).
    std::optional<std::uint16_t> code = CodeOf(key, resultTable_);
    if (!code && resultTable_ == TextCode::Big5) {
      const std::optional<std::uint16_t> gb = CodeOf(key, TextCode::Gb);
      code = gb ? LookupGbToBig5(*gb) : std::nullopt;
    } else if (!code) {
      const std::optional<std::uint16_t> big5 = CodeOf(key, TextCode::Big5);
      code = big5 ? LookupBig5ToGb(*big5) : std::nullopt;
    }
    if (code) {
      PutUnit(*code);
    } else {
      written_.push_back('?');
    }
    return;
  }
  std::optional<std::uint16_t> code;
  if (sourceTable_ == TextCode::Gb && resultTable_ == TextCode::Big5) {
    code = LookupGbToBig5(key);
  } else if (sourceTable_ == TextCode::Big5 && resultTable_ == TextCode::Gb) {
    code = LookupBig5ToGb(key);
  }
  PutUnit(code.value_or(static_cast<std::uint16_t>(key)));
}

void PhraseCodeDecoder::PutUnit(std::uint32_t unit) {
  written_.push_back(static_cast<char>((unit >> 8) & 0xFF));
  written_.push_back(static_cast<char>(unit & 0xFF));
}

PhraseCodeText ConvertCodesByPhrases(std::string_view text, PhraseCode sourceCode,
                                     PhraseCode resultCode, const PhraseConverter& converter) {
  PhraseCodeDecoder decoder(converter, sourceCode, resultCode);
  PhraseCodeText result;
  result.bytes.reserve(text.size() + text.size() / 4);
  decoder.Feed(text, result.bytes);
  decoder.Finish(result.bytes);
  result.fallbacks = decoder.Fallbacks();
  result.unreadable = decoder.Unreadable();
  result.unwritable = decoder.Unwritable();
  return result;
}

}  // namespace vortane
