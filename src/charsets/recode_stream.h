// Re-encoding a stream from one code to another through UTF-8: the characters
// stay what they are, only their bytes change.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "charsets/charset.h"
#include "cjk/text_code.h"
#include "codec/simd_level.h"

namespace vortane {

// A code as the convert command names it: one of the converter's own codes,
// read and written through the program's code tables (Gb: GB 2312; Big5: Big5
// without the Hong Kong additions; Unicode: big-endian 16-bit units, read
// little-endian after a leading FF FE, written big-endian without a mark), or
// one of the charsets.
using ConvertCode = std::variant<TextCode, Charset>;

// The canonical name of a code: "gb", "big5", "unicode", or CharsetName.
[[nodiscard]] std::string_view ConvertCodeName(const ConvertCode& code);

// Reads `from`, writes `to`. What `from` cannot read becomes U+FFFD on the way
// (counted in Unreadable()), written as "?" when `to` cannot hold U+FFFD; any
// other character `to` cannot hold becomes "?" (counted in Unwritable()).
// Works with PumpStream.
class RecodeDecoder {
 public:
  RecodeDecoder(ConvertCode from, ConvertCode to);
  ~RecodeDecoder();
  RecodeDecoder(RecodeDecoder&&) noexcept;
  RecodeDecoder& operator=(RecodeDecoder&&) noexcept;

  // Appends the bytes of `to` for `block` to `out`.
  void Feed(std::string_view block, std::string& out);
  // At most the bytes FeedInto writes for a block of `n` bytes: one input
  // byte gives at most five (U+FFFD as UTF-7's "+//0-"), and the bytes carried
  // from the block before add a few characters more.
  [[nodiscard]] std::size_t MaxOutput(std::size_t n) const { return 8 * n + 256; }
  // Writes the bytes of `to` for `block` at `o`; returns the end of what it
  // wrote. Lets the pump read large blocks and overlap reading and writing.
  char* FeedInto(std::string_view block, char* o);
  // Where the pump may cut `block` so that its helper thread re-encodes the
  // part after the cut (FeedAfterCutInto) while FeedInto reads the part
  // before it; block.size() when it may not: small blocks, two steps, codes
  // that carry a state from character to character.
  [[nodiscard]] std::size_t CutFor(std::string_view block) const;
  // The part of a block after CutFor's cut, at `o` (room for MaxOutput of its
  // size); may run at the same time as FeedInto of the part before.
  char* FeedAfterCutInto(std::string_view part, char* o);
  // After both parts of a cut block.
  void EndCut();
  // Ends the input.
  void Finish(std::string& out);
  [[nodiscard]] bool Done() const { return false; }
  [[nodiscard]] std::size_t Unreadable() const;
  [[nodiscard]] std::size_t Unwritable() const;

  SimdLevel simd = DetectSimdLevel();  // the fast path used; every level gives the same bytes

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vortane
