#include "charsets/hz_utf7_codecs.h"

#include <cstring>

#include "charsets/charset_tables.h"
#include "charsets/codec_steps.h"

namespace vortane::charsets_detail {
namespace {

constexpr unsigned char kGbShift = 0x80;

class HzSink {
 public:
  // "~" before "{" writes "~{~}" besides: five bytes for one.
  static constexpr std::size_t kMaxOutPerByte = 5;
  static constexpr std::size_t kMaxOutExtra = 2;  // the closing "~}"
  static constexpr bool kCopiesAscii = false;

  HzSink(const Gb18030Tables& tables, HzWriter& writer, EncodeCounts& counts)
      : tables_(tables), writer_(writer), counts_(counts) {}

  char* Put(char* o, char32_t point) {
    if (point < 0x80) {
      return PutAscii(o, static_cast<char>(point));
    }
    const std::uint32_t code = point < 0x10000 ? tables_.codeOf[point] : 0;
    const unsigned lead = code >> 8;
    const unsigned trail = code & 0xFF;
    // A lead 0xFE shifted down is "~": with a trail 0xFB or 0xFD it would read
    // as an escape.
    if (code >= 0x10000 || lead < 0xA1 || lead > 0xFE || trail < 0xA1 || trail > 0xFE ||
        (lead == 0xFE && (trail == 0xFB || trail == 0xFD))) {
      return Bad(o);
    }
    if (!writer_.gbMode) {
      o = Put2(o, '~', '{');
      writer_.gbMode = true;
      writer_.lastWasTilde = false;
    }
    const char first = static_cast<char>(lead ^ kGbShift);
    if (writer_.lastWasTilde && (first == '{' || first == '}')) {
      o = Put2(o, '~', '}');
      o = Put2(o, '~', '{');
    }
    const char second = static_cast<char>(trail ^ kGbShift);
    o = Put2(o, first, second);
    writer_.lastWasTilde = second == '~';
    return o;
  }
  char* Bad(char* o) {
    ++counts_.unwritable;
    return PutAscii(o, '?');
  }
  char* BeforeAscii(char* o) { return o; }
  char* Finish(char* o) {
    if (writer_.gbMode) {
      o = Put2(o, '~', '}');
      writer_.gbMode = false;
      writer_.lastWasTilde = false;
    }
    return o;
  }

 private:
  char* PutAscii(char* o, char c) {
    o = Finish(o);
    if (writer_.lastWasTilde && (c == '{' || c == '}')) {
      o = Put2(o, '~', '{');
      o = Put2(o, '~', '}');
    }
    *o++ = c;
    writer_.lastWasTilde = c == '~';
    return o;
  }
  static char* Put2(char* o, char a, char b) {
    *o++ = a;
    *o++ = b;
    return o;
  }

  const Gb18030Tables& tables_;
  HzWriter& writer_;
  EncodeCounts& counts_;
};

constexpr char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Characters written as they are: letters, digits, blanks and the punctuation
// of RFC 2152's sets D and O except "\" and "~".
constexpr bool IsDirect(char32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         (c != 0 &&
          std::strchr(" \t\r\n'(),-./:?!\"#$%&*;<=>@[]^_`{|}", static_cast<int>(c)) != nullptr);
}

class Utf7Sink {
 public:
  // One byte of UTF-8 (a two-byte character, counted per byte) may open a run
  // and write three Base64 letters: "+" and three; "-" before a direct byte.
  static constexpr std::size_t kMaxOutPerByte = 4;
  static constexpr std::size_t kMaxOutExtra = 2;  // the end of an open run
  static constexpr bool kCopiesAscii = false;

  Utf7Sink(Utf7Writer& writer, EncodeCounts& counts) : writer_(writer), counts_(counts) {}

  char* Put(char* o, char32_t point) {
    if (point < 0x80 && IsDirect(point)) {
      o = Finish(o);
      *o++ = static_cast<char>(point);
      return o;
    }
    if (point == '+') {
      o = Finish(o);
      *o++ = '+';
      *o++ = '-';
      return o;
    }
    if (!writer_.inRun) {
      *o++ = '+';
      writer_.inRun = true;
    }
    if (point >= 0x10000) {
      point -= 0x10000;
      o = Unit(o, 0xD800 + (point >> 10));
      return Unit(o, 0xDC00 + (point & 0x3FF));
    }
    return Unit(o, point);
  }
  char* Bad(char* o) {
    ++counts_.unwritable;
    return Put(o, '?');
  }
  char* BeforeAscii(char* o) { return o; }
  // Closes an open run: the last bits padded with zeros, then "-".
  char* Finish(char* o) {
    if (!writer_.inRun) {
      return o;
    }
    if (writer_.bitCount > 0) {
      *o++ = kBase64Alphabet[(writer_.bits << (6 - writer_.bitCount)) & 0x3F];
    }
    *o++ = '-';
    writer_ = Utf7Writer{};
    return o;
  }

 private:
  char* Unit(char* o, char32_t unit) {
    writer_.bits = writer_.bits << 16 | unit;
    writer_.bitCount += 16;
    while (writer_.bitCount >= 6) {
      writer_.bitCount -= 6;
      *o++ = kBase64Alphabet[(writer_.bits >> writer_.bitCount) & 0x3F];
    }
    writer_.bits &= (1u << writer_.bitCount) - 1;
    return o;
  }

  Utf7Writer& writer_;
  EncodeCounts& counts_;
};

}  // namespace

void UnwrapHzFrames(HzFrameReader& reader, std::string_view block, std::string& out) {
  for (const char byte : block) {
    const auto c = static_cast<unsigned char>(byte);
    const unsigned char shift = reader.gbMode ? kGbShift : 0;
    if (reader.afterTilde) {
      reader.afterTilde = false;
      if (c == '{' || c == '}') {
        reader.gbMode = c == '{';
        continue;
      }
      out.push_back(static_cast<char>('~' ^ shift));
    }
    if (c == '~') {
      reader.afterTilde = true;
    } else {
      out.push_back(static_cast<char>(c ^ shift));
    }
  }
}

void FinishHzFrames(HzFrameReader& reader, std::string& out) {
  if (reader.afterTilde) {
    out.push_back(static_cast<char>('~' ^ (reader.gbMode ? kGbShift : 0)));
  }
  reader = HzFrameReader{};
}

std::size_t EncodeHzStep(HzWriter& writer, std::string_view utf8, bool last, StepOut& out,
                         EncodeCounts& counts) {
  HzSink sink(Gb18030Table(), writer, counts);
  return EncodeUtf8Step(sink, counts, utf8, last, out);
}

std::size_t EncodeUtf7Step(Utf7Writer& writer, std::string_view utf8, bool last, StepOut& out,
                           EncodeCounts& counts) {
  Utf7Sink sink(writer, counts);
  return EncodeUtf8Step(sink, counts, utf8, last, out);
}

}  // namespace vortane::charsets_detail
