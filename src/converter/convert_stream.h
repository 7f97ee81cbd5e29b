// The code converter's engine: streams a text from GB, Big5 or Unicode into GB
// or Big5, with the rule for the blank in front of a Chinese character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cjk/code_map.h"
#include "cjk/text_code.h"
#include "codec/byte_stream.h"
#include "codec/simd_level.h"

namespace vortane {

enum class BlankMode { AddBlank = 0, RemoveBlank = 1, KeepStill = 2 };

// Reads `source` to its end and writes the converted text to `result`.
// `resultCode` must be Gb or Big5. A lone last lead byte (GB/Big5) or a lone
// last byte (Unicode) is written unchanged. Fails only when reading or writing fails.
[[nodiscard]] StreamStatus ConvertStream(ByteReader& source, ByteWriter& result,
                                         TextCode sourceCode, TextCode resultCode,
                                         BlankMode blankMode);

// ConvertStream as an incremental decoder for PumpStream. GB and Big5 sources
// are read as bytes below 0x80 and lead-trail pairs, Unicode sources as
// big-endian 16-bit units (high byte 0: a single-byte unit); a Unicode source
// that begins with the little-endian mark FF FE is read little-endian instead,
// the mark dropped (the big-endian mark FE FF is an ordinary unit). Double-byte units
// go through the lookup of the pair of codes (GB->Big5, Big5->GB, Unicode->GB,
// Unicode->Big5; same code or a Unicode result: copied), not found ones pass
// unchanged. A space (0x20) is held back by one unit, so that the blank rule
// can drop, keep or add the one blank directly in front of a double-byte unit.
// State across blocks: the held-back space and a unit's first byte.
class ConvertDecoder {
 public:
  ConvertDecoder(TextCode sourceCode, TextCode resultCode, BlankMode blankMode);

  // Room FeedInto needs for a block of n bytes.
  [[nodiscard]] std::size_t MaxOutput(std::size_t n) const;
  // Converts `block` into dst and returns the end of what it wrote.
  char* FeedInto(std::string_view block, char* dst);
  // Appends the conversion of `block` to `out`.
  void Feed(std::string_view block, std::string& out);
  // Ends the input: writes a lone last byte unchanged (after the space held
  // back, if any), then the space still held back.
  void Finish(std::string& out);
  // Never done before the end of the input.
  [[nodiscard]] bool Done() const { return false; }

  SimdLevel simd = DetectSimdLevel();  // the fast path used; every level gives the same bytes

 private:
  template <BlankMode kMode>
  char* FeedDoubleByteText(const unsigned char* s, std::size_t n, char* o);
  template <BlankMode kMode>
  char* FeedUnits(const unsigned char* s, std::size_t n, char* o);
  // The fast path of FeedUnits under AddBlank (any level but Plain).
  char* FeedUnitsAddingBlanks(const unsigned char* s, std::size_t n, char* o);
  template <BlankMode kMode>
  char* PutDouble(std::uint32_t key, char* o, bool& pending) const;
  static char* PutSingle(unsigned char value, char* o, bool& pending);

  bool unicodeSource_;
  bool identity_;  // same code and KeepStill: the output is the input
  BlankMode blankMode_;
  const CodeMap& codes_;  // the result code of each double-byte key
  bool pendingBlank_ = false;
  bool atStart_ = true;        // a Unicode source's first unit not yet seen
  bool littleEndian_ = false;  // a Unicode source began with FF FE
  bool hasFirstByte_ = false;
  unsigned char firstByte_ = 0;
};

}  // namespace vortane
