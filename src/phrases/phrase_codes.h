// Conversion by phrases between the byte codes of the code tables: GB or
// Big5 text and big-endian Unicode units are read into characters, converted
// by phrases, and written in the result code. A character the result code
// cannot hold in its phrase form is converted from its source character by
// the code tables instead (the character rule), and counted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cjk/text_code.h"
#include "phrases/phrase_converter.h"

namespace vortane {

// An incremental decoder for PumpStream. Units are read as the character
// rules read them: a byte below 0x80, or a byte of 0x80 or more with the byte
// after it, whatever its value; Unicode as 16-bit units, high byte first, a
// surrogate pair making one character. Characters are gathered into pieces
// (see kPieceTarget), converted by phrases and written:
// - ASCII as itself; other characters as their code in the result code;
// - into Big5 from a Hong Kong conversion, a form Big5 lacks as its Taiwan
//   glyph when Big5 holds that;
// - otherwise by the character rule from the source character: GB -> Big5
//   and Big5 -> GB through the GB-Big5 table, the same code copied, Unicode
//   through the Unicode table of the result code; a code no table converts
//   passes unchanged (GB, Big5) or becomes "?" (from Unicode); a character
//   that stands for no single source character becomes "?".
// Units no table reads (and a lone last byte) never reach OpenCC: they go by
// the character rule (into Unicode: U+FFFD; a lone last byte passes
// unchanged), and are counted too. Into Unicode every character is held.
class PhraseCodeDecoder {
 public:
  // `converter` must outlive the decoder.
  PhraseCodeDecoder(const PhraseConverter& converter, TextCode sourceCode, TextCode resultCode);

  // Appends the conversion of `block` to `out`; characters after the last
  // place a piece may end are kept for the next block.
  void Feed(std::string_view block, std::string& out);
  // Ends the input: converts what is kept and writes a lone last byte.
  void Finish(std::string& out);
  // Never done before the end of the input.
  [[nodiscard]] bool Done() const { return false; }

  // Characters and units written by the character rule so far.
  [[nodiscard]] std::size_t Fallbacks() const { return fallbacks_; }

 private:
  void TakeUnit(std::uint32_t key, std::string& out);
  void TakeCharacter(char32_t point, std::uint32_t key, std::string& out);
  void TakeUnreadable(std::uint32_t key, std::string& out);
  void FlushPiece(std::string& out);
  [[nodiscard]] bool CanHold(char32_t point) const;
  void PutCharacter(char32_t point, std::uint32_t source, std::string& out);
  void PutByCharacterRule(std::uint32_t key, std::string& out);
  void PutCode(std::uint32_t code, std::string& out) const;

  const PhraseConverter& converter_;
  TextCode sourceCode_;
  TextCode resultCode_;
  bool taiwanGlyphs_;  // into Big5 from a Hong Kong conversion
  std::u32string piece_;
  std::vector<std::uint32_t> keys_;  // the source unit of each character of piece_
  std::u32string converted_;
  std::vector<std::uint32_t> sources_;
  unsigned char pendingByte_ = 0;  // a unit's first byte, from the end of a block
  bool hasPendingByte_ = false;
  std::uint32_t pendingHigh_ = 0;  // a high surrogate waiting for its low half
  std::size_t fallbacks_ = 0;
};

// A whole text converted by phrases, and how many characters went by the
// character rule (see PhraseCodeDecoder).
struct PhraseCodeText {
  std::string bytes;
  std::size_t fallbacks = 0;
};
[[nodiscard]] PhraseCodeText ConvertCodesByPhrases(std::string_view text, TextCode sourceCode,
                                                   TextCode resultCode,
                                                   const PhraseConverter& converter);

}  // namespace vortane
