// Decoding and encoding text of any code a block at a time, the state carried
// across block edges: the output does not depend on where the blocks end.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "charsets/charset.h"
#include "codec/simd_level.h"

namespace vortane {

namespace charsets_detail {
class StepOut;
}

// Bytes of `charset` in, UTF-8 out. Bytes the code cannot read become U+FFFD,
// each counted in Unreadable(). Works with PumpStream.
class CharsetDecoder {
 public:
  explicit CharsetDecoder(Charset charset);
  ~CharsetDecoder();
  CharsetDecoder(CharsetDecoder&&) noexcept;
  CharsetDecoder& operator=(CharsetDecoder&&) noexcept;

  // Appends the UTF-8 of `block` to `utf8Out`; a character cut off at the end
  // of the block is held until the next one.
  void Feed(std::string_view block, std::string& utf8Out);
  // At most the bytes FeedInto may touch for a block of `n` bytes: a step
  // sizes its output for three bytes of UTF-8 a byte (U+FFFD for a stray
  // byte), four for UTF-7, whose direct characters are 16-bit units first;
  // the bytes carried from the block before add a few.
  [[nodiscard]] std::size_t MaxOutput(std::size_t n) const { return 4 * n + 64; }
  // Feed, writing at `dst` (room for MaxOutput bytes) instead; returns the end
  // of what it wrote. The pump decodes into its own buffer this way.
  char* FeedInto(std::string_view block, char* dst);
  // Ends the input: a character still cut off becomes U+FFFD. The decoder can
  // then start a new text.
  void Finish(std::string& utf8Out);
  // Unreadable sequences so far (not reset by Finish).
  [[nodiscard]] std::size_t Unreadable() const;
  // Never done before the end of the input (for PumpStream).
  [[nodiscard]] bool Done() const { return false; }
  [[nodiscard]] Charset charset() const { return charset_; }

  SimdLevel simd = DetectSimdLevel();  // the fast path used; every level gives the same bytes

 private:
  struct State;
  void FeedTo(std::string_view block, charsets_detail::StepOut& out);
  Charset charset_;
  std::unique_ptr<State> state_;
};

// How an encoder writes an ill-formed UTF-8 sequence: as "?", counted in
// Unwritable(); or as U+FFFD, as if the bytes had been read into it (written
// as "?" and counted in Unwritable() only where the code lacks U+FFFD).
enum class IllFormedUtf8 { QuestionMark, Replacement };

// UTF-8 in, bytes of `charset` out. A character the code cannot hold becomes
// "?", and so does each ill-formed UTF-8 sequence (or see IllFormedUtf8);
// both are counted in Unwritable(). Works with PumpStream.
class CharsetEncoder {
 public:
  explicit CharsetEncoder(Charset charset, IllFormedUtf8 illFormed = IllFormedUtf8::QuestionMark);
  ~CharsetEncoder();
  CharsetEncoder(CharsetEncoder&&) noexcept;
  CharsetEncoder& operator=(CharsetEncoder&&) noexcept;

  // Appends the bytes for `utf8Block` to `out`; a UTF-8 sequence cut off at
  // the end of the block, or a character whose code depends on the next one,
  // is held until the next block.
  void Feed(std::string_view utf8Block, std::string& out);
  // At most the bytes FeedInto may touch for `n` bytes of UTF-8: a step sizes
  // its output for five bytes a byte (HZ: "~~" and a mode change), plus a few
  // for the carried bytes and what a step closes.
  [[nodiscard]] std::size_t MaxOutput(std::size_t n) const { return 5 * n + 64; }
  // Feed, writing at `dst` (room for MaxOutput bytes) instead; returns the end
  // of what it wrote.
  char* FeedInto(std::string_view utf8Block, char* dst);
  // Ends the input: writes what is held and closes an open mode (HZ's "~}",
  // UTF-7's run). The encoder can then start a new text.
  void Finish(std::string& out);
  // Unwritable characters so far (not reset by Finish).
  [[nodiscard]] std::size_t Unwritable() const;
  // Ill-formed UTF-8 sequences read so far (not reset by Finish).
  [[nodiscard]] std::size_t IllFormed() const;
  // Never done before the end of the input (for PumpStream).
  [[nodiscard]] bool Done() const { return false; }
  [[nodiscard]] Charset charset() const { return charset_; }

  SimdLevel simd = DetectSimdLevel();  // the fast path used; every level gives the same bytes

 private:
  struct State;
  void FeedTo(std::string_view block, charsets_detail::StepOut& out);
  Charset charset_;
  std::unique_ptr<State> state_;
};

}  // namespace vortane
