#include "framecodes/frame_units.h"

#include "charsets/charset_tables.h"
#include "charsets/unicode_scalar.h"
#include "cjk/display_text.h"

namespace vortane::framecodes_detail {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::uint32_t kGbSupplementaryEnd = kGbSupplementaryFirst + 0x100000;

// The letters and combining marks that Big5-HKSCS writes as one code.
constexpr bool IsPairLetter(char32_t point) { return point == 0x00CA || point == 0x00EA; }
constexpr bool IsPairMark(char32_t point) { return point == 0x0304 || point == 0x030C; }

constexpr bool IsDigit(unsigned char b) { return b >= 0x30 && b <= 0x39; }

FrameUnit Broken() { return FrameUnit{}; }

FrameUnit Unknown(std::size_t length) {
  return FrameUnit{UnitKind::Unknown, static_cast<std::uint8_t>(length), 0, {0, 0}};
}

// A code of `length` bytes reading as `point`: shown as the character when
// writing it gives the same bytes back.
FrameUnit Read(std::size_t length, char32_t point, bool writesBack) {
  const bool shown = writesBack && !IsReservedForDisplay(point);
  return FrameUnit{shown ? UnitKind::Character : UnitKind::Hidden,
                   static_cast<std::uint8_t>(length),
                   1,
                   {point, 0}};
}

// GB 18030 code of a character packed high first (one, two or four bytes), 0
// when it has none (surrogates).
std::uint32_t Gb18030CodeOf(char32_t point) {
  if (point < 0x10000) {
    return Gb18030Table().codeOf[point];
  }
  return point <= 0x10FFFF ? GbFourByteCode(kGbSupplementaryFirst + (point - 0x10000)) : 0;
}

void AppendPacked(std::uint32_t code, std::string& out) {
  if (code > 0xFFFF) {
    out.push_back(static_cast<char>(code >> 24));
    out.push_back(static_cast<char>(code >> 16 & 0xFF));
  }
  if (code > 0xFF) {
    out.push_back(static_cast<char>(code >> 8 & 0xFF));
  }
  out.push_back(static_cast<char>(code & 0xFF));
}

std::uint16_t Big5HkscsCodeOf(char32_t point) {
  const Big5HkscsTables& tables = Big5HkscsTable();
  if (point < 0x10000) {
    return tables.bmpCode[point];
  }
  if (point >= 0x20000 && point < 0x30000) {
    return tables.plane2Code[point - 0x20000];
  }
  return 0;
}

FrameUnit ReadTableUnit(std::string_view bytes, TextCode code) {
  if (bytes.size() < 2) {
    return Broken();
  }
  const std::string_view pair = bytes.substr(0, 2);
  const std::u16string read = DecodeText(pair, code);
  if (read.size() != 1 || read[0] == kReplacement) {
    return static_cast<unsigned char>(pair[1]) >= 0x80 ? Unknown(2) : Broken();
  }
  return Read(2, read[0], BytesToDisplayText(pair, code) == read);
}

FrameUnit ReadGb18030Unit(std::string_view bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  if (s[0] == 0x80 || s[0] == 0xFF || n < 2) {
    return Broken();
  }
  const Gb18030Tables& tables = Gb18030Table();
  if (IsDigit(s[1])) {
    if (n < 4 || s[2] < 0x81 || s[2] > 0xFE || !IsDigit(s[3])) {
      return Broken();
    }
    const std::uint32_t number = GbFourByteNumber(s[0], s[1], s[2], s[3]);
    char32_t point = 0;
    if (number < kGbFourByteBmpCount) {
      point = tables.fourByte[number];
    } else if (number >= kGbSupplementaryFirst && number < kGbSupplementaryEnd) {
      point = 0x10000 + (number - kGbSupplementaryFirst);
    }
    if (point == 0) {
      return Unknown(4);
    }
    const std::uint32_t code =
        static_cast<std::uint32_t>(s[0]) << 24 | s[1] << 16 | s[2] << 8 | s[3];
    return Read(4, point, Gb18030CodeOf(point) == code);
  }
  const std::uint8_t trail = kGbTrailNumber[s[1]];
  if (trail == kNoTrail) {
    return Broken();
  }
  const char32_t point = tables.twoByte[(s[0] - kGbFirstLead) * kGbTrailCount + trail];
  if (point == 0) {
    return s[1] >= 0x80 ? Unknown(2) : Broken();
  }
  return Read(2, point, Gb18030CodeOf(point) == (static_cast<std::uint32_t>(s[0]) << 8 | s[1]));
}

FrameUnit ReadBig5HkscsUnit(std::string_view bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  if (s[0] == 0x80 || s[0] == 0xFF || bytes.size() < 2) {
    return Broken();
  }
  const std::uint8_t trail = kBig5TrailNumber[s[1]];
  if (trail == kNoTrail) {
    return Broken();
  }
  const Big5HkscsTables& tables = Big5HkscsTable();
  const std::uint32_t value =
      s[0] < kBig5FirstLead ? 0 : tables.points[(s[0] - kBig5FirstLead) * kBig5TrailCount + trail];
  if (value == 0) {
    // Reading goes on at an ASCII trail, as the Big5-HKSCS reader does.
    return s[1] >= 0x80 ? Unknown(2) : Broken();
  }
  const std::uint16_t code = static_cast<std::uint16_t>(s[0] << 8 | s[1]);
  if (value >= kBig5PairMark) {
    const Big5PairRow& pair = tables.pairs[value - kBig5PairMark];
    return FrameUnit{UnitKind::Character, 2, 2, {pair.first, pair.second}};
  }
  // No code reads as a lone combining mark of the pairs, so a letter shown
  // before the next code never reads back as a pair code.
  return Read(2, value, Big5HkscsCodeOf(value) == code);
}

FrameUnit ReadUtf8Unit(std::string_view bytes) {
  const charsets_detail::Utf8Step step =
      charsets_detail::ReadUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  if (step.kind != charsets_detail::Utf8Read::Scalar) {
    return Broken();
  }
  return Read(step.length, step.point, true);
}

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Appends the code of `point` in one of today's codes; false when it has none.
bool AppendTodaysCode(DisplayCode code, char32_t point, std::string& out) {
  switch (code) {
    case DisplayCode::Gb18030:
      if (const std::uint32_t packed = Gb18030CodeOf(point); packed != 0) {
        AppendPacked(packed, out);
        return true;
      }
      return false;
    case DisplayCode::Big5Hkscs:
      if (const std::uint16_t packed = Big5HkscsCodeOf(point); packed != 0) {
        AppendPacked(packed, out);
        return true;
      }
      return false;
    case DisplayCode::Utf8:
      AppendUtf8(point, out);
      return true;
    case DisplayCode::Gb:
    case DisplayCode::Big5:
      break;
  }
  return false;
}

}  // namespace

bool IsReservedForDisplay(char32_t point) {
  return point < 0xA0 || point == 0x2028 || point == 0x2029 ||
         (point >= 0xF700 && point <= 0xF7FF) || (point >= 0xD800 && point <= 0xDFFF) ||
         point == 0xFDD0 || point == 0xFDD1 || point == 0xFEFF || point == 0xFFFC ||
         (point & 0xFFFE) == 0xFFFE;
}

FrameUnit ReadFrameUnit(std::string_view bytes, DisplayCode code) {
  const auto lead = static_cast<unsigned char>(bytes[0]);
  if (lead < 0x80) {
    return FrameUnit{UnitKind::Ascii, 1, 1, {lead, 0}};
  }
  switch (code) {
    case DisplayCode::Gb:
      return ReadTableUnit(bytes, TextCode::Gb);
    case DisplayCode::Big5:
      return ReadTableUnit(bytes, TextCode::Big5);
    case DisplayCode::Gb18030:
      return ReadGb18030Unit(bytes);
    case DisplayCode::Big5Hkscs:
      return ReadBig5HkscsUnit(bytes);
    case DisplayCode::Utf8:
      return ReadUtf8Unit(bytes);
  }
  return Broken();
}

std::size_t AppendCharacter(DisplayCode code, std::u16string_view text, std::size_t i,
                            StandIns standIns, std::string& out, std::size_t& unheld) {
  const char16_t u = text[i];
  if (u < 0x80) {
    out.push_back(static_cast<char>(u));
    return i;
  }
  if (standIns == StandIns::AreBytes && u >= kDisplayStandInBase && u <= kDisplayStandInLast) {
    out.push_back(static_cast<char>(u - kDisplayStandInBase));
    return i;
  }
  std::size_t last = i;
  char32_t point = u;
  if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
    last = i + 1;
    point = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
  }
  if (const auto tableCode = TableTextCode(code)) {
    bool complete = true;
    out.append(EncodeText(text.substr(i, last - i + 1), *tableCode, &complete));
    unheld += complete ? 0 : 1;
    return last;
  }
  if (IsHighSurrogate(point) || IsLowSurrogate(point)) {
    out.push_back('?');
    ++unheld;
    return last;
  }
  if (code == DisplayCode::Big5Hkscs && IsPairLetter(point) && last + 1 < text.size() &&
      IsPairMark(text[last + 1])) {
    for (const Big5PairRow& pair : Big5HkscsTable().pairs) {
      if (pair.first == point && pair.second == text[last + 1]) {
        AppendPacked(pair.code, out);
        return last + 1;
      }
    }
  }
  if (!AppendTodaysCode(code, point, out)) {
    out.push_back('?');
    ++unheld;
  }
  return last;
}

void AppendUtf16(char32_t point, std::u16string& out) {
  if (point < 0x10000) {
    out.push_back(static_cast<char16_t>(point));
  } else {
    point -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
  }
}

void AppendUtf8(char32_t point, std::string& out) {
  char buffer[4];
  const char* end = charsets_detail::PutUtf8(buffer, point);
  out.append(buffer, static_cast<std::size_t>(end - buffer));
}

}  // namespace vortane::framecodes_detail
