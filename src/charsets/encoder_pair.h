// Two encoders of one code that read one text in two parts at once: a block
// is cut where nothing is carried (CleanCut), the part before the cut read by
// one encoder while the part after it is read by the other on another thread;
// then they trade places, so that the one that read the end of the block goes
// on with the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "charsets/charset.h"
#include "charsets/charset_stream.h"
#include "codec/simd_level.h"

namespace vortane {

// Where a block of UTF-8 may be cut so that an encoder holds nothing at the
// cut: the first place at or after `from` that follows an ASCII byte, or a
// lead byte of three and its two continuation bytes (whatever the bytes
// before, a reader of UTF-8 has ended a character or an ill-formed sequence
// there, and neither is a letter that waits for a combining mark). Looks at
// most `within` bytes on; npos when there is none.
[[nodiscard]] std::size_t CleanCut(std::string_view utf8, std::size_t from, std::size_t within);

class EncoderPair {
 public:
  explicit EncoderPair(Charset charset, IllFormedUtf8 illFormed = IllFormedUtf8::QuestionMark);

  // Whether a block may be cut at a CleanCut: the code carries nothing from
  // one character to the next but a cut-off sequence and a letter waiting for
  // its mark (GB 18030, Big5-HKSCS, UTF-8, UTF-16 without a mark; not HZ's
  // mode, UTF-7's open run or the mark UTF-16 writes once).
  [[nodiscard]] bool MayCut() const { return mayCut_; }

  [[nodiscard]] std::size_t MaxOutput(std::size_t n) const { return first_.MaxOutput(n); }
  // The text as it goes on, or the part of a block before a cut
  // (CharsetEncoder::FeedInto).
  char* FeedInto(std::string_view utf8Block, char* dst);
  // The part of a block after a cut, read by the other encoder; may run on
  // another thread at the same time as FeedInto.
  char* FeedAfterCutInto(std::string_view utf8Part, char* dst);
  // After both parts of a cut block: the encoder that read the end goes on.
  void EndCut() { std::swap(first_, second_); }
  // Ends the text (CharsetEncoder::Finish).
  void Finish(std::string& out) { first_.Finish(out); }
  // The counts of both encoders together.
  [[nodiscard]] std::size_t Unwritable() const {
    return first_.Unwritable() + second_.Unwritable();
  }
  [[nodiscard]] std::size_t IllFormed() const { return first_.IllFormed() + second_.IllFormed(); }

  SimdLevel simd = DetectSimdLevel();  // the fast path used; every level gives the same bytes

 private:
  bool mayCut_;
  CharsetEncoder first_;
  CharsetEncoder second_;
};

}  // namespace vortane
