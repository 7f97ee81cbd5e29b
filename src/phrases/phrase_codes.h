// Conversion by phrases between byte codes: the code tables' GB, Big5 and
// big-endian Unicode units, or any code of the charsets library. The text is
// read into characters, converted by phrases, and written in the result code.
// Into a code table's code, a character the result code cannot hold in its
// phrase form is converted from its source character by the code tables
// instead (the character rule), and counted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "charsets/charset.h"
#include "charsets/charset_stream.h"
#include "cjk/text_code.h"
#include "phrases/phrase_converter.h"

namespace vortane {

// A code conversion by phrases reads or writes: a code of the code tables
// (TextCode) or of the charsets library (Charset).
using PhraseCode = std::variant<TextCode, Charset>;

// An incremental decoder for PumpStream. A code table's text is read in the
// units of the character rules: a byte below 0x80, or a byte of 0x80 or more
// with the byte after it, whatever its value; Unicode as 16-bit units, high
// byte first (low byte first after a leading mark FF FE, which is dropped, as
// the converter's "unicode" reads elsewhere), a surrogate pair making one
// character. A charsets code is read
// by its CharsetDecoder. Characters are gathered into pieces (see
// kPieceTarget), converted by phrases and written:
// - into a charsets code by its CharsetEncoder ("?" for what it cannot hold);
// - into Unicode units as they are;
// - into GB or Big5: ASCII as itself, other characters as their code; into
//   Big5 from a Hong Kong conversion, a form Big5 lacks as its Taiwan glyph
//   when Big5 holds that; otherwise by the character rule from the source
//   character: GB -> Big5 and Big5 -> GB through the GB-Big5 table, the same
//   code copied, from Unicode or a charsets code through the Unicode table of
//   the result or else through the other code's and the GB-Big5 table; a GB
//   or Big5 code no table converts passes unchanged, any other becomes "?",
//   and so does a character that stands for no single source character.
// Units of a code table's text that the table cannot read (and a lone last
// byte) never reach OpenCC: they go by the character rule (GB, Big5: their
// bytes unchanged or converted by the GB-Big5 table; Unicode units unchanged
// into Unicode, "?" into GB or Big5; into a charsets code U+FFFD), and are
// counted too.
class PhraseCodeDecoder {
 public:
  // `converter` must outlive the decoder.
  PhraseCodeDecoder(const PhraseConverter& converter, PhraseCode sourceCode, PhraseCode resultCode);
  ~PhraseCodeDecoder();
  PhraseCodeDecoder(const PhraseCodeDecoder&) = delete;
  PhraseCodeDecoder& operator=(const PhraseCodeDecoder&) = delete;

  // Appends the conversion of `block` to `out`; characters after the last
  // place a piece may end are kept for the next block.
  void Feed(std::string_view block, std::string& out);
  // Ends the input: converts what is kept and writes a lone last byte.
  void Finish(std::string& out);
  // Never done before the end of the input.
  [[nodiscard]] bool Done() const { return false; }

  // Characters and units written by the character rule so far.
  [[nodiscard]] std::size_t Fallbacks() const { return fallbacks_; }
  // Byte sequences a charsets source code could not read (each became U+FFFD).
  [[nodiscard]] std::size_t Unreadable() const;
  // Characters a charsets result code could not hold (each became "?").
  [[nodiscard]] std::size_t Unwritable() const;

 private:
  void FeedTableText(std::string_view block);
  void TakeUnit(std::uint32_t key);
  void TakeUtf8(std::string_view utf8);
  void TakeCharacter(char32_t point, std::uint32_t key);
  void TakeUnreadable(std::uint32_t key);
  void FlushPiece();
  void HandOver(std::string& out);
  [[nodiscard]] bool CanHold(char32_t point) const;
  void PutCharacter(char32_t point, std::uint32_t source);
  void PutByCharacterRule(std::uint32_t key);
  void PutUnit(std::uint32_t unit);

  const PhraseConverter& converter_;
  TextCode sourceTable_ = TextCode::Gb;             // when charsetDecoder_ is not set
  TextCode resultTable_ = TextCode::Gb;             // when charsetEncoder_ is not set
  std::unique_ptr<CharsetDecoder> charsetDecoder_;  // a charsets source
  std::unique_ptr<CharsetEncoder> charsetEncoder_;  // a charsets result
  bool unicodeKeys_;   // source keys are code points (Unicode, charsets)
  bool taiwanGlyphs_;  // into Big5 from a Hong Kong conversion
  std::u32string piece_;
  std::vector<std::uint32_t> keys_;  // the source unit of each character of piece_
  std::u32string converted_;
  std::vector<std::uint32_t> sources_;
  std::string written_;            // what the current call writes (UTF-8 for a charsets result)
  std::string decoded_;            // UTF-8 from a charsets source
  unsigned char pendingByte_ = 0;  // a unit's first byte, from the end of a block
  bool hasPendingByte_ = false;
  std::uint32_t pendingHigh_ = 0;  // a high surrogate waiting for its low half
  bool unitsStarted_ = false;      // Unicode units: the first one has been read
  bool littleEndian_ = false;      // Unicode units after the mark FF FE
  std::size_t fallbacks_ = 0;
};

// A whole text converted by phrases, with the counts of PhraseCodeDecoder.
struct PhraseCodeText {
  std::string bytes;
  std::size_t fallbacks = 0;
  std::size_t unreadable = 0;
  std::size_t unwritable = 0;
};
[[nodiscard]] PhraseCodeText ConvertCodesByPhrases(std::string_view text, PhraseCode sourceCode,
                                                   PhraseCode resultCode,
                                                   const PhraseConverter& converter);

}  // namespace vortane
