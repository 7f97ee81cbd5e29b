#include "charsets/recode_stream.h"

#include <optional>

#include "charsets/charset_stream.h"
#include "charsets/codec_steps.h"
#include "charsets/label_map.h"
#include "charsets/table_codes.h"
#include "charsets/utf_codecs.h"

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
    if (const auto charset = CharsetOf(from, false)) {
      decoder.emplace(*charset);
    }
    if (const auto charset = CharsetOf(to, true)) {
      encoder.emplace(*charset);
    }
    // Whether `to` holds U+FFFD: when it does not, each U+FFFD standing for
    // unreadable bytes is counted once, as unreadable, not again as unwritable.
    const std::string replacement = "\uFFFD";
    std::string ignored;
    std::size_t bad = 0;
    if (const auto charset = CharsetOf(to, true)) {
      CharsetEncoder probe(*charset);
      probe.Feed(replacement, ignored);
      probe.Finish(ignored);
      bad = probe.Unwritable();
    } else {
      EncodeTableCodeStep(toCode, replacement, true, ignored, bad);
    }
    holdsReplacement = bad == 0;
  }

  // The converter's own code when there is no charset decoder or encoder.
  TextCode fromCode;
  TextCode toCode;
  std::optional<CharsetDecoder> decoder;
  std::optional<CharsetEncoder> encoder;
  std::string readCarry;
  std::string writeCarry;
  Utf16Reader units{ByteOrder::BigUnlessLittleMark};
  std::size_t unreadable = 0;
  std::size_t unwritable = 0;
  bool holdsReplacement = true;
  std::string utf8;

  std::size_t ReadStep(std::string_view in, bool last, std::string& out) {
    if (fromCode == TextCode::Unicode) {
      return DecodeUtf16Step(units, in, last, out, unreadable);
    }
    return DecodeTableCodeStep(fromCode, in, last, out, unreadable);
  }
  std::size_t WriteStep(std::string_view in, bool last, std::string& out) {
    return EncodeTableCodeStep(toCode, in, last, out, unwritable);
  }

  void Write(std::string& out, bool last) {
    const auto write = [this](std::string_view in, bool end, std::string& o) {
      return WriteStep(in, end, o);
    };
    if (encoder) {
      encoder->Feed(utf8, out);
      if (last) {
        encoder->Finish(out);
      }
    } else {
      FeedCarried(writeCarry, utf8, out, write);
      if (last) {
        FinishCarried(writeCarry, out, write);
      }
    }
    utf8.clear();
  }
};

RecodeDecoder::RecodeDecoder(ConvertCode from, ConvertCode to)
    : state_(std::make_unique<State>(from, to)) {}
RecodeDecoder::~RecodeDecoder() = default;
RecodeDecoder::RecodeDecoder(RecodeDecoder&&) noexcept = default;
RecodeDecoder& RecodeDecoder::operator=(RecodeDecoder&&) noexcept = default;

void RecodeDecoder::Feed(std::string_view block, std::string& out) {
  State& s = *state_;
  if (s.decoder) {
    s.decoder->Feed(block, s.utf8);
  } else {
    FeedCarried(s.readCarry, block, s.utf8, [&s](std::string_view in, bool last, std::string& o) {
      return s.ReadStep(in, last, o);
    });
  }
  s.Write(out, false);
}

void RecodeDecoder::Finish(std::string& out) {
  State& s = *state_;
  if (s.decoder) {
    s.decoder->Finish(s.utf8);
  } else {
    FinishCarried(s.readCarry, s.utf8, [&s](std::string_view in, bool last, std::string& o) {
      return s.ReadStep(in, last, o);
    });
  }
  s.Write(out, true);
}

std::size_t RecodeDecoder::Unreadable() const {
  return state_->decoder ? state_->decoder->Unreadable() : state_->unreadable;
}

std::size_t RecodeDecoder::Unwritable() const {
  const std::size_t all = state_->encoder ? state_->encoder->Unwritable() : state_->unwritable;
  const std::size_t unreadable = Unreadable();
  return state_->holdsReplacement || all < unreadable ? all : all - unreadable;
}

}  // namespace vortane
