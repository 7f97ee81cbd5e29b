#include "detect/repair_steps.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "charsets/charset_text.h"
#include "cjk/utf7.h"
#include "codec/base64.h"
#include "codec/hz.h"
#include "codec/quoted_printable.h"
#include "detect/code_points.h"
#include "detect/eighth_bit.h"
#include "detect/shown_as.h"

namespace vortane {
namespace {

constexpr std::size_t kLeastUtf7Run = 3;
// UTF-7 that gives one CJK unit may be a "+" and three letters of stripped GB
// text by chance ("+RFA" is U+4450); setting the eighth bit competes with it.
constexpr std::size_t kLeastUtf7Units = 2;
// Base64 this long may lack digits and signs by chance; no English word is.
constexpr std::size_t kLeastPlainBase64 = 24;

bool IsBase64Alphabet(char c) {
  return ClassifyBase64Char(static_cast<unsigned char>(c)) == Base64CharKind::Alphabet;
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// True when the lines of `text` that hold anything, blanks at their ends
// left out, are all as long but the last, which is no longer: Base64 is cut
// into lines of one width. A list of short words ("x8", "A4x9", "A5") is
// Base64's alphabet too.
bool EvenLines(std::string_view text) {
  std::optional<std::size_t> width;
  std::optional<std::size_t> previous;  // the line before, not yet checked
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t lineEnd = std::min(text.find('\n', start), text.size());
    std::size_t end = lineEnd;
    while (end > start &&
           (text[end - 1] == '\r' || text[end - 1] == ' ' || text[end - 1] == '\t')) {
      --end;
    }
    if (end > start) {
      if (previous && *previous != *width) {
        return false;  // a line of another width before the last
      }
      if (!width) {
        width = end - start;
      }
      previous = end - start;
    }
    start = lineEnd + 1;
  }
  return !previous || *previous <= *width;
}

bool LooksLikeBase64(std::string_view whole) {
  // Decoding stops at the first "=": the text up to the end of its line must
  // be Base64. Anything may follow on later lines (a later part, a mailing
  // list's trailer); it is not decoded.
  std::string_view text = whole;
  if (const std::size_t equals = whole.find('='); equals != std::string_view::npos) {
    if (const std::size_t lineEnd = whole.find('\n', equals); lineEnd != std::string_view::npos) {
      text = whole.substr(0, lineEnd + 1);
    }
  }
  std::size_t alphabet = 0;
  std::size_t padding = 0;
  for (const char c : text) {
    if (c == '\r' || c == '\n') {
      continue;
    }
    if (c == ' ' || c == '\t') {
      if (alphabet == 0) {
        return false;
      }
      continue;  // trailing blanks are checked below
    }
    if (c == '=') {
      if (++padding > 2) {
        return false;
      }
      continue;
    }
    if (!IsBase64Alphabet(c) || padding > 0) {
      return false;
    }
    ++alphabet;
  }
  // Blanks only at line ends.
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if ((text[i] == ' ' || text[i] == '\t') && text[i + 1] != ' ' && text[i + 1] != '\t' &&
        text[i + 1] != '\r' && text[i + 1] != '\n') {
      return false;
    }
  }
  if (alphabet < 4 || alphabet % 4 == 1 || (padding != 0 && (alphabet + padding) % 4 != 0)) {
    return false;
  }
  if (!EvenLines(text)) {
    return false;
  }
  // Base64 of anything but ASCII mixes cases and has a digit, "+", "/" or
  // "=" somewhere; an English word ("architecture") does not.
  bool upper = false;
  bool lower = false;
  bool other = padding > 0;
  for (const char c : text) {
    upper = upper || (c >= 'A' && c <= 'Z');
    lower = lower || (c >= 'a' && c <= 'z');
    other = other || (c >= '0' && c <= '9') || c == '+' || c == '/';
  }
  return upper && lower && (other || alphabet >= kLeastPlainBase64);
}

// True for text without blanks whose printable bytes are nineteen twentieths
// Base64's alphabet and "=": Base64 even where it is not clean (parts run
// together); stripped GB text is only about two thirds letters and digits,
// though a short run of it reaches nine tenths now and then.
bool MostlyBase64(std::string_view text) {
  std::size_t printable = 0;
  std::size_t alphabet = 0;
  for (const char c : text) {
    if (c == ' ' || c == '\t') {
      return false;
    }
    if (c > ' ' && c < 0x7F) {
      ++printable;
      alphabet += IsBase64Alphabet(c) || c == '=' ? 1 : 0;
    }
  }
  return printable > 0 && alphabet * 20 >= printable * 19;
}

std::optional<std::string> DecodeBase64(std::string_view text) {
  if (!LooksLikeBase64(text)) {
    return std::nullopt;
  }
  Base64StreamDecoder decoder;
  std::string out;
  decoder.Feed(text, out);
  decoder.Finish(out);
  return out;
}

// A hex digit as encoders write an escape's: in capitals. Code and queries
// hold "=" before small letters ("metaclass=abc.ABCMeta", "id=cafe").
bool IsEscapeDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// True when `text` is Quoted-Printable: it holds an escape or a soft line
// break, and nine in ten of its "=" begin one (stripped GB text holds an odd
// "=B8" by chance, but also "=" before other bytes; sloppy encoders leave a
// bare "=" now and then).
bool IsQuotedPrintable(std::string_view text) {
  std::size_t equals = 0;
  std::size_t proper = 0;
  for (std::size_t i = text.find('='); i != std::string_view::npos; i = text.find('=', i + 1)) {
    ++equals;
    const bool escape =
        i + 2 < text.size() && IsEscapeDigit(text[i + 1]) && IsEscapeDigit(text[i + 2]);
    const bool softBreak = i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n');
    proper += escape || softBreak ? 1 : 0;
  }
  return proper > 0 && proper * 10 >= equals * 9;
}

bool IsEscapeAt(std::string_view text, std::size_t i) {
  return i + 2 < text.size() && text[i] == '=' && IsHexDigit(text[i + 1]) &&
         IsHexDigit(text[i + 2]);
}

// True when `text` is Quoted-Printable that escapes a byte of 0x80 or more
// followed by another escape, as Quoted-Printable of Chinese does (each
// character two or three escapes in a row). Stripped GB text holds an "=" before
// a line end or two hex digits by chance, an escape of a high byte ("=a9"
// from 结构) now and then too, but seldom two escapes in a row.
bool IsQuotedPrintableOfEightBits(std::string_view text) {
  if (!IsQuotedPrintable(text)) {
    return false;
  }
  for (std::size_t i = text.find('='); i != std::string_view::npos; i = text.find('=', i + 1)) {
    if (IsEscapeAt(text, i) && IsEscapeAt(text, i + 3) &&
        std::string_view("89ABCDEFabcdef").find(text[i + 1]) != std::string_view::npos) {
      return true;
    }
  }
  return false;
}

// True when `text` holds a header's encoded word: "=?", a charset label,
// "?B?" or "?Q?" (either case). Its Base64 or escapes are no stripped GB text.
bool HasEncodedWord(std::string_view text) {
  for (std::size_t at = text.find("=?"); at != std::string_view::npos;
       at = text.find("=?", at + 2)) {
    std::size_t i = at + 2;
    while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) != 0 ||
                               text[i] == '-' || text[i] == '_' || text[i] == ':')) {
      ++i;
    }
    if (i > at + 2 && i + 2 < text.size() && text[i] == '?' && text[i + 2] == '?' &&
        std::string_view("BbQq").find(text[i + 1]) != std::string_view::npos) {
      return true;
    }
  }
  return false;
}

std::optional<std::string> DecodeQuotedPrintable(std::string_view text, bool repair) {
  if (!IsQuotedPrintable(text)) {
    return std::nullopt;
  }
  std::string plain = DecodeQuotedPrintableText(text, false);
  if (!repair) {
    return plain;
  }
  // The repair is for an encoder that broke a line inside a character: only
  // where the plain decoding reads in none of the final codes.
  for (const Charset code : {Charset::Gb18030, Charset::Big5Hkscs, Charset::Utf8}) {
    if (DecodeToUtf8(code, plain).unreadable == 0) {
      return std::nullopt;
    }
  }
  std::string repaired = DecodeQuotedPrintableText(text, true);
  if (repaired == plain) {
    return std::nullopt;
  }
  return repaired;
}

std::optional<std::string> DecodeHz(std::string_view text) {
  if (text.find("~{") == std::string_view::npos) {
    return std::nullopt;
  }
  return DecodeHzText(text);
}

bool HasUtf7Run(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) {
      return false;
    }
  }
  for (std::size_t plus = text.find('+'); plus != std::string_view::npos;
       plus = text.find('+', plus + 1)) {
    std::size_t run = 0;
    while (plus + 1 + run < text.size() && IsBase64Alphabet(text[plus + 1 + run])) {
      ++run;
    }
    if (run >= kLeastUtf7Run) {
      return true;
    }
  }
  return false;
}

unsigned Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') {
    return static_cast<unsigned>(c - 'A');
  }
  if (c >= 'a' && c <= 'z') {
    return static_cast<unsigned>(c - 'a') + 26;
  }
  if (c >= '0' && c <= '9') {
    return static_cast<unsigned>(c - '0') + 52;
  }
  return c == '+' ? 62 : 63;
}

// True when every UTF-7 run of `text` ends on a whole unit: an encoder writes
// a run of n characters for 6n bits of 16-bit units and pads the last
// character with fewer than six zero bits. Runs after a "+" in stripped GB
// text, where "+" is common, seldom do (about one in six).
bool Utf7RunsEndOnWholeUnits(std::string_view text) {
  constexpr unsigned kUnitBits = 16;
  constexpr unsigned kCharBits = 6;
  for (std::size_t plus = text.find('+'); plus != std::string_view::npos;
       plus = text.find('+', plus + 1)) {
    std::size_t run = 0;
    while (plus + 1 + run < text.size() && IsBase64Alphabet(text[plus + 1 + run])) {
      ++run;
    }
    if (run == 0) {
      continue;
    }
    const unsigned spare = static_cast<unsigned>(run * kCharBits % kUnitBits);
    const unsigned last = Base64Value(text[plus + run]);
    if (spare >= kCharBits || (last & ((1U << spare) - 1)) != 0) {
      return false;
    }
    plus += run;
  }
  return true;
}

std::string UnitsToUtf8(std::string_view units) {
  std::string out;
  out.reserve(units.size());
  const auto unitAt = [&](std::size_t i) {
    return static_cast<char32_t>((static_cast<unsigned char>(units[i]) << 8) |
                                 static_cast<unsigned char>(units[i + 1]));
  };
  std::size_t i = 0;
  while (i + 1 < units.size()) {
    const char32_t unit = unitAt(i);
    i += 2;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size()) {
      const char32_t low = unitAt(i);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        i += 2;
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        continue;
      }
    }
    AppendUtf8(out, unit);  // a lone surrogate becomes U+FFFD
  }
  if (i < units.size()) {
    AppendUtf8(out, 0xFFFD);
  }
  return out;
}

// When `text` is UTF-7 of Chinese (its runs end on whole units, at least
// three quarters of the non-ASCII units they give are CJK characters,
// quotation marks and dashes or fullwidth forms, and not all of them are
// quotation marks and dashes), how many CJK units its runs give; else 0. Runs
// in stripped GB text, where "+" is common, give units all over the 16-bit
// range; "+IBM" in English text is a dash.
std::size_t Utf7ChineseUnits(std::string_view text) {
  if (!HasUtf7Run(text) || !Utf7RunsEndOnWholeUnits(text)) {
    return 0;
  }
  const std::string units = Utf7ToUnits(text);
  std::size_t wide = 0;
  std::size_t cjk = 0;
  std::size_t marks = 0;
  for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
    const unsigned unit =
        (static_cast<unsigned char>(units[i]) << 8) | static_cast<unsigned char>(units[i + 1]);
    if (unit < 0x80) {
      continue;
    }
    ++wide;
    if ((unit >= 0x2010 && unit <= 0x206F) || (unit >= 0x3000 && unit <= 0x9FFF) ||
        (unit >= 0xFF00 && unit <= 0xFFEF)) {
      ++cjk;
      marks += unit <= 0x206F ? 1 : 0;
    }
  }
  return wide > 0 && cjk * 4 >= wide * 3 && cjk > marks ? cjk : 0;
}

bool IsUtf7OfChinese(std::string_view text) { return Utf7ChineseUnits(text) > 0; }

std::optional<std::string> DecodeUtf7(std::string_view text) {
  if (!IsUtf7OfChinese(text)) {
    return std::nullopt;
  }
  return UnitsToUtf8(Utf7ToUnits(text));
}

// True when at least three quarters of the non-ASCII characters of `utf8` are
// not Latin letters: a wrong Chinese code shows ideographs, kana, Greek and
// Cyrillic, while accented Latin text is meant as it is.
bool MostlyNotLatin(std::string_view utf8) {
  constexpr char32_t kLastLatin = 0x24F;
  std::size_t wide = 0;
  std::size_t notLatin = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
      ++pos;
      continue;
    }
    ++wide;
    if (NextCodePoint(utf8, pos) > kLastLatin) {
      ++notLatin;
    }
  }
  return wide > 0 && notLatin * 4 >= wide * 3;
}

}  // namespace

std::string_view RepairStepName(RepairStep step) {
  switch (step) {
    case RepairStep::Base64:
      return "Base64";
    case RepairStep::QuotedPrintable:
      return "Quoted-Printable";
    case RepairStep::QuotedPrintableRepaired:
      return "Quoted-Printable with double-byte repair";
    case RepairStep::Hz:
      return "HZ";
    case RepairStep::Utf7:
      return "UTF-7";
    case RepairStep::EighthBit:
      return "eighth bit set";
    case RepairStep::ShownAsLatin1:
      return "shown as Latin-1";
    case RepairStep::ShownAsCp1252:
      return "shown as CP1252";
    case RepairStep::ShownAsGbk:
      return "shown as GBK";
    case RepairStep::ShownAsBig5:
      return "shown as Big5";
  }
  return "";
}

std::optional<std::string> TakeRepairStep(RepairStep step, std::string_view bytes) {
  std::optional<std::string> out;
  switch (step) {
    case RepairStep::Base64:
      out = DecodeBase64(bytes);
      break;
    case RepairStep::QuotedPrintable:
      out = DecodeQuotedPrintable(bytes, false);
      break;
    case RepairStep::QuotedPrintableRepaired:
      out = DecodeQuotedPrintable(bytes, true);
      break;
    case RepairStep::Hz:
      out = DecodeHz(bytes);
      break;
    case RepairStep::Utf7:
      out = DecodeUtf7(bytes);
      break;
    case RepairStep::EighthBit:
      if (!MostlyBase64(bytes) && !IsQuotedPrintableOfEightBits(bytes) && !HasEncodedWord(bytes) &&
          bytes.find("~{") == std::string_view::npos && Utf7ChineseUnits(bytes) < kLeastUtf7Units) {
        out = SetEighthBit(bytes);
      }
      break;
    case RepairStep::ShownAsLatin1:
      out = UndoShownAs(ShownCode::Latin1, bytes);
      break;
    case RepairStep::ShownAsCp1252:
      out = UndoShownAs(ShownCode::Cp1252, bytes);
      break;
    case RepairStep::ShownAsGbk:
      if (MostlyNotLatin(bytes)) {
        out = UndoShownAs(ShownCode::Gbk, bytes);
      }
      break;
    case RepairStep::ShownAsBig5:
      if (MostlyNotLatin(bytes)) {
        out = UndoShownAs(ShownCode::Big5, bytes);
      }
      break;
  }
  if (out && *out == bytes) {
    return std::nullopt;
  }
  return out;
}

}  // namespace vortane
