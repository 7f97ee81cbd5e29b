// Base64 decoding: the character classes, the frame (text) rule and the file
// (stream) rule. Decoding ends at the first Stop byte; nothing is reported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "codec/byte_stream.h"
#include "codec/simd_level.h"

namespace vortane {

enum class Base64CharKind { Alphabet = 0, Stop = 1, Skip = 2 };

// A-Z a-z 0-9 + / are Alphabet; CR, LF and space are Skip; every other byte
// (NUL, "=", "-", tab, 0x80-0xFF, ...) is Stop.
[[nodiscard]] Base64CharKind ClassifyBase64Char(unsigned char byte);

// The value 0..63 of an Alphabet byte; only asked for Alphabet bytes (any
// other byte gives -1).
[[nodiscard]] int Base64CharValue(unsigned char byte);

// Frame rule: groups of four values, CR/LF/space skipped, ends at the first
// Stop byte (a partial group of 2 or 3 values gives 1 or 2 bytes); a group is
// begun only while at least four bytes remain. Returns the whole result (it may
// hold 0 bytes; cutting at the first 0 is the caller's business).
[[nodiscard]] std::string DecodeBase64Text(std::string_view text);

// File rule: like the frame rule without the four-bytes-remain bound; the end
// of the input counts as a Stop byte. Reading stops at the first Stop byte.
[[nodiscard]] StreamStatus DecodeBase64Stream(ByteReader& in, ByteWriter& out);

// The file rule as an incremental decoder for PumpStream. Feed decodes one
// block and carries a partial group to the next; Finish treats the end of the
// input as a Stop byte; Done is true once a Stop byte was read (everything
// after it is ignored). Default-constructed, it is at the start of a stream.
struct Base64StreamDecoder {
  // Room FeedInto needs for a block of n bytes.
  [[nodiscard]] std::size_t MaxOutput(std::size_t n) const;
  // Decodes `block` into dst and returns the end of what it wrote.
  char* FeedInto(std::string_view block, char* dst);
  // Appends the bytes decoded from `block` to `out`.
  void Feed(std::string_view block, std::string& out);
  void Finish(std::string& out);
  [[nodiscard]] bool Done() const { return stopped; }

  std::uint32_t group = 0;  // values taken in the current group, 6 bits each
  int taken = 0;            // how many places (0..3) of the group are filled
  bool stopped = false;
  SimdLevel simd = DetectSimdLevel();  // the fast path used; every level gives the same bytes
};

}  // namespace vortane
