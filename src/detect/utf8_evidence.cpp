#include "detect/utf8_evidence.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "detect/char_score.h"
#include "detect/code_points.h"

namespace vortane {
namespace {

enum class Script { None, Greek, Cyrillic, Armenian, Hebrew, Arabic, Thai, Hangul };

// The alphabet a letter belongs to, by block (the blocks' few signs count as
// letters: they sit among letters too).
Script ScriptOf(char32_t point) {
  if (point >= 0x0370 && point <= 0x03FF) {
    return Script::Greek;
  }
  if (point >= 0x0400 && point <= 0x052F) {
    return Script::Cyrillic;
  }
  if (point >= 0x0530 && point <= 0x058F) {
    return Script::Armenian;
  }
  if (point >= 0x0590 && point <= 0x05FF) {
    return Script::Hebrew;
  }
  if (point >= 0x0600 && point <= 0x06FF) {
    return Script::Arabic;
  }
  if (point >= 0x0E00 && point <= 0x0E7F) {
    return Script::Thai;
  }
  if (point >= 0xAC00 && point <= 0xD7A3) {
    return Script::Hangul;
  }
  return Script::None;
}

bool IsKana(char32_t point) { return point >= 0x3040 && point <= 0x30FF; }

bool IsAsciiLetter(char32_t point) {
  return (point >= 'A' && point <= 'Z') || (point >= 'a' && point <= 'z');
}

// Latin letters and signs, and general punctuation.
bool IsLatin(char32_t point) {
  return (point >= 0x80 && point <= 0x024F) || (point >= 0x2000 && point <= 0x206F);
}

// Whether the character at `i` makes, with a neighbour, a run of two Latin
// characters between ASCII, one of them a no-break space (French "«\u00A0",
// "\u00A0:"): as a GBK or Big5 character shown as Latin-1 those two bytes
// are rare or no character.
bool InNoBreakPair(const std::vector<char32_t>& points, std::size_t i) {
  const auto asciiAt = [&points](std::ptrdiff_t j) {
    return j < 0 || static_cast<std::size_t>(j) >= points.size() || points[j] < 0x80;
  };
  const auto at = static_cast<std::ptrdiff_t>(i);
  for (const std::ptrdiff_t step : {-1, 1}) {
    const std::ptrdiff_t other = at + step;
    if (asciiAt(other) || !IsLatin(points[other]) || !asciiAt(at - step) ||
        !asciiAt(other + step)) {
      continue;
    }
    if (points[i] == 0xA0 || points[other] == 0xA0) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::int64_t Utf8Evidence(std::string_view utf8) {
  std::vector<char32_t> points;
  bool chineseOrJapanese = false;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t point = NextCodePoint(utf8, pos);
    chineseOrJapanese = chineseOrJapanese || IsIdeograph(point) || IsKana(point);
    points.push_back(point);
  }
  // The text's ends count as ASCII.
  const auto at = [&points](std::size_t i, std::ptrdiff_t step) -> char32_t {
    const auto j = static_cast<std::ptrdiff_t>(i) + step;
    return j < 0 || static_cast<std::size_t>(j) >= points.size() ? U' ' : points[j];
  };
  std::int64_t evidence = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const char32_t point = points[i];
    if (point < 0x80 || point == kNotUtf8 || IsIdeograph(point)) {
      continue;
    }
    const char32_t before = at(i, -1);
    const char32_t after = at(i, 1);
    const Script script = ScriptOf(point);
    // A word's letter: a Latin letter or sign between ASCII letters
    // ("hôte"); two Latin characters between ASCII, one of them a no-break
    // space (French "«\u00A0"); or, in a text without ideographs and kana,
    // a letter of another alphabet beside one of its own (a wrong display of
    // Chinese mixes them with those).
    const bool latin = IsLatin(point);
    const bool wordLetter = (latin && IsAsciiLetter(before) && IsAsciiLetter(after)) ||
                            (latin && InNoBreakPair(points, i)) ||
                            (!chineseOrJapanese && script != Script::None &&
                             (ScriptOf(before) == script || ScriptOf(after) == script));
    // Less: beside an ASCII letter, or a Latin character alone between ASCII
    // ("più", « oui »). A GBK or Big5 character shown as Latin-1 is two
    // characters, or one before an ASCII trail byte ("¤@"), so this stays
    // within what well-formed UTF-8 is worth.
    const bool besideWord = IsAsciiLetter(before) || IsAsciiLetter(after) ||
                            (latin && before < 0x80 && after < 0x80);
    if (wordLetter) {
      evidence += kUtf8WordLetterPoints - std::min(CharScore(point), 0);
    } else if (besideWord) {
      evidence += kUtf8LetterPoints;
    }
  }
  return evidence;
}

}  // namespace vortane
