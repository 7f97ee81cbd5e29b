#include "converter/convert_route.h"

#include <optional>

namespace vortane {
namespace {

// The blank rule over UTF-8: a space is held back by one character and goes
// out, is dropped or is added in front of a character outside ASCII (its lead
// byte), as ConvertStream does in front of a double-byte unit.
class Utf8BlankRule {
 public:
  explicit Utf8BlankRule(BlankMode mode) : mode_(mode) {}

  void Feed(std::string_view utf8, std::string& out) {
    for (const char c : utf8) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x80) {
        if (pending_) {
          out.push_back(' ');
        }
        pending_ = b == ' ';
        if (!pending_) {
          out.push_back(c);
        }
      } else if (b >= 0xC0) {
        if (mode_ == BlankMode::AddBlank || (mode_ == BlankMode::KeepStill && pending_)) {
          out.push_back(' ');
        }
        pending_ = false;
        out.push_back(c);
      } else {
        out.push_back(c);
      }
    }
  }
  void Finish(std::string& out) {
    if (pending_) {
      out.push_back(' ');
      pending_ = false;
    }
  }

 private:
  BlankMode mode_;
  bool pending_ = false;
};

bool HoldsReplacement(const ConvertCode& code) {
  RecodeDecoder probe(Charset::Utf8, code);
  std::string ignored;
  probe.Feed("\uFFFD", ignored);
  probe.Finish(ignored);
  return probe.Unwritable() == 0;
}

}  // namespace

bool IsOwnCodeRoute(const ConvertCode& source, const ConvertCode& result) {
  return std::holds_alternative<TextCode>(source) && std::holds_alternative<TextCode>(result);
}

struct RouteDecoder::State {
  State(const ConvertCode& source, const ConvertCode& result, BlankMode blankMode) {
    if (IsOwnCodeRoute(source, result)) {
      ownCodes.emplace(std::get<TextCode>(source), std::get<TextCode>(result), blankMode);
    } else if (blankMode == BlankMode::KeepStill) {
      reader.emplace(source, result);
    } else {
      reader.emplace(source, Charset::Utf8);
      blanks.emplace(blankMode);
      writer.emplace(Charset::Utf8, result);
      writerHoldsReplacement = HoldsReplacement(result);
    }
  }

  std::optional<ConvertDecoder> ownCodes;
  // Re-encoding: the reader alone, or reader, blank rule and writer.
  std::optional<RecodeDecoder> reader;
  std::optional<Utf8BlankRule> blanks;
  std::optional<RecodeDecoder> writer;
  bool writerHoldsReplacement = true;
  std::string utf8;
  std::string spaced;
};

RouteDecoder::RouteDecoder(const ConvertCode& source, const ConvertCode& result,
                           BlankMode blankMode)
    : state_(std::make_unique<State>(source, result, blankMode)) {}
RouteDecoder::~RouteDecoder() = default;
RouteDecoder::RouteDecoder(RouteDecoder&&) noexcept = default;
RouteDecoder& RouteDecoder::operator=(RouteDecoder&&) noexcept = default;

void RouteDecoder::Feed(std::string_view block, std::string& out) {
  State& s = *state_;
  if (s.ownCodes) {
    s.ownCodes->Feed(block, out);
  } else if (!s.writer) {
    s.reader->Feed(block, out);
  } else {
    s.reader->Feed(block, s.utf8);
    s.blanks->Feed(s.utf8, s.spaced);
    s.writer->Feed(s.spaced, out);
    s.utf8.clear();
    s.spaced.clear();
  }
}

void RouteDecoder::Finish(std::string& out) {
  State& s = *state_;
  if (s.ownCodes) {
    s.ownCodes->Finish(out);
  } else if (!s.writer) {
    s.reader->Finish(out);
  } else {
    s.reader->Finish(s.utf8);
    s.blanks->Feed(s.utf8, s.spaced);
    s.blanks->Finish(s.spaced);
    s.writer->Feed(s.spaced, out);
    s.writer->Finish(out);
    s.utf8.clear();
    s.spaced.clear();
  }
}

ConvertCounts RouteDecoder::Counts() const {
  const State& s = *state_;
  if (s.ownCodes) {
    return {};
  }
  ConvertCounts counts{s.reader->Unreadable(), s.reader->Unwritable()};
  if (s.writer) {
    // Each U+FFFD the reader wrote for unreadable bytes is not counted again
    // when the result code lacks it.
    const std::size_t all = s.writer->Unwritable();
    counts.unwritable =
        s.writerHoldsReplacement || all < counts.unreadable ? all : all - counts.unreadable;
  }
  return counts;
}

ConvertOutcome ConvertRouteStream(ByteReader& source, ByteWriter& result,
                                  const ConvertCode& sourceCode, const ConvertCode& resultCode,
                                  BlankMode blankMode) {
  RouteDecoder decoder(sourceCode, resultCode, blankMode);
  const StreamStatus status = PumpStream(decoder, source, result);
  return ConvertOutcome{status, decoder.Counts()};
}

}  // namespace vortane
