// Conversion by phrases: the phrase lists first (longest match wins, and what
// they replace bypasses OpenCC), OpenCC's configuration for the text between
// their matches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "phrases/phrase_config.h"
#include "phrases/phrase_list.h"
#include "phrases/phrase_tables.h"

namespace vortane {

class PhraseConverter;

// The outcome of loading a converter: the converter, or what went wrong (a
// message naming the configuration file and OpenCC's reason).
struct PhraseConverterLoad {
  std::unique_ptr<const PhraseConverter> converter;
  std::string error;
};

// Texts are converted in pieces, cut only after a character that no phrase
// holds (line ends, blanks, the Chinese full stop and comma), so that cutting
// never changes the result. A piece is cut at the first such character after
// kPieceTarget characters, and anywhere once it reaches kPieceLimit (a text
// without a single line end or blank; a phrase across that cut is missed).
inline constexpr std::size_t kPieceTarget = 4096;
inline constexpr std::size_t kPieceLimit = 65536;

// Stands for "no single source character" in the sources of ConvertPiece.
inline constexpr std::uint32_t kNoSource = UINT32_MAX;

class PhraseConverter {
  struct Key {
    explicit Key() = default;
  };

 public:
  // Loads `config` from OpenCC's data folder `dataDir` (empty: the system's,
  // DefaultOpenccDataDir()), with the shipped fixes for it and `userList`
  // over them (the user's entries replace fixes with the same phrase).
  [[nodiscard]] static PhraseConverterLoad Load(PhraseConfig config,
                                                const PhraseList& userList = PhraseList(),
                                                const std::string& dataDir = std::string());

  [[nodiscard]] PhraseConfig config() const { return config_; }

  // True when a text may be cut into pieces right after `point`.
  [[nodiscard]] bool MayCutAfter(char32_t point) const;

  // Converts one piece (code points) and appends the result to `out`. When
  // `sources` is given, appends for each character written the index in
  // `piece` of the character it stands for: the same index where OpenCC or a
  // phrase kept the number of characters, kNoSource where it did not, except
  // that a character `holdable` rejects is traced back to the first source
  // character OpenCC converts to it alone (for the caller's fallback).
  void ConvertPiece(std::u32string_view piece, std::u32string& out,
                    std::vector<std::uint32_t>* sources = nullptr,
                    const std::function<bool(char32_t)>& holdable = nullptr) const;

  // UTF-8 in, UTF-8 out. Bytes that are not well-formed UTF-8 (and 0 bytes)
  // pass unchanged and are never shown to OpenCC.
  [[nodiscard]] std::string ConvertUtf8(std::string_view text) const;

  // Hong Kong conversions only: the Taiwan glyph of a Hong Kong form (户 ->
  // 戶, 説 -> 說), for results in plain Big5, which lacks many Hong Kong
  // forms; nullopt when the character has no other form.
  [[nodiscard]] std::optional<char32_t> TaiwanGlyph(char32_t point) const;

  PhraseConverter(Key, PhraseConfig config, PhraseList lists, PhraseTables tables,
                  PhraseTables toTraditional, PhraseTables toTaiwan);

 private:
  void ConvertGap(std::u32string_view piece, std::size_t start, std::size_t end,
                  std::u32string& out, std::vector<std::uint32_t>* sources,
                  const std::function<bool(char32_t)>& holdable) const;
  void ConvertRun(std::u32string_view piece, std::size_t start, std::size_t end,
                  std::u32string& out, std::vector<std::uint32_t>* sources,
                  const std::function<bool(char32_t)>& holdable) const;
  PhraseConfig config_;
  PhraseList lists_;  // the shipped fixes with the user's list over them
  PhraseTables tables_;
  PhraseTables toTraditional_;  // Hong Kong: hk2t
  PhraseTables toTaiwan_;       // Hong Kong: t2tw
};

}  // namespace vortane
