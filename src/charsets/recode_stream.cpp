#include "charsets/recode_stream.h"

#include <cstring>
#include <optional>

#include "charsets/charset_stream.h"
#include "charsets/codec_steps.h"
#include "charsets/encoder_pair.h"
#include "charsets/label_map.h"
#include "charsets/table_codes.h"
#include "charsets/utf_codecs.h"
#include "codec/byte_stream.h"

namespace vortane {

using namespace charsets_detail;

std::string_view ConvertCodeName(const ConvertCode& code) {
  if (const auto* charset = std::get_if<Charset>(&code)) {
    return CharsetName(*charset);
  }
  switch (std::get<TextCode>(code)) {
    case TextCode::Gb:
      return "gb";
    case TextCode::Big5:
      return "big5";
    case TextCode::Unicode:
      return "unicode";
  }
  return "";
}

namespace {

// The charset that reads or writes a code the way the code names it, when
// there is one: the converter's Unicode is written as UTF-16BE.
std::optional<Charset> CharsetOf(const ConvertCode& code, bool writing) {
  if (const auto* charset = std::get_if<Charset>(&code)) {
    return *charset;
  }
  if (writing && std::get<TextCode>(code) == TextCode::Unicode) {
    return Charset::Utf16Be;
  }
  return std::nullopt;
}

}  // namespace

struct RecodeDecoder::State {
  State(const ConvertCode& from, const ConvertCode& to)
      : fromCode(std::holds_alternative<TextCode>(from) ? std::get<TextCode>(from) : TextCode::Gb),
        toCode(std::holds_alternative<TextCode>(to) ? std::get<TextCode>(to) : TextCode::Gb) {
    const std::optional<Charset> reading = CharsetOf(from, false);
    const std::optional<Charset> writing = CharsetOf(to, true);
    // UTF-8 is read only once: into a charset the encoder reads it itself,
    // ill-formed sequences as U+FFFD; into UTF-8 what a decoder writes goes
    // straight to the output.
    if (reading == Charset::Utf8 && writing) {
      encoder.emplace(*writing, IllFormedUtf8::Replacement);
      encoderReads = true;
    } else {
      if (reading) {
        decoder.emplace(*reading);
      }
      utf8Out = writing == Charset::Utf8;
      if (writing && !utf8Out) {
        encoder.emplace(*writing);
      }
    }
    // Whether `to` holds U+FFFD: when it does not, each U+FFFD standing for
    // unreadable bytes is counted once, as unreadable, not again as unwritable.
    const std::string replacement = "\uFFFD";
    std::string ignored;
    if (writing) {
      CharsetEncoder probe(*writing);
      probe.Feed(replacement, ignored);
      probe.Finish(ignored);
      holdsReplacement = probe.Unwritable() == 0;
    } else {
      EncodeCounts probe;
      StepOut out(ignored);
      EncodeTableCodeStep(toCode, replacement, true, out, probe);
      holdsReplacement = probe.unwritable == 0;
    }
  }

  // The converter's own codes, read or written where there is no charset
  // decoder or encoder.
  TextCode fromCode;
  TextCode toCode;
  std::optional<CharsetDecoder> decoder;
  std::optional<EncoderPair> encoder;  // a pair, so that a block may be cut in two
  bool encoderReads = false;           // the source is UTF-8, read by the encoder itself
  bool utf8Out = false;                // decoded UTF-8 is the output
  bool holdsReplacement = true;
  std::string readCarry;
  std::string writeCarry;
  Utf16Reader units{ByteOrder::BigUnlessLittleMark};
  std::size_t unreadable = 0;  // by the converter's own codes
  EncodeCounts writeCounts;    // by the converter's own codes
  std::string utf8;            // decoded, not yet encoded
  std::string direct;          // one block's output for FeedInto

  SimdLevel simd = DetectSimdLevel();

  std::size_t ReadStep(std::string_view in, bool last, StepOut& out) {
    if (fromCode == TextCode::Unicode) {
      return DecodeUtf16Step(units, in, last, out, unreadable, simd);
    }
    return DecodeTableCodeStep(fromCode, in, last, out, unreadable);
  }

  // Feeds `in` through a charset decoder or encoder, writing straight into
  // `out` (last: the end of the input).
  template <class Coder>
  static void FeedCoder(Coder& coder, std::string_view in, bool last, StepOut& out) {
    out.EndAt(coder.FeedInto(in, out.Grow(coder.MaxOutput(in.size()))));
    if (last) {
      std::string tail;
      coder.Finish(tail);
      std::memcpy(out.Grow(tail.size()), tail.data(), tail.size());
    }
  }

  // Decodes `in` into `out` (last: the end of the input).
  void Read(std::string_view in, bool last, StepOut& out) {
    const auto read = [this](std::string_view bytes, bool end, StepOut& o) {
      return ReadStep(bytes, end, o);
    };
    if (decoder) {
      FeedCoder(*decoder, in, last, out);
    } else {
      FeedCarried(readCarry, in, out, read);
      if (last) {
        FinishCarried(readCarry, out, read);
      }
    }
  }

  // Encodes `in` into `out` (last: the end of the input).
  void Write(std::string_view in, bool last, StepOut& out) {
    const auto write = [this](std::string_view text, bool end, StepOut& o) {
      return EncodeTableCodeStep(toCode, text, end, o, writeCounts);
    };
    if (encoder) {
      FeedCoder(*encoder, in, last, out);
    } else {
      FeedCarried(writeCarry, in, out, write);
      if (last) {
        FinishCarried(writeCarry, out, write);
      }
    }
  }

  // Whether one step takes the input to the output, with no UTF-8 between.
  [[nodiscard]] bool OneStep() const { return encoderReads || utf8Out; }

  void Convert(std::string_view in, bool last, StepOut& out, SimdLevel level) {
    simd = level;
    if (decoder) {
      decoder->simd = level;
    }
    if (encoder) {
      encoder->simd = level;
    }
    if (encoderReads) {
      Write(in, last, out);
    } else if (utf8Out) {
      Read(in, last, out);
    } else {
      StepOut between(utf8);
      Read(in, last, between);
      Write(utf8, last, out);
      utf8.clear();
    }
  }
};

RecodeDecoder::RecodeDecoder(ConvertCode from, ConvertCode to)
    : state_(std::make_unique<State>(from, to)) {}
RecodeDecoder::~RecodeDecoder() = default;
RecodeDecoder::RecodeDecoder(RecodeDecoder&&) noexcept = default;
RecodeDecoder& RecodeDecoder::operator=(RecodeDecoder&&) noexcept = default;

void RecodeDecoder::Feed(std::string_view block, std::string& bytes) {
  StepOut out(bytes);
  state_->Convert(block, false, out, simd);
}

char* RecodeDecoder::FeedInto(std::string_view block, char* o) {
  State& s = *state_;
  if (s.OneStep()) {
    return FeedRegion(o, MaxOutput(block.size()),
                      [&](StepOut& out) { s.Convert(block, false, out, simd); });
  }
  // Two steps size their output for the worst case of the UTF-8 between
  // them, which MaxOutput does not cover: they write to a scratch string.
  std::string& direct = s.direct;
  direct.clear();
  StepOut out(direct);
  s.Convert(block, false, out, simd);
  std::memcpy(o, direct.data(), direct.size());
  return o + direct.size();
}

std::size_t RecodeDecoder::CutFor(std::string_view block) const {
  const State& s = *state_;
  const CutSearch search = CutSearchFor(block.size());
  if (!s.encoderReads || !s.encoder->MayCut() || search.within == 0) {
    return block.size();
  }
  const std::size_t cut = CleanCut(block, search.from, search.within);
  return cut == std::string_view::npos ? block.size() : cut;
}

char* RecodeDecoder::FeedAfterCutInto(std::string_view part, char* o) {
  EncoderPair& pair = *state_->encoder;
  pair.simd = simd;
  return pair.FeedAfterCutInto(part, o);
}

void RecodeDecoder::EndCut() { state_->encoder->EndCut(); }

void RecodeDecoder::Finish(std::string& bytes) {
  StepOut out(bytes);
  state_->Convert({}, true, out, simd);
}

std::size_t RecodeDecoder::Unreadable() const {
  const State& s = *state_;
  if (s.encoderReads) {
    return s.encoder->IllFormed();
  }
  return s.decoder ? s.decoder->Unreadable() : s.unreadable;
}

std::size_t RecodeDecoder::Unwritable() const {
  const State& s = *state_;
  const std::size_t all = s.encoder ? s.encoder->Unwritable() : s.writeCounts.unwritable;
  const std::size_t unreadable = Unreadable();
  return s.holdsReplacement || all < unreadable ? all : all - unreadable;
}

}  // namespace vortane
