#include "charsets/charset_stream.h"

#include <algorithm>

#include "charsets/big5_hkscs_codec.h"
#include "charsets/codec_steps.h"
#include "charsets/gb18030_codec.h"
#include "charsets/hz_utf7_codecs.h"
#include "charsets/utf_codecs.h"
#include "cjk/utf7.h"

namespace vortane {
namespace {

using namespace charsets_detail;

// Blocks are cut into pieces of this size inside Feed, so the output buffer
// each step sizes for its worst case stays small however large the block.
constexpr std::size_t kPieceSize = 64 * 1024;

template <class Fn>
void InPieces(std::string_view block, Fn&& fn) {
  while (!block.empty()) {
    const std::size_t n = std::min(block.size(), kPieceSize);
    fn(block.substr(0, n));
    block.remove_prefix(n);
  }
}

ByteOrder ReadOrder(Charset charset) {
  return charset == Charset::Utf16Le   ? ByteOrder::Little
         : charset == Charset::Utf16Be ? ByteOrder::Big
                                       : ByteOrder::Unknown;
}

}  // namespace

struct CharsetDecoder::State {
  std::string carry;
  std::size_t unreadable = 0;
  Utf16Reader utf16;
  HzFrameReader hz;
  Utf7Decoder utf7;
  std::string scratch;  // HZ: GB bytes; UTF-7: big-endian units
};

CharsetDecoder::CharsetDecoder(Charset charset)
    : charset_(charset), state_(std::make_unique<State>()) {
  state_->utf16.order = ReadOrder(charset);
}
CharsetDecoder::~CharsetDecoder() = default;
CharsetDecoder::CharsetDecoder(CharsetDecoder&&) noexcept = default;
CharsetDecoder& CharsetDecoder::operator=(CharsetDecoder&&) noexcept = default;

std::size_t CharsetDecoder::Unreadable() const { return state_->unreadable; }

void CharsetDecoder::Feed(std::string_view block, std::string& utf8Out) {
  StepOut out(utf8Out);
  FeedTo(block, out);
}

char* CharsetDecoder::FeedInto(std::string_view block, char* dst) {
  return FeedRegion(dst, MaxOutput(block.size()), [&](StepOut& out) { FeedTo(block, out); });
}

void CharsetDecoder::FeedTo(std::string_view block, StepOut& utf8Out) {
  State& s = *state_;
  std::size_t& bad = s.unreadable;
  const SimdLevel level = simd;
  const auto gb = [&bad, level](std::string_view in, bool last, StepOut& out) {
    return DecodeGb18030Step(in, last, out, bad, level);
  };
  const auto utf16 = [&s, level](std::string_view in, bool last, StepOut& out) {
    return DecodeUtf16Step(s.utf16, in, last, out, s.unreadable, level);
  };
  InPieces(block, [&](std::string_view piece) {
    switch (charset_) {
      case Charset::Gb18030:
        FeedCarried(s.carry, piece, utf8Out, gb);
        break;
      case Charset::Big5Hkscs:
        FeedCarried(s.carry, piece, utf8Out,
                    [&bad, level](std::string_view in, bool last, StepOut& out) {
                      return DecodeBig5HkscsStep(in, last, out, bad, level);
                    });
        break;
      case Charset::Utf8:
        FeedCarried(s.carry, piece, utf8Out,
                    [&bad, level](std::string_view in, bool last, StepOut& out) {
                      return DecodeUtf8Step(in, last, out, bad, level);
                    });
        break;
      case Charset::Utf16Le:
      case Charset::Utf16Be:
      case Charset::Utf16:
        FeedCarried(s.carry, piece, utf8Out, utf16);
        break;
      case Charset::Hz:
        s.scratch.clear();
        UnwrapHzFrames(s.hz, piece, s.scratch);
        FeedCarried(s.carry, s.scratch, utf8Out, gb);
        break;
      case Charset::Utf7:
        s.scratch.clear();
        s.utf7.Feed(piece, s.scratch);
        FeedCarried(s.carry, s.scratch, utf8Out, utf16);
        break;
    }
  });
}

void CharsetDecoder::Finish(std::string& text) {
  StepOut utf8Out(text);
  State& s = *state_;
  std::size_t& bad = s.unreadable;
  const SimdLevel level = simd;
  const auto gb = [&bad, level](std::string_view in, bool last, StepOut& out) {
    return DecodeGb18030Step(in, last, out, bad, level);
  };
  const auto utf16 = [&s, level](std::string_view in, bool last, StepOut& out) {
    return DecodeUtf16Step(s.utf16, in, last, out, s.unreadable, level);
  };
  switch (charset_) {
    case Charset::Gb18030:
      FinishCarried(s.carry, utf8Out, gb);
      break;
    case Charset::Big5Hkscs:
      FinishCarried(s.carry, utf8Out, [&bad, level](std::string_view in, bool last, StepOut& out) {
        return DecodeBig5HkscsStep(in, last, out, bad, level);
      });
      break;
    case Charset::Utf8:
      FinishCarried(s.carry, utf8Out, [&bad, level](std::string_view in, bool last, StepOut& out) {
        return DecodeUtf8Step(in, last, out, bad, level);
      });
      break;
    case Charset::Utf16Le:
    case Charset::Utf16Be:
    case Charset::Utf16:
      FinishCarried(s.carry, utf8Out, utf16);
      break;
    case Charset::Hz:
      s.scratch.clear();
      FinishHzFrames(s.hz, s.scratch);
      FeedCarried(s.carry, s.scratch, utf8Out, gb);
      FinishCarried(s.carry, utf8Out, gb);
      break;
    case Charset::Utf7:
      s.scratch.clear();
      s.utf7.Finish(s.scratch);
      FeedCarried(s.carry, s.scratch, utf8Out, utf16);
      FinishCarried(s.carry, utf8Out, utf16);
      break;
  }
  // Ready for a new text, with the count kept.
  const std::size_t unreadable = s.unreadable;
  s = State{};
  s.unreadable = unreadable;
  s.utf16.order = ReadOrder(charset_);
}

struct CharsetEncoder::State {
  std::string carry;
  EncodeCounts counts;
  Big5HkscsWriter big5;
  Utf16Writer utf16;
  HzWriter hz;
  Utf7Writer utf7;
};

namespace {

Utf16Writer WriterFor(Charset charset) {
  if (charset == Charset::Utf16Be) {
    return {ByteOrder::Big, false};
  }
  return {ByteOrder::Little, charset == Charset::Utf16};
}

}  // namespace

CharsetEncoder::CharsetEncoder(Charset charset, IllFormedUtf8 illFormed)
    : charset_(charset), state_(std::make_unique<State>()) {
  state_->utf16 = WriterFor(charset);
  state_->counts.illFormedAsReplacement = illFormed == IllFormedUtf8::Replacement;
}
CharsetEncoder::~CharsetEncoder() = default;
CharsetEncoder::CharsetEncoder(CharsetEncoder&&) noexcept = default;
CharsetEncoder& CharsetEncoder::operator=(CharsetEncoder&&) noexcept = default;

std::size_t CharsetEncoder::Unwritable() const { return state_->counts.unwritable; }
std::size_t CharsetEncoder::IllFormed() const { return state_->counts.illFormed; }

namespace {

// The encode step of `charset` over the writer states of `s`.
template <class EncoderState>
auto EncodeStepFor(Charset charset, SimdLevel level, EncoderState& s) {
  return [charset, level, &s](std::string_view in, bool last, StepOut& out) -> std::size_t {
    switch (charset) {
      case Charset::Gb18030:
        return EncodeGb18030Step(in, last, out, s.counts, level);
      case Charset::Big5Hkscs:
        return EncodeBig5HkscsStep(s.big5, in, last, out, s.counts, level);
      case Charset::Utf8:
        return EncodeUtf8ToUtf8Step(in, last, out, s.counts, level);
      case Charset::Utf16Le:
      case Charset::Utf16Be:
      case Charset::Utf16:
        return EncodeUtf16Step(s.utf16, in, last, out, s.counts, level);
      case Charset::Hz:
        return EncodeHzStep(s.hz, in, last, out, s.counts);
      case Charset::Utf7:
        return EncodeUtf7Step(s.utf7, in, last, out, s.counts);
    }
    return in.size();
  };
}

}  // namespace

void CharsetEncoder::Feed(std::string_view utf8Block, std::string& out) {
  StepOut to(out);
  FeedTo(utf8Block, to);
}

char* CharsetEncoder::FeedInto(std::string_view utf8Block, char* dst) {
  return FeedRegion(dst, MaxOutput(utf8Block.size()),
                    [&](StepOut& out) { FeedTo(utf8Block, out); });
}

void CharsetEncoder::FeedTo(std::string_view utf8Block, StepOut& out) {
  State& s = *state_;
  const auto step = EncodeStepFor(charset_, simd, s);
  InPieces(utf8Block, [&](std::string_view piece) { FeedCarried(s.carry, piece, out, step); });
}

void CharsetEncoder::Finish(std::string& bytes) {
  StepOut out(bytes);
  State& s = *state_;
  FinishCarried(s.carry, out, EncodeStepFor(charset_, simd, s));
  const EncodeCounts counts = s.counts;
  s = State{};
  s.counts = counts;
  s.utf16 = WriterFor(charset_);
}

}  // namespace vortane
